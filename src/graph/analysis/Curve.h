// A function as the analyses see it: its value and its numerical derivative, each with
// a flag saying whether it is defined at x.
#pragma once

#include <memory>
#include <vector>

#include "graph/CurvePlotter.h"
#include "graph/GraphState.h"

namespace lindor::expr {
class TFunction;
class TFunctionDB;
} // namespace lindor::expr

namespace lindor::graph::analysis {

struct Curve {
    Evaluator value;
    Evaluator derivative;

    // f(x); false when undefined or not a finite number (an overflow is no value either).
    bool valueAt(long double x, long double& y) const;
    // f'(x); false when no finite difference quotient could be formed.
    bool derivativeAt(long double x, long double& d) const;
};

// The value and derivative of a compiled function of the engine. The function must
// outlive the curve.
Curve curveOf(expr::TFunction& function);
// The same, sharing the function's ownership.
Curve curveOf(std::shared_ptr<expr::TFunction> function);

// The curves of the plotted-function list, by list position: entry i evaluates the
// compiled function that belongs to entry i (an entry without one is undefined
// everywhere). The curves keep their functions alive.
std::vector<Curve> plottedCurves(const GraphState& state);

} // namespace lindor::graph::analysis
