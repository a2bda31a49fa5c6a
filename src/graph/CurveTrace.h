// The points a curve is drawn through. A curve is first sampled once per plot column;
// between two neighbouring samples that the columns cannot resolve (one defined and the
// other not, or rows far apart in a way a smooth curve would not explain) it is refined
// by bisection in x: to the end of the function's domain, to a jump (where the curve is
// broken instead of joined by a riser), or through a steep part to the edge of the plot
// area. The result is a list of polylines in window pixels, clipped to the plot area.
#pragma once

#include <functional>
#include <vector>

#include "graph/Canvas.h"
#include "graph/GraphState.h"

namespace lindor::graph {

// y = f(x); false when f is undefined at x.
using Evaluator = std::function<bool(long double x, long double& y)>;

// The value of a curve at one plot column.
struct ColumnSample {
    long double y = 0;
    bool defined = false;
};
using ColumnSamples = std::vector<ColumnSample>;

// The function's own range [lower; upper], where it has one: the curve ends exactly there.
struct CurveEnds {
    bool bounded = false;
    long double lower = 0;
    long double upper = 0;
};

using Polyline = std::vector<Point>;

// Extra evaluations that the refinement may spend between two neighbouring columns.
constexpr int kRefineBudgetPerPair = 64;
// Over a whole curve the refinement earns this many evaluations per column and may save
// up at most kRefineAllowanceCap of them, so a curve costs at most
// kRefineAllowanceCap + kRefineAllowancePerColumn * W evaluations beyond its samples.
constexpr int kRefineAllowancePerColumn = 4;
constexpr int kRefineAllowanceCap = 256;

// One evaluation per plot column i = 0..W, at x = ColumnToX(i). Empty when there is no
// plot area.
ColumnSamples sampleColumns(const GraphState& state, const Evaluator& f);

// The polylines of the curve whose column samples are `samples` (from sampleColumns on the
// same state): refined with further evaluations of `f` where the columns cannot see, and
// clipped to the plot area. A part that leaves the area is drawn to the edge it leaves by;
// nothing is drawn along an edge; a polyline of one point is one pixel.
std::vector<Polyline> traceCurve(const GraphState& state, const ColumnSamples& samples,
                                 const Evaluator& f, const CurveEnds& ends = {});

} // namespace lindor::graph
