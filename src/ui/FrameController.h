// The frame's commands that concern the graph, without widgets of their own: the plot
// command and its messages, the two modes with their histories, erase, the range steps
// (apply, zoom, undo), the pending range operations, trace, and the selection steps. It
// is also what the graph window's mouse release talks to (the range selection host).
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "graph/Model.h"
#include "graph/analysis/RangeSelection.h"
#include "graph/analysis/ZoomTexts.h"

class QWidget;

namespace lindor::ui {

class AppState;
class EntryBox;
class Questions;
class TGraphWindow;
class TLogWindow;
class TRangeWindow;
class TSelectGraphWindow;
class TdlgFunctionInstructions;
class TdlgIntegralInstructions;

struct FrameWindows {
    QWidget* mainWindow;
    TGraphWindow& graph;
    TRangeWindow& range;
    TLogWindow& log;
    EntryBox& entry;
};

class FrameController : public QObject, public graph::analysis::RangeSelectionHost {
    Q_OBJECT
public:
    FrameController(AppState& app, Questions& questions, FrameWindows windows);
    ~FrameController() override;

    // Enter in the entry box, the toolbar's plot button and the pad's Enter: plots the
    // entry box's text and puts it at the top of the history. True when it was taken.
    bool plotCommand();
    // The graph's plot request for `text` with its messages and instructions; true when
    // the text was taken. Nothing goes into the history.
    bool plotText(const QString& text);
    // The entries of a document, without a message for each: those plotted go into the
    // history. Returns the one message that names the others and why each was left out
    // (empty when every entry was plotted).
    QString plotEntries(const std::vector<std::string>& entries);

    // The function and integral mode commands: a switch to the other mode starts new
    // work there; the mode in use only clears the log, the entry text and the status bar.
    void setMode(graph::Mode mode);
    // The mode command run in full, new work included, even in the mode in use (a
    // document being opened).
    void startMode(graph::Mode mode);
    void erase();
    void emptyHistory();

    // Converts the range window's texts and applies them; false (with a message, and
    // nothing changed) when a text is not a number or the Range cannot be drawn.
    bool applyRange();
    void fillRangeUndo();
    void zoom(graph::analysis::ZoomDirection direction);
    void undoZoom();

    // Sets one pending range operation and asks for a range in the status bar.
    void startRangeOperation(graph::RangeOperation operation);
    // The status bar for the pending operation: its name and the text of `askKey`;
    // empty when nothing is pending.
    void showPendingStatus(const char* askKey = "SelectARangeOnTheGraph");
    // A click where a range was to be dragged: says that a range must be dragged.
    void rangeNotDragged();
    void toggleTrace();
    // Trace off: the marker goes and the trace button is released.
    void stopTrace();

    void redraw();
    void markModified();
    // The history of the mode in use, brought up to date from the entry box.
    void storeActiveHistory();

    // The selection steps on the graph's candidate list; they set the selected indices.
    bool selectOneFunction(graph::GraphState& state) override;
    bool selectTwoFunctions(graph::GraphState& state) override;
    // The candidates become every plotted function, then select one.
    bool selectFromAllPlotted();

    // The rest of the range selection host.
    bool askValue(const std::string& caption, const std::string& prompt,
                  std::string& text) override;
    void appendLog(const std::vector<std::string>& lines) override;
    void markPoint(long double x, long double y) override;
    void showError(const std::string& message) override;
    void zoomToBox(const graph::analysis::SearchBox& box) override;

signals:
    void statusText(const QString& text);
    // The help at a topic (an instruction dialog's Help button).
    void helpRequested(const QString& topic);
    void modeChanged(graph::Mode mode);
    void traceChanged(bool on);
    void modifiedChanged(bool modified);
    // Any change of the work (each one, not only the first).
    void workChanged();

private:
    QString text(const char* key) const;
    // Converts the texts; when the graph takes the Range they become the range window's
    // texts and the graph is redrawn. Otherwise a message, and nothing changes.
    bool applyRangeTexts(const graph::RangeTexts& texts);
    // Shows the instructions of the mode; `storeChoice` writes the never-show box on OK.
    void showInstructions(graph::Mode mode, bool storeChoice);
    // Shows the selection dialog over the candidates; the rows chosen, none on Cancel.
    std::vector<int> chooseCandidates(const char* captionKey, bool multiple);

    AppState& m_app;
    Questions& m_questions;
    FrameWindows m_windows;
    std::unique_ptr<TSelectGraphWindow> m_selectDialog;
    std::unique_ptr<TdlgFunctionInstructions> m_functionInstructions;
    std::unique_ptr<TdlgIntegralInstructions> m_integralInstructions;
};

} // namespace lindor::ui
