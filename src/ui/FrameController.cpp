#include "ui/FrameController.h"

#include <QColor>
#include <cmath>

#include "files/SettingsFile.h"
#include "graph/Color.h"
#include "graph/analysis/GridSteps.h"
#include "ui/AppState.h"
#include "ui/EntryBox.h"
#include "ui/GraphWindow.h"
#include "ui/InstructionsDialog.h"
#include "ui/LogWindow.h"
#include "ui/Questions.h"
#include "ui/RangeWindow.h"
#include "ui/SelectFunctionDialog.h"

namespace lindor::ui {

using graph::Mode;
using graph::PlotOutcome;
using graph::RangeOperation;

FrameController::FrameController(AppState& app, Questions& questions, FrameWindows windows)
    : m_app(app), m_questions(questions), m_windows(windows) {
    // The integral writes its lines to the log window.
    m_app.graph.setLogSink([this](const std::string& line) { m_windows.log.appendLines({line}); });
}

FrameController::~FrameController() {
    m_app.graph.setLogSink(nullptr);
}

QString FrameController::text(const char* key) const {
    return QString::fromStdString(m_app.language.text(key));
}

bool FrameController::plotCommand() {
    emit statusText(QString());
    const QString typed = m_windows.entry.text();
    // The integral's log lines belong to a new integral only, never to one already shown.
    m_app.graphState().integralLogRequest = m_app.graphState().mode() == Mode::Integral;
    const bool taken = plotText(typed);
    m_app.graphState().integralLogRequest = false;
    if (taken) {
        m_windows.entry.addToHistory(typed);
        m_windows.entry.setText(typed);
        // Typing the next function replaces this one.
        m_windows.entry.selectText();
    }
    return taken;
}

bool FrameController::plotText(const QString& typed) {
    const Mode mode = m_app.graphState().mode();
    const PlotOutcome outcome =
        m_app.graph.plotRequest(typed.toStdString(), m_windows.graph.canvas());
    m_windows.graph.refresh();
    switch (outcome.status) {
    case PlotOutcome::Status::Plotted:
        markModified();
        break;
    case PlotOutcome::Status::LimitReached:
        m_questions.information(QString::fromStdString(outcome.message));
        break;
    case PlotOutcome::Status::CompileError:
        m_questions.error(QString::fromStdString(outcome.message));
        if (outcome.showInstructions)
            showInstructions(mode, false);
        break;
    case PlotOutcome::Status::BadNumber:
        m_questions.error(QString::fromStdString(outcome.message));
        break;
    case PlotOutcome::Status::InvalidIntegral:
        showInstructions(mode, false);
        break;
    case PlotOutcome::Status::EmptyText: {
        const files::Notice notice = mode == Mode::Function ? files::Notice::FunctionInstructions
                                                            : files::Notice::IntegralInstructions;
        if (!m_app.settings.neverShow(notice))
            showInstructions(mode, true);
        break;
    }
    }
    return outcome.reported;
}

QString FrameController::plotEntries(const std::vector<std::string>& entries) {
    QStringList refused;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PlotOutcome outcome = m_app.graph.plotRequest(entries[i], m_windows.graph.canvas());
        if (outcome.status == PlotOutcome::Status::Plotted) {
            m_windows.entry.addToHistory(QString::fromStdString(entries[i]));
            continue;
        }
        // What the entry was and why it was left out, in one line.
        QString line = entries[i].empty() ? text("EmptyEntry").replace("%d", QString::number(i + 1))
                                          : QString::fromStdString(entries[i]);
        QString reason = QString::fromStdString(outcome.message);
        if (outcome.status == PlotOutcome::Status::InvalidIntegral)
            reason = text("IntegralTextNotValid");
        if (!reason.isEmpty())
            line += QStringLiteral(": ") + reason;
        refused << line;
    }
    m_windows.graph.refresh();
    if (refused.isEmpty())
        return {};
    // A hand-made file may name a hundred entries: the first few stand for the rest.
    constexpr int kShown = 10;
    QString message = text("DocumentEntriesNotPlotted");
    for (int i = 0; i < refused.size() && i < kShown; ++i)
        message += QStringLiteral("\n") + refused[i];
    if (refused.size() > kShown)
        message +=
            QStringLiteral("\n") +
            text("AndMore").replace(QStringLiteral("%d"), QString::number(refused.size() - kShown));
    return message;
}

