#include "qt/DirtyCells.h"

namespace lindor::qtgui {

void DirtyCells::reset(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_columns = (m_width + kCellWidth - 1) >> kColumnShift;
    m_bands = (m_height + kCellHeight - 1) >> kBandShift;
    m_cells.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_bands),
                   kChanged);
}

void DirtyCells::markArea(const QRect& area) {
    const QRect inside = area & QRect(0, 0, m_width, m_height);
    if (inside.isEmpty())
        return;
    const int firstColumn = inside.left() >> kColumnShift;
    const int lastColumn = inside.right() >> kColumnShift;
    for (int band = inside.top() >> kBandShift; band <= inside.bottom() >> kBandShift; ++band) {
        std::uint8_t* cells = &m_cells[static_cast<std::size_t>(band * m_columns)];
        for (int c = firstColumn; c <= lastColumn; ++c)
            cells[c] = kPainted | kChanged;
    }
}

} // namespace lindor::qtgui
