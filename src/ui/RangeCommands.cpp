#include "ui/RangeCommands.h"

#include "graph/analysis/GridSteps.h"
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
    const graph::PlotArea& area = m_app.graphState().area();
    graph::analysis::adaptZoomBoxSteps(texts, box, area.width, area.height, m_app.locale());
    zoomTo(text("ZoomBox"), texts);
}

} // namespace lindor::ui