void FrameController::showInstructions(Mode mode, bool storeChoice) {
    const files::Notice notice = mode == Mode::Function ? files::Notice::FunctionInstructions
                                                        : files::Notice::IntegralInstructions;
    InstructionsDialog* dialog = nullptr;
    if (mode == Mode::Function) {
        if (!m_functionInstructions)
            m_functionInstructions =
                std::make_unique<TdlgFunctionInstructions>(m_app.language, m_windows.mainWindow);
        dialog = m_functionInstructions.get();
    } else {
        if (!m_integralInstructions)
            m_integralInstructions =
                std::make_unique<TdlgIntegralInstructions>(m_app.language, m_windows.mainWindow);
        dialog = m_integralInstructions.get();
    }
    if (!dialog->isHelpAvailable()) {
        dialog->setHelpAvailable(true);
        connect(dialog, &InstructionsDialog::helpRequested, this, &FrameController::helpRequested);
    }
    dialog->setNeverShow(m_app.settings.neverShow(notice));
    if (m_questions.runDialog(*dialog) == QDialog::Accepted && storeChoice)
        m_app.settings.setNeverShow(notice, dialog->neverShow());
}

void FrameController::setMode(Mode mode) {
    if (m_app.graphState().mode() != mode) {
        startMode(mode);
        markModified();
        return;
    }
    m_windows.log.clear();
    m_windows.entry.setText(QString());
    emit statusText(QString());
    emit modeChanged(mode);
}

void FrameController::startMode(Mode mode) {
    m_windows.log.clear();
    m_windows.entry.setText(QString());
    emit statusText(QString());
    storeActiveHistory();
    m_windows.entry.setHistory(mode == Mode::Function ? m_app.histories.functions
                                                      : m_app.histories.integrals);
    if (!m_app.graph.setMode(mode, m_windows.graph.canvas()))
        m_app.graph.newWork(m_windows.graph.canvas());
    m_windows.graph.hideTraceMarker();
    m_windows.graph.refresh();
    emit traceChanged(false);
    emit modeChanged(mode);
}

void FrameController::storeActiveHistory() {
    if (m_app.graphState().mode() == Mode::Function)
        m_app.histories.functions = m_windows.entry.history();
    else
        m_app.histories.integrals = m_windows.entry.history();
}

void FrameController::erase() {
    graph::GraphState& state = m_app.graphState();
    if (state.functionCount() == 0) {
        m_questions.error(text("AtLeastOneFunctionMustBePlotted"));
        return;
    }
    state.candidates.clear();
    for (int p = 0; p < state.functionCount(); ++p)
        state.candidates.push_back(p);
    const std::vector<int> rows = chooseCandidates("SelectFunctionToErase", true);
    if (rows.empty())
        return;
    std::vector<int> positions;
    for (int row : rows)
        positions.push_back(state.candidates[static_cast<std::size_t>(row)]);
    const bool traced = state.traceOn;
    m_app.graph.eraseFunctions(positions, m_windows.graph.canvas());
    m_windows.graph.refresh();
    if (traced && !state.traceOn)
        stopTrace();
    markModified();
}

void FrameController::emptyHistory() {
    if (m_questions.askYesNo(text("DeleteAllTheFunctions")))
        m_windows.entry.setHistory({});
}

bool FrameController::applyRangeTexts(const graph::RangeTexts& texts) {
    const graph::Range before = m_app.graphState().range();
    graph::Range range;
    std::string error;
    if (!graph::analysis::rangeFromTexts(texts, range, m_app.engine, error) ||
        !m_app.graph.applyRange(range, error)) {
        m_questions.error(QString::fromStdString(error));
        return false;
    }
    if (m_windows.range.texts() != texts)
        m_windows.range.setTexts(texts);
    m_windows.range.setRedrawEnabled(false);
    if (range != before)
        markModified();
    redraw();
    return true;
}

bool FrameController::applyRange() {
    return applyRangeTexts(m_windows.range.texts());
}

void FrameController::fillRangeUndo() {
    m_app.rangeUndo.fill(m_windows.range.texts());
}

void FrameController::zoom(graph::analysis::ZoomDirection direction) {
    const graph::RangeTexts before = m_windows.range.texts();
    graph::RangeTexts texts = before;
    std::string error;
    if (!graph::analysis::zoomRangeTexts(texts, direction, m_app.view().zoomFactorX,
                                         m_app.view().zoomFactorY, m_app.engine, error)) {
        m_questions.error(QString::fromStdString(error));
        return;
    }
    if (applyRangeTexts(texts))
        m_app.rangeUndo.fill(before);
}

void FrameController::undoZoom() {
    graph::RangeTexts texts;
    m_app.rangeUndo.restoreInto(texts);
    applyRangeTexts(texts);
}

void FrameController::startRangeOperation(RangeOperation operation) {
    if (operation == RangeOperation::ZoomBox)
        fillRangeUndo();
    emit statusText(QString());
    m_app.graphState().clearPending();
    m_app.graphState().setPending(operation);
    showPendingStatus();
}

