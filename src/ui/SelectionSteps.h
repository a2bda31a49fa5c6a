// The range operations on the graph: starting one (the status bar asks for a range), and what
// the graph window's mouse release talks to when one runs (the range selection host): the
// selection steps that choose among the functions, the value query, the log lines, the
// result marker and the zoom box.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "graph/GraphState.h"
#include "graph/analysis/RangeSelection.h"
#include "ui/FrameWindows.h"

namespace lindor::ui {

class AppState;
class Questions;
class RangeCommands;
class TSelectGraphWindow;

class SelectionSteps : public QObject, public graph::analysis::RangeSelectionHost {
    Q_OBJECT
public:
    SelectionSteps(AppState& app, Questions& questions, const FrameWindows& windows,
                   RangeCommands& ranges, QObject* parent = nullptr);
    ~SelectionSteps() override;

    // Sets one pending range operation and asks for a range in the status bar.
    void startRangeOperation(graph::RangeOperation operation);
    // The status bar for the pending operation: its name and the text of `askKey`; empty
    // when nothing is pending.
    void showPendingStatus(const char* askKey = "SelectARangeOnTheGraph");
    // A click where a range was to be dragged: says that a range must be dragged.
    void rangeNotDragged();

    // The selection steps: the position in the plotted-function list chosen among the
    // candidates (asking when there are several), or nothing (with a message when there
    // was nothing to choose).
    std::optional<int> selectOneFunction(const graph::GraphState& state,
                                         const std::vector<int>& candidates) override;
    std::optional<std::pair<int, int>>
    selectTwoFunctions(const graph::GraphState& state, const std::vector<int>& candidates) override;
    // One function among every plotted one.
    std::optional<int> selectFromAllPlotted();
    // The selection dialog over the candidates: the rows chosen, none on Cancel.
    std::vector<int> chooseCandidates(const std::vector<int>& candidates, const char* captionKey,
                                      bool multiple);

    // The rest of the range selection host.
    bool askValue(const std::string& caption, const std::string& prompt,
                  std::string& text) override;
    void appendLog(const std::vector<std::string>& lines) override;
    void markPoint(long double x, long double y) override;
    void showError(const std::string& message) override;
    void zoomToBox(const graph::analysis::SearchBox& box) override;

signals:
    void statusText(const QString& text);

private:
    QString text(const char* key) const;

    AppState& m_app;
    Questions& m_questions;
    FrameWindows m_windows;
    RangeCommands& m_ranges;
    std::unique_ptr<TSelectGraphWindow> m_selectDialog;
};

// Every position of the plotted-function list.
std::vector<int> allPlotted(const graph::GraphState& state);

} // namespace lindor::ui
