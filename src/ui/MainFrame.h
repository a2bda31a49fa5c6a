// The main frame: menus, toolbar, the entry box with its mode picture, the status bar, and
// the child windows (function pad, graph, range, log) in an MDI area. It creates the windows and
// the command objects, wires each command to them, and runs the start and the end of a run.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "ui/FunctionPadTarget.h"
#include "ui/Guarded.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace lindor::ui {

class AppState;
class ConstructionCommands;
class DocumentCommands;
class HelpWindow;
class OutputCommands;
class TfrmValueTable;
class TProgressForm;
class TFunctionPadWindow;
class WindowCommands;
class WorkKeeping;
class RecentMenu;
class EntryBox;
class FrameActions;
class FrameController;
struct FrameWindows;
class OptionCommands;
class RangeCommands;
class SelectionSteps;
class WorkSteps;
class QtDialogTexts;
class Questions;
class TGraphWindow;
class TLogWindow;
class TRangeWindow;

class TMDIFrame : public QMainWindow, private FunctionPadTarget {
    Q_OBJECT
public:
    TMDIFrame(AppState& app, Questions& questions, QWidget* parent = nullptr);
    ~TMDIFrame() override;

    // The start of the run once the window exists: texts, histories, layout, the range undo
    // copy, and the functions given on the command line (plotted in function mode and put
    // at the top of the history) or documents named there.
    void FormShow(const QStringList& functions);
    // The language, the layout and the caption (also used after New and Open).
    void applyLanguage();
    void updateCaption();

    EntryBox& entryBox() { return *m_entry; }
    TGraphWindow& graphWindow() { return *m_graph; }
    TRangeWindow& rangeWindow() { return *m_range; }
    TLogWindow& logWindow() { return *m_log; }
    TFunctionPadWindow& functionPad() { return *m_pad; }
    WindowCommands& windowCommands() { return *m_windowCommands; }
    OutputCommands& output() { return *m_output; }
    // The help, opened at a topic (an anchor of the help file) or at its contents.
    void showHelp(const QString& topic);
    HelpWindow* helpWindow() const { return m_help; }
    FrameController& controller() { return *m_controller; }
    RangeCommands& ranges() { return *m_ranges; }
    SelectionSteps& selection() { return *m_selection; }
    WorkSteps& steps() { return *m_steps; }
    FrameActions& actions() { return *m_actions; }
    QMdiArea& mdiArea() { return *m_mdi; }
    QMdiSubWindow* subWindowOf(QWidget* child) const;
    // Where a child window lies; for a minimised one, where it lay before.
    QRect placeOf(QWidget* child) const;

    // Keeps the work, the settings and the recent documents while the run goes on.
    WorkKeeping& keeping() { return *m_keeping; }
    // The end of a session (SIGTERM, SIGHUP): the settings are written and unsaved work is
    // kept as the recovery copy, offered at the next start; the frame closes without asking.
    void endKeepingWork();

    // About a second after the start: the splash goes, and on the first run the language
    // is asked for.
    void Timer1Timer();

signals:
    void startupFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What the function pad works on.
    QString entryText() const override;
    void setEntryText(const QString& text) override;
    bool plotEntry() override;
    void derivativeCommand() override;
    void tangentCommand() override;
    void normalCommand() override;
    void runCommand(const std::function<void()>& command) override;

    void createWindows();
    void createMenus();
    void createToolBar();
    // The command objects, each with what it works on (MainFrameWiring.cpp).
    void createCommands();
    void connectCommands();
    // Edit -> Undo and Redo name the step they take back or make again.
    void connectUndo();
    void updateUndoActions();
    void updateModeControls();
    void createKeeping();
    // A document chosen from Open Recent or dropped on the window; a recent document that
    // is gone is said so and leaves the list.
    void openChosenDocument(const QString& path, bool fromRecent);
    // Dropped text, plotted as a function.
    void plotDroppedText(const QString& text);
    QMdiSubWindow* addChild(QWidget* child, const QString& name);

    AppState& m_app;
    Questions& m_questions;
    // Every command and every event handler that runs one goes through it.
    CommandGuard m_guard;
    QtDialogTexts* m_dialogTexts = nullptr;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_modePicture = nullptr;
    EntryBox* m_entry = nullptr;
    QToolBar* m_toolBar = nullptr;
    TGraphWindow* m_graph = nullptr;
    TRangeWindow* m_range = nullptr;
    TLogWindow* m_log = nullptr;
    TFunctionPadWindow* m_pad = nullptr;
    HelpWindow* m_help = nullptr;
    TfrmValueTable* m_valueTable = nullptr;
    TProgressForm* m_progress = nullptr;
    FrameActions* m_actions = nullptr;
    WorkSteps* m_steps = nullptr;
    RangeCommands* m_ranges = nullptr;
    SelectionSteps* m_selection = nullptr;
    FrameController* m_controller = nullptr;
    OptionCommands* m_options = nullptr;
    DocumentCommands* m_documents = nullptr;
    std::unique_ptr<FrameWindows> m_windows;
    std::unique_ptr<ConstructionCommands> m_constructions;
    std::unique_ptr<WindowCommands> m_windowCommands;
    std::unique_ptr<OutputCommands> m_output;
    WorkKeeping* m_keeping = nullptr;
    RecentMenu* m_recentMenu = nullptr;
    bool m_startupDone = false;
    bool m_keepingWork = false;
    // The pointer coordinates the status bar shows, if it shows them.
    QString m_pointerText;
};

} // namespace lindor::ui
