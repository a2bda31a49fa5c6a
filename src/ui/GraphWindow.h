// The graph window: shows the picture the graph draws, turns mouse drags (in any direction)
// into range selections or pans, the wheel and a pinch into zooms about the pointer and the
// arrow keys into pans, moves the trace marker and reports pointer coordinates. All drawing
// is done by the core into the window's two surfaces (bitmap and recording); painting copies
// the bitmap and draws the dragged rectangle over it. The picture is drawn in the screen's
// device pixels (twice the window's size in each direction at 200 %), and so are the
// positions the core is given and gives back.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "graph/analysis/SearchBox.h"
#include "qt/GraphSurfaces.h"

namespace lindor::graph::analysis {
class RangeSelectionHost;
}

namespace lindor::ui {

class AppState;
class CommandGuard;
class RangeCommands;

class TGraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit TGraphWindow(AppState& app, QWidget* parent = nullptr);

    // What every drawing goes to.
    graph::Canvas& canvas() { return m_surfaces.canvas(); }
    qtgui::GraphSurfaces& surfaces() { return m_surfaces; }
    const QImage& bitmap() { return m_surfaces.image(); }
    // The picture for files, the clipboard and the printer, at the window's size: the
    // window's own surfaces at a pixel ratio of 1, else the picture drawn once more at that
    // size.
    qtgui::GraphSurfaces& pictureSurfaces();
    // Device pixels per pixel of the window.
    double pixelRatio() const { return devicePixelRatioF(); }
    // The device pixel under a position in the window.
    QPoint devicePixel(const QPointF& position) const;

    // A full redraw with the current state.
    void redraw();
    // Shows what was drawn since the last paint.
    void refresh();
    // The red circle on an analysis result.
    void markPoint(long double x, long double y);
    // Hides the trace marker (trace switched off, the traced function gone).
    void hideTraceMarker();
    bool isTraceMarkerVisible() const;
    QPoint traceMarkerPosition() const;

    // Who runs the range operations when the mouse button is released, and the guard they
    // run under.
    void setSelectionHost(graph::analysis::RangeSelectionHost* host, const CommandGuard* guard) {
        m_host = host;
        m_guard = guard;
    }
    // Escape: a drag in progress ends without running anything, and the pending range
    // operations are given up.
    void cancelRangeSelection();
    // The dragged rectangle of a range operation is shown.
    bool isRangeRectangleShown() const { return m_drag.rectangleShown; }
    // What moves the view (pans, zooms about the pointer), run under the guard.
    void setViewMoves(RangeCommands* moves) { m_moves = moves; }
    // Where typed characters go (the function pad's key handling).
    void setKeyHandler(std::function<void(QKeyEvent*)> handler) { m_keys = std::move(handler); }

signals:
    // Text for the status bar (trace); empty clears it.
    void statusText(const QString& text);
    // The pointer's coordinates, for the status bar when it has nothing else to say; empty
    // when the pointer left.
    void pointerCoordinates(const QString& text);
    // After the range operations of a drag have run.
    void rangeSelectionFinished();
    // A click where a range was to be dragged: the operation stays pending.
    void rangeNotDragged();
    // Escape gave up the pending range operations.
    void rangeSelectionCancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    // A drag with the left button while a range operation waits: where it started and where
    // the pointer is, and whether the rectangle is shown (never into the picture).
    struct RangeDrag {
        graph::analysis::PixelDrag pixels;
        bool buttonDown = false;
        bool rectangleShown = false;
    };

    void redrawIfResized();
    // Runs `draw` under the guard once there is one: drawing that fails in an event of the
    // window system is reported like a failed command.
    void guarded(const std::function<void()>& draw);
    // The window's size in device pixels.
    QSize deviceSize() const;
    // A rectangle of device pixels in the window's coordinates (whole pixels, outwards).
    QRect toWindow(const QRect& pixels) const;
    // Runs a move of the view under the guard.
    void navigate(const std::function<void(RangeCommands&)>& move);
    void updateTrace(int x);
    void showPointer(int x, int y);
    QRect focusRect() const;

    AppState& m_app;
    qtgui::GraphSurfaces m_surfaces;
    std::unique_ptr<qtgui::GraphSurfaces> m_picture; // at the window's size, when needed
    QWidget* m_traceMarker;
    graph::analysis::RangeSelectionHost* m_host = nullptr;
    const CommandGuard* m_guard = nullptr;
    std::function<void(QKeyEvent*)> m_keys;
    RangeDrag m_drag;
    RangeCommands* m_moves = nullptr;
    // The button of a drag that pans, and where it went down.
    Qt::MouseButton m_panButton = Qt::NoButton;
    QPointF m_panFrom; // in the window's coordinates
    int m_lastPointerX = 0;
    QRect m_paintedFocus; // where the dragged rectangle was painted since the last refresh
};

} // namespace lindor::ui
