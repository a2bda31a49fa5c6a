#include "graph/analysis/Curve.h"

#include <algorithm>
#include <cmath>

#include "expr/FuncEval.h"

namespace lindor::graph::analysis {

bool Curve::valueAt(long double x, long double& y) const {
    long double v = 0;
    if (!value || !value(x, v) || !std::isfinite(v))
        return false;
    y = v;
    return true;
}

bool Curve::derivativeAt(long double x, long double& d) const {
    long double v = 0;
    if (!derivative || !derivative(x, v) || !std::isfinite(v))
        return false;
    d = v;
    return true;
}

Curve curveOf(expr::TFunction& function) {
    expr::TFunction* f = &function;
    Curve curve;
    curve.value = [f](long double x, long double& y) { return f->Evaluate(x, y); };
    curve.derivative = [f](long double x, long double& y) { return f->Derivative(x, y); };
    return curve;
}

std::vector<Curve> plottedCurves(const GraphState& state, expr::TFunctionDB& functions) {
    std::vector<Curve> curves;
    const std::size_t count = std::min(state.functions.size(), state.compiledPositions.size());
    curves.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int position = state.compiledPositions[i];
        if (position >= 0 && position < functions.Count())
            curves.push_back(curveOf(functions.Get(position)));
        else
            curves.push_back(Curve{});
    }
    return curves;
}

} // namespace lindor::graph::analysis
