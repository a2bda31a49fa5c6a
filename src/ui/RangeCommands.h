// The commands that change the Range: the range window's Redraw, zoom in and out, undo zoom
// and the zoom box, and the moves of the pointer and the keys: a drag pans, the wheel and a
// pinch zoom about the pointer, the arrow keys pan by a tenth of the view. Each is one undo
// step (a whole drag one, wheel notches in quick succession one); a refused range changes
// nothing.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <utility>

#include "graph/Model.h"
#include "graph/analysis/SearchBox.h"
#include "graph/analysis/ZoomTexts.h"
#include "ui/FrameWindows.h"

namespace lindor::ui {

// One notch of the wheel (an angle of 120 eighths of a degree) zooms by this factor; finer
// wheels and touchpads zoom in proportion.
constexpr long double kWheelNotchFactor = 1.2L;
constexpr int kWheelNotch = 120;

class AppState;
class Questions;
class WorkSteps;

class RangeCommands : public QObject {
    Q_OBJECT
public:
    RangeCommands(AppState& app, Questions& questions, WorkSteps& steps,
                  const FrameWindows& windows, QObject* parent = nullptr);

    // Converts the range window's texts and applies them; false (with a message, and
    // nothing changed) when a text is not a number or the Range cannot be drawn.
    bool applyRange();
    // Zoom in and out about the origin by the zoom factors, from the range window's texts.
    void zoom(graph::analysis::ZoomDirection direction);
    // The range before the last zoom.
    void undoZoom();
    // The zoom box: the box becomes the Range, with steps that suit it.
    void zoomToBox(const graph::analysis::SearchBox& box);

    // A drag that pans: the button went down, the pointer is (dx, dy) device pixels (those
    // the graph is drawn in) from where it went down, the button came up. The plane point under the
    // press stays under the pointer.
    void beginPan();
    void panTo(int dx, int dy);
    void endPan();
    // The arrow keys: the view moves a tenth of its width `right` times to the right and a
    // tenth of its height `up` times up.
    void panByTenths(int right, int up);
    // The wheel and a pinch: zooms in by `factor` (out below 1) about a device pixel, which
    // keeps its plane point; the steps become ones that suit the new view. A range that
    // could not be drawn or written is refused silently.
    void zoomAbout(long double pixelX, long double pixelY, long double factor);
    // The same about the middle of the plot area, by one notch of the wheel.
    void zoomAboutCentre(bool in);

    // The graph and the range window show the work's Range and texts (no redraw).
    void showRange();

private:
    QString text(const char* key) const;
    // The plot area's width and height in pixels of the design (the zoom steps are chosen
    // for those).
    std::pair<int, int> designSize() const;
    // Converts the texts; when the graph takes the Range they become the work's and the range
    // window's texts and the graph is redrawn. Otherwise a message, and nothing changes.
    bool applyRangeTexts(const graph::RangeTexts& texts);
    // A zoom from the range window's texts to `texts`: applied, the undo copy holds those
    // the window showed before.
    void zoomTo(const QString& name, const graph::RangeTexts& texts);
    // Shows a Range the pointer or the keys moved to: the bounds written with 15 digits,
    // the steps kept or, with `newSteps`, chosen to suit the view. False when the graph
    // refuses it.
    bool moveTo(graph::Range range, bool newSteps);

    // The pan of a drag: the Range it started from, the offset from the press it started
    // at (a zoom during the drag starts it afresh), the last offset and the Range shown.
    struct Pan {
        graph::Range start;
        int fromX = 0;
        int fromY = 0;
        int lastX = 0;
        int lastY = 0;
        graph::Range shown;
    };
    std::optional<Pan> m_pan;

    AppState& m_app;
    Questions& m_questions;
    WorkSteps& m_steps;
    FrameWindows m_windows;
};

} // namespace lindor::ui
