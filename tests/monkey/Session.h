// One run of the desktop program as the monkey drives it: the run's state on a settings
// file in a temporary folder, the real main frame with its windows, and the monkey's
// questions. The frame's parts are found through its public accessors and object names;
// this is the one place that reads the run's state behind the windows (for the checks).
#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "graph/Model.h"
#include "util/NumberText.h"

class QAction;
class QMdiSubWindow;
class QWidget;

namespace lindor::ui {
class AppState;
class TMDIFrame;
class Questions;
} // namespace lindor::ui

namespace lindor::monkey {

class Session {
public:
    // `folder` holds everything the run reads and writes; `files` (inside it) is where
    // the questions name files.
    Session(QString folder, NumberLocale locale, ui::Questions& questions);
    ~Session();

    static QString filesFolder(const QString& folder) { return folder + QStringLiteral("/files"); }

    // As the program starts: the settings read, the frame maximised and shown, and the
    // end of the start (the splash's timer) run at once.
    void start();
    // Ends the run without asking (a run that was closed by the user, or the monkey's end).
    void stop();
    bool running() const { return m_frame != nullptr; }
    // The user closed the frame (Exit, or the window's close button) and it agreed.
    bool closed() const;

    ui::TMDIFrame& frame() { return *m_frame; }
    // The widgets a user works on, by the monkey's names: "entry", "graph", "range" (the grid,
    // or the cell editor while one is open), "pad", "log", "area" (the children's area),
    // "frame".
    QWidget* widget(const QString& name);
    static QStringList widgetNames();
    // The child windows by object name.
    QList<QMdiSubWindow*> childWindows();
    QMdiSubWindow* childWindow(const QString& name);
    // Every command of the menus (submenus included) and the toolbar, once each.
    QList<QAction*> commands();
    QAction* command(const QString& name);

    // What the checks read.
    int plottedFunctions() const;
    int compiledFunctions() const;
    bool integralShown() const;
    graph::Range range() const;
    bool modified() const;
    // The text that starts the message of an exception caught by a command guard.
    QString unexpectedErrorText() const;

private:
    void prepareFiles();

    QString m_folder;
    NumberLocale m_locale;
    ui::Questions& m_questions;
    std::unique_ptr<ui::AppState> m_app;
    std::unique_ptr<ui::TMDIFrame> m_frame;
};

} // namespace lindor::monkey
