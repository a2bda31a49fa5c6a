// Newton's method with the numerical derivative, for roots and for a target value.
#pragma once

#include "graph/analysis/Curve.h"

namespace lindor::graph::analysis {

// Iterations of either search.
constexpr int kNewtonIterations = 50;
// A root search has converged when a step moves x by less than this.
constexpr long double kRootStepTolerance = 1e-6L;
// A value this close to zero (or to the target) counts as met.
constexpr long double kValueTolerance = 1e-10L;

// Newton's method for f(x) = 0 from x0. True with the root in `root` when a step after
// the first moved x by less than 1e-6, or when the iterations end (the limit is reached,
// or the derivative cannot be formed) at a point where |f| <= 1e-10. False when the
// derivative is exactly 0, when f is undefined at an iterate, or when an iterate leaves
// the finite numbers.
bool newtonRoot(const Curve& f, long double x0, long double& root);

// Newton's method for f(x) = target from x0: x := x + (target - f(x)) / f'(x). Runs
// until an update leaves x unchanged (to within 1e-25) or 50 iterations are used; where
// f or f' is undefined the search stops at that x. False only when the derivative is
// exactly 0 (`x` then holds the point where it was) or an iterate is not finite. The
// caller decides whether the x found meets the target.
bool inverseNewton(const Curve& f, long double target, long double x0, long double& x);

} // namespace lindor::graph::analysis
