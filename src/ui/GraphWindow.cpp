#include "ui/GraphWindow.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "graph/CurvePlotter.h"
#include "graph/analysis/Curve.h"
#include "graph/analysis/PointerText.h"
#include "graph/analysis/RangeSelection.h"
#include "graph/analysis/SearchBox.h"
#include "qt/ImageCopy.h"
#include "ui/AppState.h"
#include "ui/Guarded.h"
#include "ui/RangeCommands.h"

namespace lindor::ui {

namespace {

// The trace marker: an 8 by 8 red rounded outline that follows the traced curve.
class TraceMarker : public QWidget {
public:
    explicit TraceMarker(QWidget* parent) : QWidget(parent) {
        setObjectName("shapeTrace");
        setFixedSize(graph::analysis::kTraceMarkerSize, graph::analysis::kTraceMarkerSize);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(Qt::red, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), 2, 2);
    }
};

} // namespace

TGraphWindow::TGraphWindow(AppState& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_traceMarker(new TraceMarker(this)) {
    setObjectName("GraphWindow");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(40, 40);
    resize(442, 327);
}

QSize TGraphWindow::deviceSize() const {
    const double ratio = pixelRatio();
    return QSize(static_cast<int>(std::lround(width() * ratio)),
                 static_cast<int>(std::lround(height() * ratio)));
}

QPoint TGraphWindow::devicePixel(const QPointF& position) const {
    const double ratio = pixelRatio();
    return QPoint(static_cast<int>(std::floor(position.x() * ratio)),
                  static_cast<int>(std::floor(position.y() * ratio)));
}

QRect TGraphWindow::toWindow(const QRect& pixels) const {
    return qtgui::toUnits(pixels, pixelRatio());
}

qtgui::GraphSurfaces& TGraphWindow::pictureSurfaces() {
    if (pixelRatio() == 1.0 && m_surfaces.image().size() == size())
        return m_surfaces;
    if (!m_picture)
        m_picture = std::make_unique<qtgui::GraphSurfaces>();
    graph::Rendering rendering = m_app.graphState().rendering();
    rendering.pixelRatio = 1.0;
    m_app.graph.drawPictureAt(width(), height(), rendering, m_picture->canvas());
    return *m_picture;
}

void TGraphWindow::redraw() {
    graph::Rendering rendering = m_app.graphState().rendering();
    if (rendering.pixelRatio != pixelRatio()) {
        rendering.pixelRatio = pixelRatio();
        m_app.graph.setRendering(rendering);
    }
    const QSize device = deviceSize();
    m_app.graph.setClientSize(device.width(), device.height());
    m_app.graph.redraw(canvas());
    // A new Range or size moves the traced point: the marker follows at once.
    if (m_traceMarker->isVisible())
        updateTrace(m_lastPointerX);
    // The view may have moved under a still pointer (undo, the keys): its coordinates too.
    if (underMouse()) {
        const QPoint at = devicePixel(mapFromGlobal(QCursor::pos()));
        showPointer(at.x(), at.y());
    }
    refresh();
}

void TGraphWindow::refresh() {
    // Only what changed in the picture is copied again (a small part of it after a move
    // by a few pixels), and where the dragged rectangle was painted.
    QRegion changed = m_surfaces.takeChangedRegion();
    if (pixelRatio() != 1.0) {
        QRegion inWindow;
        for (const QRect& r : changed)
            inWindow += toWindow(r);
        changed = inWindow;
    }
    if (!m_paintedFocus.isNull())
        changed += m_paintedFocus.adjusted(-2, -2, 2, 2);
    m_paintedFocus = QRect();
    update(changed);
}

void TGraphWindow::markPoint(long double x, long double y) {
    m_app.graph.markPoint(x, y, canvas());
    refresh();
}

void TGraphWindow::hideTraceMarker() {
    m_traceMarker->hide();
}

bool TGraphWindow::isTraceMarkerVisible() const {
    return m_traceMarker->isVisible();
}

QPoint TGraphWindow::traceMarkerPosition() const {
    return m_traceMarker->pos();
}

void TGraphWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& image = m_surfaces.image();
    const double ratio = pixelRatio();
    qtgui::copyImageRegion(p, image, event->region(), ratio);
    // Where the window is larger than the picture (between a resize and its redraw).
    const QRect covered = toWindow(image.rect());
    if (!covered.contains(event->rect())) {
        QRegion rest(event->rect());
        rest -= covered;
        for (const QRect& r : rest)
            p.fillRect(r, Qt::white);
    }
    // The dragged rectangle is drawn on the window only, never into the picture.
    // It lies on device pixels, with lines a pixel of the window wide.
    if (m_drag.rectangleShown) {
        m_paintedFocus = m_paintedFocus.united(toWindow(focusRect()));
        p.scale(1 / ratio, 1 / ratio);
        p.setPen(QPen(Qt::black, m_app.graphState().rendering().lineWidth(1), Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(focusRect().adjusted(0, 0, -1, -1));
    }
    // Moved to a screen of another pixel ratio: the picture is drawn again for it.
    if (isVisible() && image.size() != deviceSize() &&
        m_app.graphState().rendering().pixelRatio != ratio)
        QMetaObject::invokeMethod(
            this, [this] { guarded([this] { redraw(); }); }, Qt::QueuedConnection);
}

QRect TGraphWindow::focusRect() const {
    const graph::analysis::PixelDrag& d = m_drag.pixels;
    return QRect(QPoint(d.startX, d.startY), QPoint(d.endX, d.endY)).normalized();
}

void TGraphWindow::redrawIfResized() {
    // Back from an icon at the size it had: the picture is still valid.
    const QSize device = deviceSize();
    if (m_surfaces.image().size() == device && m_app.graph.clientWidth() == device.width() &&
        m_app.graph.clientHeight() == device.height() &&
        m_app.graphState().rendering().pixelRatio == pixelRatio())
        update();
    else
        redraw();
}

void TGraphWindow::guarded(const std::function<void()>& draw) {
    if (m_guard)
        m_guard->run(draw);
    else
        draw();
}

void TGraphWindow::resizeEvent(QResizeEvent*) {
    if (isVisible())
        guarded([this] { redrawIfResized(); });
}

void TGraphWindow::showEvent(QShowEvent*) {
    guarded([this] { redrawIfResized(); });
}

void TGraphWindow::mousePressEvent(QMouseEvent* event) {
    const bool pending = m_app.graphState().anyPending();
    const QPoint at = devicePixel(event->position());
    // The middle button pans always, the left one when no range operation waits for a drag.
    if (m_panButton == Qt::NoButton && !m_drag.buttonDown &&
        (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && !pending))) {
        m_panButton = event->button();
        m_panFrom = event->position();
        navigate([](RangeCommands& moves) { moves.beginPan(); });
        showPointer(at.x(), at.y());
        return;
    }
    if (event->button() != Qt::LeftButton || m_panButton != Qt::NoButton || !pending)
        return;
    m_drag.buttonDown = true;
    if (m_drag.rectangleShown) {
        m_drag.rectangleShown = false;
        update();
    }
    m_drag.pixels = {at.x(), at.y(), at.x(), at.y()};
}

void TGraphWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = devicePixel(event->position());
    updateTrace(at.x());
    if (m_panButton != Qt::NoButton) {
        // The view moves by whole device pixels, those the pointer moved over.
        const QPointF offset = (event->position() - m_panFrom) * pixelRatio();
        const QPoint moved(static_cast<int>(std::lround(offset.x())),
                           static_cast<int>(std::lround(offset.y())));
        navigate([moved](RangeCommands& moves) { moves.panTo(moved.x(), moved.y()); });
        showPointer(at.x(), at.y());
        return;
    }
    if (!m_drag.buttonDown) {
        showPointer(at.x(), at.y());
        return;
    }
    if (at.x() == m_drag.pixels.endX && at.y() == m_drag.pixels.endY)
        return;
    const QRect old = focusRect();
    m_drag.pixels.endX = at.x();
    m_drag.pixels.endY = at.y();
    // The rectangle follows the pointer in every direction.
    m_drag.rectangleShown = !graph::analysis::isClick(m_drag.pixels, pixelRatio());
    update(toWindow(old.united(focusRect())).adjusted(-2, -2, 2, 2));
}

void TGraphWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == m_panButton) {
        m_panButton = Qt::NoButton;
        navigate([](RangeCommands& moves) { moves.endPan(); });
        return;
    }
    if (event->button() != Qt::LeftButton || !m_drag.buttonDown)
        return;
    graph::GraphState& state = m_app.graphState();
    m_drag.buttonDown = false;
    if (m_drag.rectangleShown) {
        m_drag.rectangleShown = false;
        update();
    }
    const QPoint at = devicePixel(event->position());
    m_drag.pixels.endX = at.x();
    m_drag.pixels.endY = at.y();
    emit statusText(QString());
    if (!m_host || !m_guard) {
        state.clearPending();
        return;
    }
    graph::analysis::SelectionEnd end = graph::analysis::SelectionEnd::Nothing;
    // The operations ask questions, zoom and write the log: a command like any other.
    m_guard->run([&] {
        end = graph::analysis::finishRangeSelection(state, m_drag.pixels,
                                                    graph::analysis::plottedCurves(state), *m_host,
                                                    m_app.analysisContext());
    });
    if (end == graph::analysis::SelectionEnd::Click)
        emit rangeNotDragged();
    else
        emit rangeSelectionFinished();
}

void TGraphWindow::leaveEvent(QEvent*) {
    emit pointerCoordinates(QString());
}

