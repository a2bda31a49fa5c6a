#include "ui/RangeCommands.h"

#include <cmath>

#include "graph/analysis/GridSteps.h"
#include "graph/analysis/RangeMoves.h"
#include "ui/AppState.h"
#include "ui/GraphWindow.h"
#include "ui/Questions.h"
#include "ui/RangeWindow.h"
#include "ui/WorkSteps.h"

namespace lindor::ui {

RangeCommands::RangeCommands(AppState& app, Questions& questions, WorkSteps& steps,
                             const FrameWindows& windows, QObject* parent)
    : QObject(parent), m_app(app), m_questions(questions), m_steps(steps), m_windows(windows) {}

QString RangeCommands::text(const char* key) const {
    return QString::fromStdString(m_app.language.text(key));
}

std::pair<int, int> RangeCommands::designSize() const {
    // The graph is drawn in device pixels; the steps suit the pixels of the design, whatever
    // the screen's pixel ratio, so that grid lines stay as far apart on every screen.
    const graph::PlotArea& area = m_app.graphState().area();
    const double ratio = m_app.graphState().rendering().pixelRatio;
    return {static_cast<int>(std::lround(area.width / ratio)),
            static_cast<int>(std::lround(area.height / ratio))};
}

bool RangeCommands::applyRangeTexts(const graph::RangeTexts& texts) {
    graph::Range range;
    std::string error;
    if (!graph::analysis::rangeFromTexts(texts, range, m_app.engine, error) ||
        !m_app.graph.applyRange(range, error)) {
        m_questions.error(QString::fromStdString(error));
        return false;
    }
    m_app.work.range = range;
    m_app.work.rangeTexts = texts;
    showRange();
    m_windows.graph.redraw();
    return true;
}

void RangeCommands::showRange() {
    std::string error;
    if (m_app.graphState().range() != m_app.work.range)
        m_app.graph.applyRange(m_app.work.range, error);
    if (m_windows.range.texts() != m_app.work.rangeTexts)
        m_windows.range.setTexts(m_app.work.rangeTexts);
    m_windows.range.setRedrawEnabled(false);
}

bool RangeCommands::applyRange() {
    bool applied = false;
    m_steps.record(text("Range"), [&] { applied = applyRangeTexts(m_windows.range.texts()); });
    return applied;
}

void RangeCommands::zoomTo(const QString& name, const graph::RangeTexts& texts) {
    const graph::RangeTexts before = m_windows.range.texts();
    m_steps.record(name, [&] {
        if (applyRangeTexts(texts))
            m_app.work.rangeUndo.fill(before);
    });
}

void RangeCommands::zoom(graph::analysis::ZoomDirection direction) {
    graph::RangeTexts texts = m_windows.range.texts();
    std::string error;
    if (!graph::analysis::zoomRangeTexts(texts, direction, m_app.view().zoomFactorX,
                                         m_app.view().zoomFactorY, m_app.engine, error)) {
        m_questions.error(QString::fromStdString(error));
        return;
    }
    zoomTo(text(direction == graph::analysis::ZoomDirection::In ? "ZoomIn" : "ZoomOut"), texts);
}

void RangeCommands::undoZoom() {
    m_steps.record(text("UndoZoom"), [&] { applyRangeTexts(m_app.work.rangeUndo.copy()); });
}

void RangeCommands::zoomToBox(const graph::analysis::SearchBox& box) {
    graph::RangeTexts texts = m_windows.range.texts();
    graph::analysis::applyZoomBox(texts, box, m_app.locale());
    // The steps follow the new size, so that grid lines and scale text stay readable.
    const auto [width, height] = designSize();
    graph::analysis::adaptZoomBoxSteps(texts, box, width, height, m_app.locale());
    zoomTo(text("ZoomBox"), texts);
}

bool RangeCommands::moveTo(graph::Range range, bool newSteps) {
    if (newSteps) {
        const auto [width, height] = designSize();
        const long double xStep = graph::analysis::gridStep(range.xMax - range.xMin, width);
        const long double yStep = graph::analysis::gridStep(range.yMax - range.yMin, height);
        if (xStep > 0)
            range.xStep = xStep;
        if (yStep > 0)
            range.yStep = yStep;
    }
    std::string error;
    if (!m_app.graph.applyRange(range, error))
        return false;
    const auto written = [this](long double v) {
        return formatGeneral(v, graph::analysis::kRangeTextDigits, m_app.locale());
    };
    graph::RangeTexts& texts = m_app.work.rangeTexts;
    texts[graph::kXminRow] = written(range.xMin);
    texts[graph::kXmaxRow] = written(range.xMax);
    texts[graph::kYminRow] = written(range.yMin);
    texts[graph::kYmaxRow] = written(range.yMax);
    if (range.xStep != m_app.work.range.xStep)
        texts[graph::kXstepRow] = written(range.xStep);
    if (range.yStep != m_app.work.range.yStep)
        texts[graph::kYstepRow] = written(range.yStep);
    m_app.work.range = range;
    showRange();
    m_windows.graph.redraw();
    return true;
}

void RangeCommands::beginPan() {
    m_pan = Pan{m_app.work.range, 0, 0, 0, 0, m_app.work.range};
    m_steps.beginGesture(text("StepPan"));
}

void RangeCommands::panTo(int dx, int dy) {
    if (!m_pan)
        return;
    if (m_app.work.range != m_pan->shown) {
        // Something else moved the view during the drag (the wheel): pan on from there.
        m_pan->start = m_app.work.range;
        m_pan->fromX = m_pan->lastX;
        m_pan->fromY = m_pan->lastY;
    }
    if (!m_steps.inGesture())
        m_steps.beginGesture(text("StepPan"));
    m_pan->lastX = dx;
    m_pan->lastY = dy;
    const std::optional<graph::Range> moved = graph::analysis::panRange(
        m_pan->start, m_app.graphState().area(), dx - m_pan->fromX, dy - m_pan->fromY);
    if (moved && moveTo(*moved, false))
        m_pan->shown = m_app.work.range;
}

void RangeCommands::endPan() {
    m_pan.reset();
    m_steps.endGesture();
}

void RangeCommands::panByTenths(int right, int up) {
    const graph::PlotArea& area = m_app.graphState().area();
    const int dx = -right * static_cast<int>(std::lround(area.width / 10.0));
    const int dy = up * static_cast<int>(std::lround(area.height / 10.0));
    const std::optional<graph::Range> moved =
        graph::analysis::panRange(m_app.work.range, area, dx, dy);
    if (!moved)
        return;
    m_steps.record(
        text("StepPan"), [&] { moveTo(*moved, false); }, StepKind::Pan);
}

void RangeCommands::zoomAbout(long double pixelX, long double pixelY, long double factor) {
    const std::optional<graph::Range> zoomed = graph::analysis::zoomRangeAbout(
        m_app.work.range, m_app.graphState().area(), pixelX, pixelY, factor);
    if (!zoomed)
        return;
    // Notches in quick succession are one zoom: Undo Zoom goes back to before the first.
    const bool continuing = m_steps.continues(StepKind::Zoom);
    const graph::RangeTexts before = m_app.work.rangeTexts;
    m_steps.record(
        text("StepZoom"),
        [&] {
            if (moveTo(*zoomed, true) && !continuing)
                m_app.work.rangeUndo.fill(before);
        },
        StepKind::Zoom);
}

void RangeCommands::zoomAboutCentre(bool in) {
    const graph::PlotArea& area = m_app.graphState().area();
    zoomAbout(area.left + area.width / 2.0L, area.top + area.height / 2.0L,
              in ? kWheelNotchFactor : 1 / kWheelNotchFactor);
}

} // namespace lindor::ui
