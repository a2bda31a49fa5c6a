#include "ui/SelectionSteps.h"

#include <QColor>

#include "graph/Color.h"
#include "ui/AppState.h"
#include "ui/GraphWindow.h"
#include "ui/LogWindow.h"
#include "ui/Questions.h"
#include "ui/RangeCommands.h"
#include "ui/SelectFunctionDialog.h"

namespace lindor::ui {

using graph::RangeOperation;

std::vector<int> allPlotted(const graph::GraphState& state) {
    std::vector<int> positions;
    for (int p = 0; p < state.functionCount(); ++p)
        positions.push_back(p);
    return positions;
}

SelectionSteps::SelectionSteps(AppState& app, Questions& questions, const FrameWindows& windows,
                               RangeCommands& ranges, QObject* parent)
    : QObject(parent), m_app(app), m_questions(questions), m_windows(windows), m_ranges(ranges) {}

SelectionSteps::~SelectionSteps() = default;

QString SelectionSteps::text(const char* key) const {
    return QString::fromStdString(m_app.language.text(key));
}

void SelectionSteps::startRangeOperation(RangeOperation operation) {
    emit statusText(QString());
    m_app.graphState().clearPending();
    m_app.graphState().setPending(operation);
    showPendingStatus();
}

void SelectionSteps::showPendingStatus(const char* askKey) {
    const std::optional<RangeOperation> pending = graph::analysis::firstPending(m_app.graphState());
    if (!pending) {
        emit statusText(QString());
        return;
    }
    emit statusText(text(graph::analysis::operationKey(*pending)) + ": " + text(askKey));
}

void SelectionSteps::rangeNotDragged() {
    showPendingStatus("DragARangeNotAClick");
}

std::optional<int> SelectionSteps::selectFromAllPlotted() {
    const graph::GraphState& state = m_app.graphState();
    return selectOneFunction(state, allPlotted(state));
}

std::vector<int> SelectionSteps::chooseCandidates(const std::vector<int>& candidates,
                                                  const char* captionKey, bool multiple) {
    const graph::GraphState& state = m_app.graphState();
    if (!m_selectDialog)
        m_selectDialog =
            std::make_unique<TSelectGraphWindow>(m_app.language, m_questions, m_windows.mainWindow);
    std::vector<TSelectGraphWindow::Item> items;
    for (int position : candidates) {
        const graph::Color c = graph::kFunctionColors[static_cast<std::size_t>(position)];
        items.push_back(
            {QString::fromStdString(state.functions()[static_cast<std::size_t>(position)].text),
             QColor(c.r, c.g, c.b)});
    }
    m_selectDialog->setWindowTitle(text(captionKey));
    m_selectDialog->setMultiSelection(multiple);
    m_selectDialog->setItems(items);
    std::vector<int> rows;
    if (m_questions.runDialog(*m_selectDialog) == QDialog::Accepted)
        rows = m_selectDialog->selectedRows();
    m_selectDialog->setMultiSelection(false);
    return rows;
}

std::optional<int> SelectionSteps::selectOneFunction(const graph::GraphState& state,
                                                     const std::vector<int>& candidates) {
    if (candidates.empty()) {
        // Nothing plotted, or nothing where the user looked.
        m_questions.error(text(state.functionCount() == 0 ? "AtLeastOneFunctionMustBePlotted"
                                                          : "NoFunctionInTheRange"));
        return std::nullopt;
    }
    if (candidates.size() == 1)
        return candidates.front();
    const std::vector<int> rows = chooseCandidates(candidates, "SelectFunction", false);
    if (rows.empty())
        return std::nullopt;
    return candidates[static_cast<std::size_t>(rows.front())];
}

std::optional<std::pair<int, int>>
SelectionSteps::selectTwoFunctions(const graph::GraphState& state,
                                   const std::vector<int>& candidates) {
    if (candidates.size() < 2) {
        m_questions.error(text(state.functionCount() < 2 ? "AtLeastTwoFunctionsMustBePlotted"
                                                         : "TwoFunctionsNotInTheRange"));
        return std::nullopt;
    }
    if (candidates.size() == 2)
        return std::pair(candidates[0], candidates[1]);
    const std::vector<int> first = chooseCandidates(candidates, "SelectFunctionOne", false);
    if (first.empty())
        return std::nullopt;
    const std::vector<int> second = chooseCandidates(candidates, "SelectFunctionTwo", false);
    if (second.empty())
        return std::nullopt;
    if (first.front() == second.front()) {
        m_questions.error(text("YouSelectedTheSameFunctionTwice"));
        return std::nullopt;
    }
    return std::pair(candidates[static_cast<std::size_t>(first.front())],
                     candidates[static_cast<std::size_t>(second.front())]);
}

bool SelectionSteps::askValue(const std::string& caption, const std::string& prompt,
                              std::string& typed) {
    const std::optional<QString> answer = m_questions.inputText(
        QString::fromStdString(caption), QString::fromStdString(prompt), QString());
    if (!answer)
        return false;
    typed = answer->toStdString();
    return true;
}

void SelectionSteps::appendLog(const std::vector<std::string>& lines) {
    m_windows.log.appendLines(lines);
}

void SelectionSteps::markPoint(long double x, long double y) {
    m_windows.graph.markPoint(x, y);
}

void SelectionSteps::showError(const std::string& message) {
    m_questions.error(QString::fromStdString(message));
}

void SelectionSteps::zoomToBox(const graph::analysis::SearchBox& box) {
    m_ranges.zoomToBox(box);
}

} // namespace lindor::ui
