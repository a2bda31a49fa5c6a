// Drawing of one function curve through the points CurveTrace finds, in the function's
// colour and the view's line style, and the marker of an analysis result.
#pragma once

#include <string>

#include "graph/Canvas.h"
#include "graph/CurveTrace.h"
#include "graph/GraphState.h"

namespace lindor::graph {

// Draws the curve of `f` in colour `position`, with its name ("y = " + `name`) first when
// names are shown, in the view's line style: dotted lines set one pixel per plot column
// where f is defined (not clipped), normal and bold lines draw the traced polylines.
// Leaves the pen width at 1. The same as curveLines and drawCurve on sampleColumns.
void plotCurve(const GraphState& state, Canvas& canvas, const Evaluator& f, const CurveEnds& ends,
               int position, const std::string& name);

// The polylines plotCurve draws for the column samples of f (traceCurve), none for dotted
// lines, which need only the samples.
std::vector<Polyline> curveLines(const GraphState& state, const ColumnSamples& samples,
                                 const Evaluator& f, const CurveEnds& ends);
// Draws a curve as plotCurve does, from its column samples and its curveLines.
void drawCurve(const GraphState& state, Canvas& canvas, const ColumnSamples& samples,
               const std::vector<Polyline>& lines, int position, const std::string& name);

// The red circle that marks an analysis result at (x, y); nothing when the point lies
// outside the Range.
void drawResultMarker(const GraphState& state, Canvas& canvas, long double x, long double y);

} // namespace lindor::graph
