// Drawing of one function curve: one sample per plot column, gaps where the function is
// undefined, and clipping at the top and bottom of the plot area.
#pragma once

#include <functional>
#include <string>

#include "graph/Canvas.h"
#include "graph/GraphState.h"

namespace lindor::graph {

// y = f(x); false when f is undefined at x.
using Evaluator = std::function<bool(long double x, long double& y)>;

// Clip state, kept from sample to sample and from one curve to the next.
struct ClipState {
    bool above = false;
    bool below = false;
    bool previousAbove = false;
    bool previousBelow = false;
    int penState = 0; // 0: the next sample starts a stroke; 1: it continues the stroke
};

// Applies the clip rules to one computed row and returns the row to draw: rows outside
// the plot area are clamped to its edge; a sample that follows an outside sample starts
// a new stroke, unless it is back inside, when it is joined from the clamped edge point.
int clipRow(ClipState& clip, const PlotArea& area, int row);

// Draws the curve of `f` in colour `position`, with its name ("y = " + `name`) first when
// names are shown, in the view's line style. Leaves the pen width at 1.
void plotCurve(const GraphState& state, ClipState& clip, Canvas& canvas, const Evaluator& f,
               int position, const std::string& name);

// The red circle that marks an analysis result at (x, y); nothing when the point lies
// outside the Range.
void drawResultMarker(const GraphState& state, Canvas& canvas, long double x, long double y);

} // namespace lindor::graph
