#include "graph/IntegralCells.h"

#include <algorithm>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/quadrature/tanh_sinh.hpp>
#include <cmath>
#include <exception>

namespace lindor::graph::integration {
namespace {

// tanh-sinh: its most refinement levels and the change between levels that ends them,
// relative to the integral of |f|.
constexpr std::size_t kTanhSinhLevels = 10;
constexpr Real kTanhSinhTolerance = 1e-14L;
// The least width of its cells, in spacings of the numbers at their ends.
const Real kTanhSinhSpacings = std::ldexp(1.0L, 32);

// One rule for the program: its tables of points and weights grow on demand (under its own
// lock). Its integrate() is not declared const, so the object is not either.
boost::math::quadrature::tanh_sinh<Real>& tanhSinh() {
    static boost::math::quadrature::tanh_sinh<Real> rule(kTanhSinhLevels);
    return rule;
}

// Boost 1.74 reports the tanh-sinh error estimate in the units of the rule's own interval
// [-1, 1] (the value and L1 in those of the interval integrated); a version that scales it
// too would make this factor 1. Which one is found once, from two integrals of 1/sqrt(x)
// that differ only in scale: unscaled, the wider one reports half the error, scaled twice.
Real tanhSinhErrorFactor(Real halfWidth) {
    static const bool scaled = [] {
        // A coarse tolerance leaves an error estimate well above rounding.
        const Real coarse = 1e-5L;
        const auto f = [](Real x) { return 1 / std::sqrt(x); };
        Real narrow = 0;
        Real wide = 0;
        tanhSinh().integrate(f, Real(0), Real(1), coarse, &narrow);
        tanhSinh().integrate(f, Real(0), Real(4), coarse, &wide);
        return wide > narrow;
    }();
    return scaled ? 1 : halfWidth;
}

} // namespace

bool fitsTanhSinh(Real from, Real to) {
    const Real width = to - from;
    const Real finest = std::max(
        {spacingAt(from), spacingAt(to), std::numeric_limits<Real>::min() * kTanhSinhSpacings});
    return width > kTanhSinhSpacings * finest;
}

bool integrateCell(Sampler& sampler, Cell& c) {
    sampler.forgetUndefined();
    const auto f = [&sampler](Real x) { return sampler(x); };
    if (c.singularEnd == 0) {
        // The rule on [-1, 1], scaled here: value, error and L1 in the same units.
        const Real middle = c.from + (c.to - c.from) / 2;
        const Real half = (c.to - c.from) / 2;
        const auto g = [&](Real t) { return f(middle + half * t); };
        Real error = 0;
        Real l1 = 0;
        c.value = half * boost::math::quadrature::gauss_kronrod<Real, 15>::integrate(g, -1, 1, 0, 0,
                                                                                     &error, &l1);
        c.error = half * error;
        c.l1 = half * l1;
    } else {
        Real from = c.from;
        Real to = c.to;
        Real tail = 0;
        Real tailError = 0;
        if (c.shape.kind == EndShape::Kind::Power) {
            (c.singularEnd < 0 ? from : to) = c.shape.at;
            const Real reach = c.shape.valueAt * c.shape.distance;
            tail = reach / (1 - c.shape.growth);
            tailError = std::fabs(tail - reach / (1 - c.shape.otherGrowth));
        }
        try {
            c.value = tanhSinh().integrate(f, from, to, kTanhSinhTolerance, &c.error, &c.l1);
            c.error *= tanhSinhErrorFactor((to - from) / 2);
        } catch (const std::exception&) {
            // The rule stops at a value that is not finite.
            c.value = kNaN;
        }
        c.value += tail;
        c.error += tailError;
        c.l1 += std::fabs(tail);
    }
    return std::isfinite(c.value) && std::isfinite(c.error) && std::isfinite(c.l1);
}

} // namespace lindor::graph::integration
