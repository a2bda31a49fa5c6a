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
#include "ui/RecentMenu.h"
#include "ui/SelectionSteps.h"
#include "ui/ValueTableDialog.h"
#include "ui/WindowCommands.h"
#include "ui/WorkKeeping.h"
#include "ui/WorkSteps.h"

namespace lindor::ui {

using graph::Mode;

namespace {

// A child window of the frame: closing it only minimises it. It remembers where it was
// before it was minimised, for Save Position.
class ChildWindow : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;

    QRect placeBeforeMinimised() const { return m_placeBeforeMinimised; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        showMinimized();
    }
    void moveEvent(QMoveEvent* event) override {
        QMdiSubWindow::moveEvent(event);
        remember();
    }
    void resizeEvent(QResizeEvent* event) override {
        QMdiSubWindow::resizeEvent(event);
        remember();
    }

private:
    void remember() {
        if (!isMinimized())
            m_placeBeforeMinimised = geometry();
    }
    QRect m_placeBeforeMinimised;
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
    createCommands();
    createMenus();
    createToolBar();
    statusBar()->setObjectName("StatusBar1");
    connectCommands();
    createKeeping();
    connectUndo();
    m_options->syncChecks();
    updateModeControls();
}

TMDIFrame::~TMDIFrame() {
    // The undo stack belongs to the app's state and outlives the frame.
    disconnect(&m_app.undoStack, nullptr, this, nullptr);
}

QMdiSubWindow* TMDIFrame::addChild(QWidget* child, const QString& name) {
    auto* sub = new ChildWindow(m_mdi);
    sub->setObjectName(name);
    sub->setWidget(child);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    // No child window gets narrower or lower than its contents can be shown in, whether
    // dragged, placed by a saved position or set by code.
    sub->setMinimumSize(sub->minimumSizeHint());
    m_mdi->addSubWindow(sub);
    return sub;
}

QRect TMDIFrame::placeOf(QWidget* child) const {
    QMdiSubWindow* sub = subWindowOf(child);
    const auto* window = dynamic_cast<const ChildWindow*>(sub);
    if (sub->isMinimized() && window && window->placeBeforeMinimised().isValid())
        return window->placeBeforeMinimised();
    return sub->geometry();
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
    updateUndoActions();
    updateCaption();
}

void TMDIFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    // Another language: the menus, captions and the status bar speak it at once (the
    // windows and dialogs set their own texts).
    applyLanguage();
    m_selection->showPendingStatus();
}

void TMDIFrame::runCommand(const std::function<void()>& command) {
    m_guard.run(command);
}

void TMDIFrame::updateCaption() {
    const QString name =
        m_app.documentPath.empty()
            ? QString::fromStdString(m_app.language.text("Untitled"))
            : QString::fromStdString(m_app.documentPath).section(QLatin1Char('/'), -1);
    setWindowTitle(QStringLiteral("Lindor - ") + name + (m_app.modified() ? " *" : ""));
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
    m_entry->setHistory(m_app.activeHistory());
    // The program maximised the frame before it showed it.
    m_windowCommands->arrangeDefault();
    m_app.work.rangeUndo.fill(m_app.work.rangeTexts);
    m_range->setRedrawEnabled(false);
    // The work of a run that ended unexpectedly comes back first, then the arguments.
    m_guard.run([this] { m_keeping->offerLeftWork(); });
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
            // mode. Each is a step that can be undone.
            m_controller->plotFunction(argument);
        });
    }
    m_recentMenu->rebuild();
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
    if (!m_keepingWork)
        m_guard.run([&] { mayClose = m_documents->maySetWorkAside(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // What is not yet in the settings file goes there; the recovery copy goes, or stays
    // for the next start when the session ends.
    m_steps->endGesture();
    m_guard.run([this] {
        m_keeping->historiesChanged();
        m_keeping->finish(m_keepingWork);
    });
    event->accept();
}

void TMDIFrame::endKeepingWork() {
    m_keepingWork = true;
    close();
}

} // namespace lindor::ui
