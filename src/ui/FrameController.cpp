#include "ui/FrameController.h"

#include <algorithm>

#include "files/History.h"
#include "files/SettingsFile.h"
#include "ui/AppState.h"
#include "ui/EntryBox.h"
#include "ui/GraphWindow.h"
#include "ui/InstructionsDialog.h"
#include "ui/LogWindow.h"
#include "ui/Questions.h"
#include "ui/RangeCommands.h"
#include "ui/SelectionSteps.h"
#include "ui/WorkSteps.h"

namespace lindor::ui {

using graph::IntegralLog;
using graph::Mode;
using graph::PlotOutcome;

namespace {

// The notice that tells how to type an entry of this mode.
files::Notice instructionsNotice(Mode mode) {
    return mode == Mode::Function ? files::Notice::FunctionInstructions
                                  : files::Notice::IntegralInstructions;
}

} // namespace

FrameController::FrameController(AppState& app, Questions& questions, const FrameWindows& windows,
                                 WorkSteps& steps, RangeCommands& ranges, SelectionSteps& selection)
    : m_app(app), m_questions(questions), m_windows(windows), m_steps(steps), m_ranges(ranges),
      m_selection(selection) {
    // The integral writes its lines to the log window.
    m_app.graph.setLogSink([this](const std::string& line) { m_windows.log.appendLines({line}); });
}

FrameController::~FrameController() {
    m_app.graph.setLogSink(nullptr);
}

QString FrameController::text(const char* key) const {
    return QString::fromStdString(m_app.language.text(key));
}

bool FrameController::plotCommand(const QString& stepName) {
    emit statusText(QString());
    const QString typed = m_windows.entry.text();
    // The integral's log lines belong to a new integral only, never to one already shown.
    const IntegralLog log =
        m_app.work.mode == Mode::Integral ? IntegralLog::Write : IntegralLog::Skip;
    bool taken = false;
    const QString name =
        stepName.isEmpty() ? text("StepPlot").replace(QStringLiteral("%s"), typed) : stepName;
    m_steps.record(name, [&] { taken = plotText(typed, log); });
    if (taken) {
        remember(typed);
        m_windows.entry.setText(typed);
        // Typing the next function replaces this one.
        m_windows.entry.selectText();
    }
    return taken;
}

bool FrameController::plotFunction(const QString& text) {
    if (m_app.work.mode != Mode::Function)
        setMode(Mode::Function);
    m_windows.entry.setText(text);
    return plotCommand();
}

bool FrameController::plotText(const QString& typed, IntegralLog log) {
    const Mode mode = m_app.work.mode;
    const PlotOutcome outcome =
        m_app.graph.plotRequest(typed.toStdString(), m_windows.graph.canvas(), log);
    m_windows.graph.refresh();
    switch (outcome.status) {
    case PlotOutcome::Status::Plotted:
        takePlotted();
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
        if (!m_app.settings.neverShow(instructionsNotice(mode)))
            showInstructions(mode, true);
        break;
    }
    }
    return outcome.reported;
}