void FrameController::showPendingStatus(const char* askKey) {
    const std::optional<RangeOperation> pending = graph::analysis::firstPending(m_app.graphState());
    if (!pending) {
        emit statusText(QString());
        return;
    }
    emit statusText(text(graph::analysis::operationKey(*pending)) + ": " + text(askKey));
}

void FrameController::rangeNotDragged() {
    showPendingStatus("DragARangeNotAClick");
}

void FrameController::toggleTrace() {
    graph::GraphState& state = m_app.graphState();
    if (state.traceOn) {
        stopTrace();
        return;
    }
    state.traceOn = true;
    emit traceChanged(true);
    // Trace stays on whatever the selection gives; it follows the selected function.
    selectFromAllPlotted();
}

void FrameController::stopTrace() {
    m_app.graphState().traceOn = false;
    m_windows.graph.hideTraceMarker();
    emit statusText(QString());
    emit traceChanged(false);
}

void FrameController::redraw() {
    m_windows.graph.redraw();
}

void FrameController::markModified() {
    if (!m_app.modified) {
        m_app.modified = true;
        emit modifiedChanged(true);
    }
}

bool FrameController::selectFromAllPlotted() {
    graph::GraphState& state = m_app.graphState();
    state.candidates.clear();
    for (int p = 0; p < state.functionCount(); ++p)
        state.candidates.push_back(p);
    return selectOneFunction(state);
}

std::vector<int> FrameController::chooseCandidates(const char* captionKey, bool multiple) {
    const graph::GraphState& state = m_app.graphState();
    if (!m_selectDialog)
        m_selectDialog =
            std::make_unique<TSelectGraphWindow>(m_app.language, m_questions, m_windows.mainWindow);
    std::vector<TSelectGraphWindow::Item> items;
    for (int position : state.candidates) {
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

bool FrameController::selectOneFunction(graph::GraphState& state) {
    if (state.candidates.empty()) {
        // Nothing plotted, or nothing where the user looked.
        m_questions.error(text(state.functionCount() == 0 ? "AtLeastOneFunctionMustBePlotted"
                                                          : "NoFunctionInTheRange"));
        return false;
    }
    if (state.candidates.size() == 1) {
        state.selectedIndex = state.candidates.front();
        return true;
    }
    const std::vector<int> rows = chooseCandidates("SelectFunction", false);
    if (rows.empty())
        return false;
    state.selectedIndex = state.candidates[static_cast<std::size_t>(rows.front())];
    return true;
}

bool FrameController::selectTwoFunctions(graph::GraphState& state) {
    if (state.candidates.size() < 2) {
        m_questions.error(text(state.functionCount() < 2 ? "AtLeastTwoFunctionsMustBePlotted"
                                                         : "TwoFunctionsNotInTheRange"));
        return false;
    }
    if (state.candidates.size() == 2) {
        state.firstSelectedIndex = state.candidates[0];
        state.secondSelectedIndex = state.candidates[1];
        return true;
    }
    const std::vector<int> first = chooseCandidates("SelectFunctionOne", false);
    if (first.empty())
        return false;
    const std::vector<int> second = chooseCandidates("SelectFunctionTwo", false);
    if (second.empty())
        return false;
    if (first.front() == second.front()) {
        m_questions.error(text("YouSelectedTheSameFunctionTwice"));
        return false;
    }
    state.firstSelectedIndex = state.candidates[static_cast<std::size_t>(first.front())];
    state.secondSelectedIndex = state.candidates[static_cast<std::size_t>(second.front())];
    return true;
}

bool FrameController::askValue(const std::string& caption, const std::string& prompt,
                               std::string& typed) {
    const std::optional<QString> answer = m_questions.inputText(
        QString::fromStdString(caption), QString::fromStdString(prompt), QString());
    if (!answer)
        return false;
    typed = answer->toStdString();
    return true;
}

void FrameController::appendLog(const std::vector<std::string>& lines) {
    m_windows.log.appendLines(lines);
}

void FrameController::markPoint(long double x, long double y) {
    m_windows.graph.markPoint(x, y);
}

void FrameController::showError(const std::string& message) {
    m_questions.error(QString::fromStdString(message));
}

void FrameController::zoomToBox(const graph::analysis::SearchBox& box) {
    graph::RangeTexts texts = m_windows.range.texts();
    graph::analysis::applyZoomBox(texts, box, m_app.locale());
    // The steps follow the new size, so that grid lines and scale text stay readable.
    const graph::PlotArea& area = m_app.graphState().area();
    // The steps suit the pixels of the design, whatever the screen's pixel ratio.
    const double ratio = m_app.graphState().rendering().pixelRatio;
    graph::analysis::adaptZoomBoxSteps(
        texts, box, static_cast<int>(std::lround(area.width / ratio)),
        static_cast<int>(std::lround(area.height / ratio)), m_app.locale());
    applyRangeTexts(texts);
}

} // namespace lindor::ui