void TGraphWindow::wheelEvent(QWheelEvent* event) {
    const int angle = event->angleDelta().y();
    if (angle == 0) {
        event->ignore();
        return;
    }
    // About the device pixel under the pointer, the one whose coordinates are shown.
    const QPoint at = devicePixel(event->position());
    const long double factor =
        std::pow(kWheelNotchFactor, static_cast<long double>(angle) / kWheelNotch);
    navigate([&](RangeCommands& moves) { moves.zoomAbout(at.x(), at.y(), factor); });
    showPointer(at.x(), at.y());
    event->accept();
}

bool TGraphWindow::event(QEvent* event) {
    // A pinch on a touchpad: its value is the change of scale since the last event.
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            const QPoint at = devicePixel(gesture->position());
            const long double factor = 1.0L + gesture->value();
            navigate([&](RangeCommands& moves) { moves.zoomAbout(at.x(), at.y(), factor); });
            return true;
        }
    }
    return QWidget::event(event);
}

void TGraphWindow::navigate(const std::function<void(RangeCommands&)>& move) {
    if (m_moves && m_guard)
        m_guard->run([&] { move(*m_moves); });
}

void TGraphWindow::cancelRangeSelection() {
    graph::GraphState& state = m_app.graphState();
    const bool dragging = m_drag.buttonDown;
    m_drag.buttonDown = false;
    if (m_drag.rectangleShown) {
        m_drag.rectangleShown = false;
        update();
    }
    if (state.anyPending() || dragging) {
        state.clearPending();
        emit rangeSelectionCancelled();
    }
}

void TGraphWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancelRangeSelection();
        event->accept();
        return;
    }
    // The arrow keys move the view by a tenth of it.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        int right = 0;
        int up = 0;
        switch (event->key()) {
        case Qt::Key_Left:
            right = -1;
            break;
        case Qt::Key_Right:
            right = 1;
            break;
        case Qt::Key_Up:
            up = 1;
            break;
        case Qt::Key_Down:
            up = -1;
            break;
        default:
            break;
        }
        if (right != 0 || up != 0) {
            navigate([=](RangeCommands& moves) { moves.panByTenths(right, up); });
            event->accept();
            return;
        }
    }
    if (m_keys && !event->text().isEmpty()) {
        m_keys(event);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TGraphWindow::updateTrace(int x) {
    m_lastPointerX = x;
    const graph::GraphState& state = m_app.graphState();
    const auto update =
        graph::analysis::traceAt(state, graph::analysis::plottedCurves(state), x, m_app.locale());
    if (!update)
        return;
    if (!update->visible) {
        m_traceMarker->hide();
        emit statusText(QString());
        return;
    }
    const double ratio = pixelRatio();
    m_traceMarker->move(static_cast<int>(std::lround(update->markerLeft / ratio)),
                        static_cast<int>(std::lround(update->markerTop / ratio)));
    m_traceMarker->show();
    emit statusText(QString::fromStdString(update->statusText));
}

void TGraphWindow::showPointer(int x, int y) {
    // Only where the status bar has nothing else to say: no range asked for, no trace.
    const graph::GraphState& state = m_app.graphState();
    if (state.anyPending() || state.traceOn)
        return;
    emit pointerCoordinates(QString::fromStdString(
        graph::analysis::pointerCoordinatesText(state, x, y, m_app.locale())));
}

} // namespace lindor::ui