QString FrameController::plotEntries(const std::vector<std::string>& entries, IntegralLog log) {
    QStringList refused;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PlotOutcome outcome =
            m_app.graph.plotRequest(entries[i], m_windows.graph.canvas(), log);
        if (outcome.status == PlotOutcome::Status::Plotted) {
            remember(QString::fromStdString(entries[i]));
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
    takePlotted();
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

void FrameController::remember(const QString& typed) {
    files::addToHistory(m_app.activeHistory(), typed.toStdString());
    m_windows.entry.setHistory(m_app.activeHistory());
    emit historyChanged();
}

void FrameController::takePlotted() {
    m_app.work.plotted = m_app.graphState().plottedTexts();
}

void FrameController::showInstructions(Mode mode, bool storeChoice) {
    const files::Notice notice = instructionsNotice(mode);
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
    if (m_app.work.mode != mode) {
        m_steps.record(text(mode == Mode::Function ? "FunctionMode" : "IntegralMode"),
                       [&] { startMode(mode); });
        return;
    }
    clearEntryAndLog();
    emit modeChanged(mode);
}

void FrameController::clearEntryAndLog() {
    m_windows.log.clear();
    m_windows.entry.setText(QString());
    emit statusText(QString());
}

void FrameController::startMode(Mode mode) {
    clearEntryAndLog();
    m_app.work.mode = mode;
    m_app.work.plotted.clear();
    m_windows.entry.setHistory(m_app.activeHistory());
    if (!m_app.graph.setMode(mode, m_windows.graph.canvas()))
        m_app.graph.newWork(m_windows.graph.canvas());
    m_windows.graph.hideTraceMarker();
    m_windows.graph.refresh();
    emit traceChanged(false);
    emit modeChanged(mode);
}

void FrameController::newWork() {
    m_app.graph.newWork(m_windows.graph.canvas());
    takePlotted();
    stopTrace();
    m_windows.graph.refresh();
}

void FrameController::erase() {
    const graph::GraphState& state = m_app.graphState();
    if (state.functionCount() == 0) {
        m_questions.error(text("AtLeastOneFunctionMustBePlotted"));
        return;
    }
    // Every plotted function is offered: the rows chosen are their positions.
    const std::vector<int> positions =
        m_selection.chooseCandidates(allPlotted(state), "SelectFunctionToErase", true);
    if (positions.empty())
        return;
    const bool traced = state.traceOn;
    m_steps.record(text("StepErase"), [&] {
        m_app.graph.eraseFunctions(positions, m_windows.graph.canvas());
        takePlotted();
    });
    m_windows.graph.refresh();
    if (traced && !state.traceOn)
        stopTrace();
}

void FrameController::emptyHistory() {
    if (!m_questions.askYesNo(text("DeleteAllTheFunctions")))
        return;
    m_app.activeHistory().clear();
    m_windows.entry.setHistory({});
    emit historyChanged();
}

void FrameController::toggleTrace() {
    graph::GraphState& state = m_app.graphState();
    if (state.traceOn) {
        stopTrace();
        return;
    }
    state.traceOn = true;
    emit traceChanged(true);
    // Trace stays on whatever the selection gives; it follows the function chosen.
    state.tracedIndex = m_selection.selectFromAllPlotted().value_or(-1);
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

void FrameController::showView() {
    m_app.showView();
    emit viewShown();
    redraw();
}

void FrameController::replot(const std::vector<std::string>& texts) {
    const graph::GraphState& state = m_app.graphState();
    const std::vector<std::string> shown = state.plottedTexts();
    if (shown == texts)
        return;
    graph::Canvas& canvas = m_windows.graph.canvas();
    // Functions added or taken from the end keep the others' compiled functions.
    const bool functions = state.mode() == Mode::Function;
    const auto startsWith = [](const std::vector<std::string>& list,
                               const std::vector<std::string>& head) {
        return head.size() <= list.size() && std::equal(head.begin(), head.end(), list.begin());
    };
    if (functions && startsWith(shown, texts)) {
        std::vector<int> tail;
        for (int p = static_cast<int>(texts.size()); p < state.functionCount(); ++p)
            tail.push_back(p);
        m_app.graph.eraseFunctions(tail, canvas);
    } else {
        const bool keep = functions && startsWith(texts, shown);
        if (!keep)
            m_app.graph.newWork(canvas);
        for (std::size_t i = keep ? shown.size() : 0; i < texts.size(); ++i)
            m_app.graph.plotRequest(texts[i], canvas);
    }
    takePlotted();
}

void FrameController::showWork(const Work& work) {
    graph::GraphState& state = m_app.graphState();
    const bool traced = state.traceOn;
    const bool pending = state.anyPending();
    m_app.work = work;
    m_app.showView();
    emit viewShown();
    m_ranges.showRange();
    if (state.mode() != work.mode) {
        m_app.graph.setMode(work.mode, m_windows.graph.canvas());
        m_windows.entry.setHistory(m_app.activeHistory());
        m_windows.entry.setText(QString());
        emit modeChanged(work.mode);
    }
    replot(work.plotted);
    redraw();
    if (traced && !state.traceOn)
        stopTrace();
    else if (pending && !state.anyPending())
        emit statusText(QString());
}

} // namespace lindor::ui
