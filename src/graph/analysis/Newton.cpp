#include "graph/analysis/Newton.h"

#include <cmath>

namespace lindor::graph::analysis {

namespace {

constexpr long double kInverseStepTolerance = 1e-25L;

// A stopping point that was not reached by a converging step still counts as a root
// when the function is (nearly) zero there.
bool isNearZero(const Curve& f, long double x) {
    long double y = 0;
    return f.valueAt(x, y) && std::fabs(y) <= kValueTolerance;
}

} // namespace

bool newtonRoot(const Curve& f, long double x0, long double& root) {
    long double r = x0;
    for (int i = 1; i <= kNewtonIterations; ++i) {
        const long double xi = r;
        long double y = 0;
        // Undefined at an iterate: the method has left the function's domain, and the
        // point it stopped at says nothing about a root.
        if (!f.valueAt(xi, y))
            return false;
        long double d = 0;
        if (!f.derivativeAt(xi, d)) {
            // No slope here (a cusp or the edge of the domain): a root only when f
            // itself vanishes.
            root = xi;
            return std::fabs(y) <= kValueTolerance;
        }
        if (d == 0)
            return false;
        r = xi - y / d;
        if (!std::isfinite(r))
            return false;
        if (i > 1 && std::fabs(r - xi) < kRootStepTolerance) {
            long double check = 0;
            if (!f.valueAt(r, check))
                return false;
            root = r;
            return true;
        }
    }
    // The iterations ran out without a small step: slow convergence towards a multiple
    // root still counts, wandering about where there is no root does not.
    root = r;
    return isNearZero(f, r);
}

bool inverseNewton(const Curve& f, long double target, long double x0, long double& x) {
    long double r = x0;
    for (int i = 1; i <= kNewtonIterations; ++i) {
        const long double xi = r;
        long double y = 0;
        long double d = 0;
        if (f.valueAt(xi, y) && f.derivativeAt(xi, d)) {
            if (d == 0) {
                x = xi;
                return false;
            }
            r = xi + (target - y) / d;
            if (!std::isfinite(r)) {
                x = xi;
                return false;
            }
        }
        if (i > 1 && std::fabs(r - xi) < kInverseStepTolerance)
            break;
    }
    x = r;
    return true;
}

} // namespace lindor::graph::analysis
