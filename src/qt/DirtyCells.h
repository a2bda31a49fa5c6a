// Which parts of a picture were painted, in cells of 8 by 8 pixels, kept in two layers:
// the cells painted since the picture was last cleared (which the next clear must wipe,
// all others are still background) and the cells that changed since the window last
// took them (which the window must copy again, all others it still shows).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include <QRect>

namespace lindor::qtgui {

class DirtyCells {
public:
    // Cells are 8 pixels wide and 8 rows high.
    static constexpr int kColumnShift = 3;
    static constexpr int kBandShift = 3;
    static constexpr int kCellWidth = 1 << kColumnShift;
    static constexpr int kCellHeight = 1 << kBandShift;

    // A picture of this size, every cell clean in the painted layer and changed in the
    // other (a new picture is new everywhere).
    void reset(int width, int height);

    // A painted pixel; (x, y) must lie inside the picture.
    void markPixel(int x, int y) {
        m_cells[static_cast<std::size_t>((y >> kBandShift) * m_columns + (x >> kColumnShift))] =
            kPainted | kChanged;
    }
    // Painted somewhere inside `area` (clipped to the picture).
    void markArea(const QRect& area);

    // Calls visit(rect) for the painted cells, joined into runs along each band of cells
    // and clipped to the picture; they become clean, and changed for the window.
    template <typename Visit> void takePainted(Visit visit) {
        takeRuns(kPainted, 0, kChanged, visit);
    }
    // The same for the changed cells; afterwards the window shows everything.
    template <typename Visit> void takeChanged(Visit visit) {
        takeRuns(kChanged, kPainted, 0, visit);
    }

private:
    static constexpr std::uint8_t kPainted = 1;
    static constexpr std::uint8_t kChanged = 2;

    // Visits the runs of cells in `layer`; each of their cells becomes (cell & keep) | add.
    template <typename Visit>
    void takeRuns(std::uint8_t layer, std::uint8_t keep, std::uint8_t add, Visit visit) {
        for (int band = 0; band < m_bands; ++band) {
            std::uint8_t* cells = &m_cells[static_cast<std::size_t>(band * m_columns)];
            const int top = band << kBandShift;
            const int height = std::min(kCellHeight, m_height - top);
            for (int c = 0; c < m_columns; ++c) {
                if (!(cells[c] & layer))
                    continue;
                const int first = c;
                for (; c < m_columns && (cells[c] & layer); ++c)
                    cells[c] = static_cast<std::uint8_t>((cells[c] & keep) | add);
                const int left = first << kColumnShift;
                visit(QRect(left, top, std::min(c << kColumnShift, m_width) - left, height));
            }
        }
    }

    int m_width = 0;
    int m_height = 0;
    int m_columns = 0;
    int m_bands = 0;
    std::vector<std::uint8_t> m_cells;
};

} // namespace lindor::qtgui
