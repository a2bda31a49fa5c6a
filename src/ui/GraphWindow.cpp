#include "ui/GraphWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "graph/CurvePlotter.h"
#include "graph/analysis/Curve.h"
#include "graph/analysis/PointerText.h"
#include "graph/analysis/RangeSelection.h"
#include "graph/analysis/SearchBox.h"
#include "qt/ImageCopy.h"
#include "ui/AppState.h"
#include "ui/Guarded.h"

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
    if (m_app.graphState().drag.focusShown) {
        m_paintedFocus = m_paintedFocus.united(focusRect());
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(focusRect().adjusted(0, 0, -1, -1));
    }
}

QRect TGraphWindow::focusRect() const {
    const graph::DragState& d = m_app.graphState().drag;
    return QRect(QPoint(d.startX, d.startY), QPoint(d.currentX, d.currentY)).normalized();
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
    if (event->button() != Qt::LeftButton)
        return;
    graph::GraphState& state = m_app.graphState();
    const QPoint at = event->position().toPoint();
    state.drag.buttonDown = true;
    if (!state.anyPending()) {
        showPointer(at.x(), at.y());
        return;
    }
    if (state.drag.focusShown) {
        state.drag.focusShown = false;
        update();
    }
    state.drag.startX = state.drag.currentX = at.x();
    state.drag.startY = state.drag.currentY = at.y();
}

void TGraphWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    updateTrace(at.x());
    graph::GraphState& state = m_app.graphState();
    if (!state.drag.buttonDown)
        return;
    if (!state.anyPending()) {
        showPointer(at.x(), at.y());
        return;
    }
    if (at.x() == state.drag.currentX && at.y() == state.drag.currentY)
        return;
    const QRect old = focusRect();
    state.drag.currentX = at.x();
    state.drag.currentY = at.y();
    // The rectangle follows the pointer in every direction.
    state.drag.focusShown = !graph::analysis::isClick(state.drag);
    update(old.united(focusRect()).adjusted(-2, -2, 2, 2));
}

void TGraphWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    graph::GraphState& state = m_app.graphState();
    if (!state.drag.buttonDown)
        return;
    state.drag.buttonDown = false;
    if (state.drag.focusShown) {
        state.drag.focusShown = false;
        update();
    }
    if (state.anyPending()) {
        const QPoint at = event->position().toPoint();
        state.drag.currentX = at.x();
        state.drag.currentY = at.y();
    }
    emit statusText(QString());
    if (!m_host || !m_guard) {
        state.clearPending();
        return;
    }
    graph::analysis::SelectionEnd end = graph::analysis::SelectionEnd::Nothing;
    // The operations ask questions, zoom and write the log: a command like any other.
    m_guard->run([&] {
        end = graph::analysis::finishRangeSelection(state, graph::analysis::plottedCurves(state),
                                                    *m_host, m_app.analysisContext());
    });
    if (end == graph::analysis::SelectionEnd::Click)
        emit rangeNotDragged();
    else
        emit rangeSelectionFinished();
}

void TGraphWindow::cancelRangeSelection() {
    graph::GraphState& state = m_app.graphState();
    const bool dragging = state.drag.buttonDown;
    state.drag.buttonDown = false;
    if (state.drag.focusShown) {
        state.drag.focusShown = false;
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
    emit statusText(QString::fromStdString(
        graph::analysis::pointerCoordinatesText(m_app.graphState(), x, y, m_app.locale())));
}

} // namespace lindor::ui
