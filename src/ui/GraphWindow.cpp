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

void TGraphWindow::redraw() {
    m_app.graph.setClientSize(width(), height());
    m_app.graph.redraw(canvas());
    // A new Range or size moves the traced point: the marker follows at once.
    if (m_traceMarker->isVisible())
        updateTrace(m_lastPointerX);
    // The view may have moved under a still pointer (undo, the keys): its coordinates too.
    if (underMouse()) {
        const QPoint at = mapFromGlobal(QCursor::pos());
        showPointer(at.x(), at.y());
    }
    refresh();
}

void TGraphWindow::refresh() {
    // Only what changed in the picture is copied again (a small part of it after a move
    // by a few pixels), and where the dragged rectangle was painted.
    QRegion changed = m_surfaces.takeChangedRegion();
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
    qtgui::copyImageRegion(p, image, event->region());
    // Where the window is larger than the picture (between a resize and its redraw).
    const QRect covered = image.rect();
    if (!covered.contains(event->rect())) {
        QRegion rest(event->rect());
        rest -= covered;
        for (const QRect& r : rest)
            p.fillRect(r, Qt::white);
    }
    // The dragged rectangle is drawn on the window only, never into the picture.
    if (m_drag.rectangleShown) {
        m_paintedFocus = m_paintedFocus.united(focusRect());
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(focusRect().adjusted(0, 0, -1, -1));
    }
}

QRect TGraphWindow::focusRect() const {
    const graph::analysis::PixelDrag& d = m_drag.pixels;
    return QRect(QPoint(d.startX, d.startY), QPoint(d.endX, d.endY)).normalized();
}

void TGraphWindow::redrawIfResized() {
    // Back from an icon at the size it had: the picture is still valid.
    if (m_surfaces.image().size() == size() && m_app.graph.clientWidth() == width() &&
        m_app.graph.clientHeight() == height())
        update();
    else
        redraw();
}

void TGraphWindow::resizeEvent(QResizeEvent*) {
    if (isVisible())
        redrawIfResized();
}

void TGraphWindow::showEvent(QShowEvent*) {
    redrawIfResized();
}

void TGraphWindow::mousePressEvent(QMouseEvent* event) {
    const bool pending = m_app.graphState().anyPending();
    const QPoint at = event->position().toPoint();
    // The middle button pans always, the left one when no range operation waits for a drag.
    if (m_panButton == Qt::NoButton && !m_drag.buttonDown &&
        (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && !pending))) {
        m_panButton = event->button();
        m_panFrom = at;
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
    const QPoint at = event->position().toPoint();
    updateTrace(at.x());
    if (m_panButton != Qt::NoButton) {
        const QPoint moved = at - m_panFrom;
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
    m_drag.rectangleShown = !graph::analysis::isClick(m_drag.pixels);
    update(old.united(focusRect()).adjusted(-2, -2, 2, 2));
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
    const QPoint at = event->position().toPoint();
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
    const QPointF at = event->position();
    const long double factor =
        std::pow(kWheelNotchFactor, static_cast<long double>(angle) / kWheelNotch);
    navigate([&](RangeCommands& moves) { moves.zoomAbout(at.x(), at.y(), factor); });
    showPointer(at.toPoint().x(), at.toPoint().y());
    event->accept();
}

bool TGraphWindow::event(QEvent* event) {
    // A pinch on a touchpad: its value is the change of scale since the last event.
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            const QPointF at = gesture->position();
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
    m_traceMarker->move(update->markerLeft, update->markerTop);
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
