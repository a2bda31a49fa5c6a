#include "ui/MainFrame.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "graph/analysis/ZoomTexts.h"
#include "ui/AboutBox.h"
#include "ui/AppState.h"
#include "ui/ConstructionCommands.h"
#include "ui/DocumentCommands.h"
#include "ui/EntryBox.h"
#include "ui/FrameActions.h"
#include "ui/FrameController.h"
#include "ui/FrameMenus.h"
#include "ui/FunctionPad.h"
#include "ui/GraphWindow.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/LogWindow.h"
#include "ui/OptionCommands.h"
#include "ui/OutputCommands.h"
#include "ui/ProgressWindow.h"
#include "ui/QtDialogTexts.h"
#include "ui/Questions.h"
#include "ui/RangeWindow.h"
#include "ui/ValueTableDialog.h"
#include "ui/WindowCommands.h"

namespace lindor::ui {

using graph::Mode;
using graph::RangeOperation;

namespace {

// A child window of the frame: closing it only minimises it.
class ChildWindow : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        showMinimized();
    }
};

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

TMDIFrame::TMDIFrame(AppState& app, Questions& questions, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_questions(questions), m_guard(questions, app.language) {
    setObjectName("MDIFrame");
    m_dialogTexts = new QtDialogTexts(app.language, this);
    setWindowTitle(QStringLiteral("Lindor - "));
    resize(673, 430);
    m_actions = new FrameActions(this);
    createWindows();
    m_windows =
        std::make_unique<FrameWindows>(FrameWindows{this, *m_graph, *m_range, *m_log, *m_entry});
    m_controller = new FrameController(app, questions, *m_windows);
    m_controller->setParent(this);
    m_graph->setSelectionHost(m_controller, &m_guard);
    m_options = new OptionCommands(app, questions, *m_controller, *m_actions, this);
    m_documents = new DocumentCommands(app, questions, *m_controller, *m_windows,
                                       [this] { m_options->syncChecks(); });
    m_documents->setParent(this);
    m_constructions =
        std::make_unique<ConstructionCommands>(app, questions, *m_controller, *m_windows);
    m_windowCommands = std::make_unique<WindowCommands>(app, *this, m_guard);
    m_progress = new TProgressForm(this);
    m_output = std::make_unique<OutputCommands>(
        app, questions, this,
        [this]() -> qtgui::GraphSurfaces& { return m_graph->pictureSurfaces(); },
        [this] { return m_log->lines(); }, *m_progress);
    createMenus();
    createToolBar();
    statusBar()->setObjectName("StatusBar1");
    connectCommands();
    m_options->syncChecks();
    updateModeControls();
}

TMDIFrame::~TMDIFrame() = default;

QMdiSubWindow* TMDIFrame::addChild(QWidget* child, const QString& name) {
    auto* sub = new ChildWindow(m_mdi);
    sub->setObjectName(name);
    sub->setWidget(child);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    m_mdi->addSubWindow(sub);
    return sub;
}

QMdiSubWindow* TMDIFrame::subWindowOf(QWidget* child) const {
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (sub->widget() == child)
            return sub;
    return nullptr;
}

void TMDIFrame::createWindows() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* entryPanel = new QWidget(central);
    entryPanel->setObjectName("Panel1");
    auto* row = new QHBoxLayout(entryPanel);
    row->setContentsMargins(4, 3, 4, 3);
    m_modePicture = new QLabel(entryPanel);
    m_modePicture->setObjectName("ImageMainMode");
    m_modePicture->setFixedSize(25, 25);
    m_entry = new EntryBox(entryPanel);
    row->addWidget(m_modePicture);
    row->addWidget(m_entry, 1);
    column->addWidget(entryPanel);
    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName("ClientArea");
    m_mdi->setBackground(palette().brush(QPalette::Dark));
    column->addWidget(m_mdi, 1);
    setCentralWidget(central);

    m_range = new TRangeWindow(m_app.language, m_app.settings, m_app.engine, m_questions);
    m_graph = new TGraphWindow(m_app);
    m_log = new TLogWindow(m_app.language);
    m_pad = new TFunctionPadWindow(m_app.language, *this, m_app.locale());
    addChild(m_pad, "FunctionPadWindow");
    addChild(m_range, "RangeWindow");
    addChild(m_graph, "GraphWindowFrame");
    addChild(m_log, "LogWindow");
}

