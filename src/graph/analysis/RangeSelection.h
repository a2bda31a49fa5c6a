// The end of a drag over the graph: collect the candidates, compute the search box and
// run the pending range operations on it. Everything that needs the user (the function
// selection, the value query, the log window, the marker, the range texts) goes through
// the host, so that the window only has to forward its mouse release here.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graph/GraphState.h"
#include "graph/analysis/AnalysisResult.h"
#include "graph/analysis/Curve.h"
#include "graph/analysis/SearchBox.h"

namespace lindor::graph::analysis {

class RangeSelectionHost {
public:
    virtual ~RangeSelectionHost() = default;

    // The frame's selection steps: choose among the candidates (positions in the plotted-
    // function list, in list order), may ask the user, and answer the position chosen (or
    // the first and the second). Nothing: stop.
    virtual std::optional<int> selectOneFunction(const GraphState& state,
                                                 const std::vector<int>& candidates) = 0;
    virtual std::optional<std::pair<int, int>>
    selectTwoFunctions(const GraphState& state, const std::vector<int>& candidates) = 0;
    // The input query; false when the user cancels.
    virtual bool askValue(const std::string& caption, const std::string& prompt,
                          std::string& text) = 0;
    // Appends lines to the log window.
    virtual void appendLog(const std::vector<std::string>& lines) = 0;
    // Draws the result marker (nothing when the point lies outside the Range).
    virtual void markPoint(long double x, long double y) = 0;
    // Shows an error message (a typed value that is not a number).
    virtual void showError(const std::string& message) = 0;
    // The zoom box: writes the box into the range texts and applies them.
    virtual void zoomToBox(const SearchBox& box) = 0;
};

// The translation key that names a range operation ("Root", "ZoomBox", ...).
const char* operationKey(RangeOperation operation);
// The first pending operation in the order they run, if any is pending.
std::optional<RangeOperation> firstPending(const GraphState& state);

enum class SelectionEnd {
    Ran,     // the pending operations ran on the dragged rectangle and were cleared
    Click,   // press and release were too close together: nothing ran, still pending
    Nothing, // no operation was pending
};

// Runs at the release of the mouse button at the end of `drag`. A click (see isClick) with
// an operation pending keeps it pending and does nothing else. Otherwise, in function mode,
// it collects the candidates, runs every pending operation (Root first, Y-Intersection
// last) on the search box of the drag, and finally clears the pending operations.
// `curves` holds the curve of each position of the plotted-function list.
SelectionEnd finishRangeSelection(GraphState& state, const PixelDrag& drag,
                                  const std::vector<Curve>& curves, RangeSelectionHost& host,
                                  const AnalysisContext& context);

} // namespace lindor::graph::analysis
