#include "graph/analysis/Curve.h"

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

Curve curveOf(std::shared_ptr<expr::TFunction> function) {
    if (!function)
        return Curve{};
    Curve curve;
    curve.value = [function](long double x, long double& y) { return function->Evaluate(x, y); };
    curve.derivative = [function](long double x, long double& y) {
        return function->Derivative(x, y);
    };
    return curve;
}

std::vector<Curve> plottedCurves(const GraphState& state) {
    std::vector<Curve> curves;
    curves.reserve(state.functions().size());
    for (const PlottedFunction& f : state.functions())
        curves.push_back(curveOf(f.compiled));
    return curves;
}

} // namespace lindor::graph::analysis