void TMDIFrame::createMenus() {
    buildMenus(*menuBar(), *m_actions, m_output->fileMenuActions(), m_output->editMenuActions());
}

void TMDIFrame::createToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Panel2"));
    buildToolBar(*m_toolBar, *m_actions);
}

void TMDIFrame::connectCommands() {
    FrameActions& a = *m_actions;
    const auto on = [this](QAction* action, auto command) {
        m_guard.onTriggered(action, this, command);
    };
    FrameController* c = m_controller;

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
        on(a[op.action], [c, operation = op.operation] { c->startRangeOperation(operation); });
    on(a["Zoomin1"], [c] { c->zoom(graph::analysis::ZoomDirection::In); });
    on(a["ZoomOut1"], [c] { c->zoom(graph::analysis::ZoomDirection::Out); });
    on(a["UndoZoom1"], [c] { c->undoZoom(); });
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
    connect(m_graph, &TGraphWindow::rangeNotDragged, c, &FrameController::rangeNotDragged);
    connect(m_graph, &TGraphWindow::rangeSelectionCancelled, this,
            [this] { statusBar()->clearMessage(); });
    connect(m_options, &OptionCommands::languageChanged, this,
            [this] { m_dialogTexts->languageChanged(); });
    connect(c, &FrameController::statusText, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    connect(m_graph, &TGraphWindow::statusText, c, &FrameController::statusText);
    connect(c, &FrameController::modeChanged, this, [this] { updateModeControls(); });
    connect(c, &FrameController::helpRequested, this, &TMDIFrame::showHelp);
    connect(c, &FrameController::traceChanged, this,
            [this](bool on) { (*m_actions)["toolbtnTrace"]->setChecked(on); });
    connect(c, &FrameController::modifiedChanged, this, [this] { updateCaption(); });
    m_range->setApplyRange([c] { return c->applyRange(); });
    // Typing over the graph edits the entry box as the function pad does.
    m_graph->setKeyHandler([this](QKeyEvent* event) { m_pad->handleKey(event); });
}

void TMDIFrame::updateModeControls() {
    const bool functionMode = m_app.graphState().mode() == Mode::Function;
    FrameActions& a = *m_actions;
    a[functionMode ? "toolbtnFunctionMode" : "toolbtnIntegralMode"]->setChecked(true);
    m_modePicture->setPixmap(QIcon(functionMode ? QStringLiteral(":/icons/mode-function.svg")
                                                : QStringLiteral(":/icons/mode-integral.svg"))
                                 .pixmap(25, 25));
    // An example of what to type in this mode, shown while the box is empty.
    m_entry->setPlaceholder(QString::fromStdString(
        m_app.language.text(functionMode ? "EntryExampleFunction" : "EntryExampleIntegral")));
    // What needs plotted functions has nothing to work on in integral mode.
    for (const char* name : {"Root1", "Max1", "Min1", "YIntersection1", "Intersection1", "YCalc1",
                             "XCalc1", "toolbtnEraseFunction", "toolbtnTrace"})
        a[name]->setEnabled(functionMode);
}

void TMDIFrame::applyLanguage() {
    m_actions->applyLanguage(m_app.language);
    m_output->applyLanguage();
    const auto translate = [this](QMenu* menu) {
        const QByteArray key = menu->property("captionKey").toByteArray();
        if (!key.isEmpty())
            menu->setTitle(QString::fromStdString(m_app.language.text(key.toStdString())));
    };
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        translate(menu);
    subWindowOf(m_graph)->setWindowTitle(
        QString::fromStdString(m_app.language.text("GraphCaption")));
    subWindowOf(m_range)->setWindowTitle(QString::fromStdString(m_app.language.text("Range")));
    subWindowOf(m_log)->setWindowTitle(QString::fromStdString(m_app.language.text("Log")));
    subWindowOf(m_pad)->setWindowTitle(QString::fromStdString(m_app.language.text("FunctionPad")));
    m_modePicture->setToolTip(QString::fromStdString(m_app.language.text("ModePictureHint")));
    updateModeControls();
    updateCaption();
}

void TMDIFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    // Another language: the menus, captions and the status bar speak it at once (the
    // windows and dialogs set their own texts).
    applyLanguage();
    m_controller->showPendingStatus();
}

