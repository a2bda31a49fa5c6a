// The frame's commands on what is plotted: the plot command and its messages, the two modes
// with their histories, erase, trace; and showing the work as a whole when undo, redo or a
// document brings another.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "graph/GraphView.h"
#include "graph/Model.h"
#include "ui/FrameWindows.h"

namespace lindor::ui {

class AppState;
class Questions;
class RangeCommands;
class SelectionSteps;
class TdlgFunctionInstructions;
class TdlgIntegralInstructions;
class WorkSteps;
struct Work;

class FrameController : public QObject {
    Q_OBJECT
public:
    FrameController(AppState& app, Questions& questions, const FrameWindows& windows,
                    WorkSteps& steps, RangeCommands& ranges, SelectionSteps& selection);
    ~FrameController() override;

    // Enter in the entry box, the toolbar's plot button and the pad's Enter: plots the
    // entry box's text (one undo step, named `stepName` or "Plot" and the text) and puts it
    // at the top of the history. True when it was taken.
    bool plotCommand(const QString& stepName = QString());
    // A function given from outside (the command line, a drop): function mode first, then
    // as if typed into the entry box and plotted.
    bool plotFunction(const QString& text);
    // The graph's plot request for `text` with its messages and instructions; true when
    // the text was taken (it is then part of the work). Nothing goes into the history.
    bool plotText(const QString& text, graph::IntegralLog log = graph::IntegralLog::Skip);
    // The entries of a document, without a message for each: those plotted go into the
    // history. Returns the one message that names the others and why each was left out
    // (empty when every entry was plotted).
    QString plotEntries(const std::vector<std::string>& entries, graph::IntegralLog log);
    // Puts a text at the top of the history of the mode in use.
    void remember(const QString& text);

    // The function and integral mode commands: a switch to the other mode starts new
    // work there (one undo step); the mode in use only clears the log, the entry text and
    // the status bar.
    void setMode(graph::Mode mode);
    // The mode command run in full, new work included, even in the mode in use (a
    // document being opened).
    void startMode(graph::Mode mode);
    void erase();
    void emptyHistory();
    // New work in the mode in use: nothing plotted.
    void newWork();

    void toggleTrace();
    // Trace off: the marker goes and the trace button is released.
    void stopTrace();

    void redraw();
    // The view settings changed in the work: the graph takes them and redraws.
    void showView();
    // Makes `work` the app's work and brings the graph, the range window, the entry box and
    // the menus in line with it (undo, redo).
    void showWork(const Work& work);

signals:
    void statusText(const QString& text);
    // The help at a topic (an instruction dialog's Help button).
    void helpRequested(const QString& topic);
    void modeChanged(graph::Mode mode);
    void traceChanged(bool on);
    // The view settings shown changed (the menus' check marks follow them).
    void viewShown();
    // A text was put at the top of the active history, or the history was emptied.
    void historyChanged();

private:
    // The mode's commands start with an empty entry box, log and status bar.
    void clearEntryAndLog();
    QString text(const char* key) const;
    // Shows the instructions of the mode; `storeChoice` writes the never-show box on OK.
    void showInstructions(graph::Mode mode, bool storeChoice);
    // The graph plots `texts` in the mode in use, keeping what it has of them.
    void replot(const std::vector<std::string>& texts);
    // The work's plotted texts become what the graph plots.
    void takePlotted();

    AppState& m_app;
    Questions& m_questions;
    FrameWindows m_windows;
    WorkSteps& m_steps;
    RangeCommands& m_ranges;
    SelectionSteps& m_selection;
    std::unique_ptr<TdlgFunctionInstructions> m_functionInstructions;
    std::unique_ptr<TdlgIntegralInstructions> m_integralInstructions;
};

} // namespace lindor::ui
