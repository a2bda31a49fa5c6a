// The frame's command objects and how the actions, the windows and the commands are wired
// to each other.
#include <QStatusBar>
#include <QUndoStack>

#include "graph/analysis/ZoomTexts.h"
#include "ui/AboutBox.h"
#include "ui/AppState.h"
#include "ui/ConstructionCommands.h"
#include "ui/DocumentCommands.h"
#include "ui/EntryBox.h"
#include "ui/FrameActions.h"
#include "ui/FrameController.h"
#include "ui/FunctionPad.h"
#include "ui/GraphWindow.h"
#include "ui/LogWindow.h"
#include "ui/MainFrame.h"
#include "ui/OptionCommands.h"
#include "ui/OutputCommands.h"
#include "ui/ProgressWindow.h"
#include "ui/QtDialogTexts.h"
#include "ui/Questions.h"
#include "ui/RangeCommands.h"
#include "ui/RangeWindow.h"
#include "ui/SelectionSteps.h"
#include "ui/ValueTableDialog.h"
#include "ui/WindowCommands.h"
#include "ui/WorkSteps.h"

namespace lindor::ui {

using graph::Mode;
using graph::RangeOperation;

namespace {

struct AppendedText {
    const char* action;
    const char* text;
};

const AppendedText kFunctionTexts[] = {
    {"Raised1", "^"},       {"Sqrt1", "sqrt "}, {"Cbrt1", "cbrt "},     {"Sin1", "sin "},
    {"Cos1", "cos "},       {"Tan1", "tan "},   {"ArcSin1", "arcsin "}, {"ArcCos1", "arccos "},
    {"ArcTan1", "arctan "}, {"Ln1", "ln "},     {"Log1", "log "},       {"N10Exp1", "10^"},
    {"Random1", "random"},  {"Int1", "int "},   {"Abs1", "abs "},       {"e1", "e"},
    {"Pi1", "pi"},          {"ddx1", "d/dx "},
};

struct OperationAction {
    const char* action;
    RangeOperation operation;
};

const OperationAction kOperations[] = {
    {"Root1", RangeOperation::Root},
    {"Max1", RangeOperation::Maximum},
    {"Min1", RangeOperation::Minimum},
    {"YIntersection1", RangeOperation::YIntersection},
    {"Intersection1", RangeOperation::Intersection},
    {"YCalc1", RangeOperation::YCalc},
    {"XCalc1", RangeOperation::XCalc},
    {"ZoomBox1", RangeOperation::ZoomBox},
};

} // namespace

void TMDIFrame::createCommands() {
    m_windows =
        std::make_unique<FrameWindows>(FrameWindows{this, *m_graph, *m_range, *m_log, *m_entry});
    m_steps = new WorkSteps(
        m_app, [this](const Work& work) { m_controller->showWork(work); }, this);
    m_ranges = new RangeCommands(m_app, m_questions, *m_steps, *m_windows, this);
    m_selection = new SelectionSteps(m_app, m_questions, *m_windows, *m_ranges, this);
    m_controller =
        new FrameController(m_app, m_questions, *m_windows, *m_steps, *m_ranges, *m_selection);
    m_controller->setParent(this);
    m_graph->setSelectionHost(m_selection, &m_guard);
    m_options = new OptionCommands(m_app, m_questions, *m_controller, *m_steps, *m_actions, this);
    m_documents =
        new DocumentCommands(m_app, m_questions, *m_controller, *m_ranges, *m_steps, *m_windows);
    m_documents->setParent(this);
    m_constructions = std::make_unique<ConstructionCommands>(m_app, m_questions, *m_controller,
                                                             *m_selection, *m_windows);
    m_windowCommands = std::make_unique<WindowCommands>(m_app, *this, m_guard);
    m_progress = new TProgressForm(this);
    m_output = std::make_unique<OutputCommands>(
        m_app, m_questions, this,
        [this]() -> qtgui::GraphSurfaces& { return m_graph->pictureSurfaces(); },
        [this] { return m_log->lines(); }, *m_progress);
}

void TMDIFrame::connectCommands() {
    FrameActions& a = *m_actions;
    const auto on = [this](QAction* action, auto command) {
        m_guard.onTriggered(action, this, command);
    };
    FrameController* c = m_controller;
    RangeCommands* r = m_ranges;
    SelectionSteps* s = m_selection;

    on(a["Exit1"], [this] { close(); });
    DocumentCommands* d = m_documents;
    on(a["New1"], [d] { d->New1Click(); });
    on(a["Open1"], [d] { d->Open1Click(); });
    on(a["Save1"], [d] { d->Save1Click(); });
    on(a["SaveAs1"], [d] { d->SaveAs1Click(); });
    connect(d, &DocumentCommands::documentChanged, this, [this] { updateCaption(); });
    ConstructionCommands* k = m_constructions.get();
    on(a["Derivative1"], [k] { k->Derivative1Click(); });
    on(a["Tangent1"], [k] { k->Tangent1Click(); });
    on(a["Normal1"], [k] { k->Normal1Click(); });
    WindowCommands* w = m_windowCommands.get();
    on(a["DefaultPosition1"], [w] { w->DefaultPosition1Click(); });
    on(a["LoadPosition1"], [w] { w->LoadPosition1Click(); });
    on(a["Sparafnsterposition1"], [w] { w->Sparafnsterposition1Click(); });
    on(a["MakeGraphWindowQuadratic1"], [w] { w->MakeGraphWindowQuadratic1Click(); });
    on(a["Contents1"], [this] { showHelp(QString()); });
    on(a["ValueTable1"], [this] {
        if (!m_valueTable)
            m_valueTable = new TfrmValueTable(m_app.language, m_questions, m_app.engine, this);
        m_questions.runDialog(*m_valueTable);
    });
    on(a["About1"], [this] {
        TAboutBox about(m_app.language, this);
        m_questions.runDialog(about);
    });
    for (const AppendedText& f : kFunctionTexts)
        on(a[f.action], [this, text = QString::fromLatin1(f.text)] { m_entry->appendText(text); });
    for (const OperationAction& op : kOperations)
        on(a[op.action], [s, operation = op.operation] { s->startRangeOperation(operation); });
    on(a["Zoomin1"], [r] { r->zoom(graph::analysis::ZoomDirection::In); });
    on(a["ZoomOut1"], [r] { r->zoom(graph::analysis::ZoomDirection::Out); });
    on(a["UndoZoom1"], [r] { r->undoZoom(); });
    // Ctrl++ (also Ctrl+= where "+" needs Shift) and Ctrl+-: no menu entry, the frame's keys.
    QList<QKeySequence> zoomInKeys = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    zoomInKeys << QKeySequence(QStringLiteral("Ctrl+="));
    a["ZoomInAtCentre"]->setShortcuts(zoomInKeys);
    a["ZoomOutAtCentre"]->setShortcuts(QKeySequence::ZoomOut);
    addAction(a["ZoomInAtCentre"]);
    addAction(a["ZoomOutAtCentre"]);
    on(a["ZoomInAtCentre"], [r] { r->zoomAboutCentre(true); });
    on(a["ZoomOutAtCentre"], [r] { r->zoomAboutCentre(false); });
    on(a["toolbtnFunctionMode"], [c] { c->setMode(Mode::Function); });
    on(a["toolbtnIntegralMode"], [c] { c->setMode(Mode::Integral); });
    on(a["toolbtnPlotFunction"], [c] { c->plotCommand(); });
    on(a["toolbtnEraseFunction"], [c] { c->erase(); });
    on(a["toolbtnTrace"], [c] { c->toggleTrace(); });
    on(a["EmptyFunctionHistory1"], [c] { c->emptyHistory(); });

    connect(m_entry, &EntryBox::enterPressed, this,
            [this, c] { m_guard.run([c] { c->plotCommand(); }); });
    connect(m_entry, &EntryBox::keyTyped, this, [this] { statusBar()->clearMessage(); });
    // Escape gives up a pending range operation, from the entry box as from the graph.
    connect(m_entry, &EntryBox::escapePressed, m_graph, &TGraphWindow::cancelRangeSelection);
    connect(m_graph, &TGraphWindow::rangeNotDragged, s, &SelectionSteps::rangeNotDragged);
    connect(m_graph, &TGraphWindow::rangeSelectionCancelled, this,
            [this] { statusBar()->clearMessage(); });
    connect(m_options, &OptionCommands::languageChanged, this,
            [this] { m_dialogTexts->languageChanged(); });
    const auto showStatus = [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    };
    connect(c, &FrameController::statusText, this, showStatus);
    connect(s, &SelectionSteps::statusText, this, showStatus);
    connect(m_graph, &TGraphWindow::statusText, this, showStatus);
    // The pointer's coordinates show while the status bar has nothing else to say.
    connect(m_graph, &TGraphWindow::pointerCoordinates, this, [this](const QString& text) {
        const QString shown = statusBar()->currentMessage();
        if (!shown.isEmpty() && shown != m_pointerText)
            return;
        m_pointerText = text;
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    m_graph->setViewMoves(r);
    connect(c, &FrameController::modeChanged, this, [this] { updateModeControls(); });
    connect(c, &FrameController::helpRequested, this, &TMDIFrame::showHelp);
    connect(c, &FrameController::traceChanged, this,
            [this](bool on) { (*m_actions)["toolbtnTrace"]->setChecked(on); });
    connect(c, &FrameController::viewShown, m_options, &OptionCommands::syncChecks);
    m_range->setApplyRange([r] { return r->applyRange(); });
    // Typing over the graph edits the entry box as the function pad does.
    m_graph->setKeyHandler([this](QKeyEvent* event) { m_pad->handleKey(event); });
}

void TMDIFrame::connectUndo() {
    WorkSteps* steps = m_steps;
    m_guard.onTriggered((*m_actions)["Undo1"], this, [steps] { steps->undo(); });
    m_guard.onTriggered((*m_actions)["Redo1"], this, [steps] { steps->redo(); });
    QUndoStack& stack = m_app.undoStack;
    connect(&stack, &QUndoStack::indexChanged, this, [this] { updateUndoActions(); });
    // The "*" of the caption follows the saved state, also when undo goes back to it.
    connect(&stack, &QUndoStack::cleanChanged, this, [this] { updateCaption(); });
    updateUndoActions();
}

void TMDIFrame::updateUndoActions() {
    const QUndoStack& stack = m_app.undoStack;
    const auto caption = [this](const char* key, const char* stepKey, const QString& step) {
        if (step.isEmpty())
            return QString::fromStdString(m_app.language.text(key));
        QString name = step;
        // The step's name is shown as it is: a "&" in it is no letter mark.
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        return QString::fromStdString(m_app.language.text(stepKey))
            .replace(QStringLiteral("%s"), name);
    };
    QAction* undo = (*m_actions)["Undo1"];
    QAction* redo = (*m_actions)["Redo1"];
    undo->setText(caption("MenuUndo", "MenuUndoStep", stack.undoText()));
    redo->setText(caption("MenuRedo", "MenuRedoStep", stack.redoText()));
    undo->setEnabled(stack.canUndo());
    redo->setEnabled(stack.canRedo());
}

} // namespace lindor::ui