void TMDIFrame::runCommand(const std::function<void()>& command) {
    m_guard.run(command);
}

void TMDIFrame::updateCaption() {
    const QString name =
        m_app.documentPath.empty()
            ? QString::fromStdString(m_app.language.text("Untitled"))
            : QString::fromStdString(m_app.documentPath).section(QLatin1Char('/'), -1);
    setWindowTitle(QStringLiteral("Lindor - ") + name + (m_app.modified ? " *" : ""));
}

QString TMDIFrame::entryText() const {
    return m_entry->text();
}

void TMDIFrame::setEntryText(const QString& text) {
    m_entry->setText(text);
}

// The pad runs these through runCommand, guarded.
bool TMDIFrame::plotEntry() {
    return m_controller->plotCommand();
}

void TMDIFrame::derivativeCommand() {
    m_constructions->Derivative1Click();
}

void TMDIFrame::tangentCommand() {
    m_constructions->Tangent1Click();
}

void TMDIFrame::normalCommand() {
    m_constructions->Normal1Click();
}

void TMDIFrame::showHelp(const QString& topic) {
    if (!m_help)
        m_help =
            new HelpWindow(m_app.language, QString::fromStdString(m_app.paths.dataFolder), this);
    if (topic.isEmpty())
        m_help->showContents();
    else
        m_help->showTopic(topic);
}

void TMDIFrame::FormShow(const QStringList& functions) {
    applyLanguage();
    m_entry->setHistory(m_app.histories.functions);
    // The program maximised the frame before it showed it.
    m_windowCommands->arrangeDefault();
    m_controller->fillRangeUndo();
    m_range->setRedrawEnabled(false);
    // Every argument is a function to plot, or a document to open (a file manager hands
    // documents over this way).
    for (const QString& argument : functions) {
        m_guard.run([&] {
            const QFileInfo file(argument);
            if (file.isFile() &&
                file.suffix().compare(QLatin1String("ldr"), Qt::CaseInsensitive) == 0) {
                m_documents->openDocument(argument);
                return;
            }
            // Functions are plotted in function mode, also after a document in integral
            // mode.
            if (m_app.graphState().mode() != Mode::Function)
                m_controller->setMode(Mode::Function);
            if (m_controller->plotText(argument))
                m_entry->addToHistory(argument);
        });
    }
    // The user can type a function at once.
    m_mdi->setActiveSubWindow(subWindowOf(m_graph));
    m_entry->setFocus();
    QTimer::singleShot(0, m_entry, [this] { m_entry->setFocus(); });
    QTimer::singleShot(1000, this, &TMDIFrame::Timer1Timer);
}

void TMDIFrame::Timer1Timer() {
    if (m_startupDone)
        return;
    m_startupDone = true;
    emit startupFinished();
    if (m_app.settings.firstTime()) {
        m_app.settings.clearFirstTime();
        (*m_actions)["Language1"]->trigger();
    }
}

void TMDIFrame::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    m_guard.run([&] { mayClose = m_documents->maySetWorkAside(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // The view settings, then both histories; failed writes stay quiet.
    m_controller->storeActiveHistory();
    m_app.settings.writeViewSettings(m_app.view(), m_app.locale());
    m_app.settings.writeHistories(m_app.histories);
    event->accept();
}

} // namespace lindor::ui
