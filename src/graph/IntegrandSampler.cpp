#include "graph/IntegrandSampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lindor::graph::integration {
namespace {

// Bisection steps that trace the edge of an undefined place.
constexpr int kEdgeSteps = 200;
// How close to a point its growth is looked at: 2^30 times the numbers' spacing there (a
// point known only to a few units in the last place is still seen from far enough), or
// 2^-100 of the cell at 0.
const Real kGrowthSpacings = std::ldexp(1.0L, 30);
const Real kGrowthDepthAtZero = std::ldexp(1.0L, -100);
// Growth exponents: |f| ~ d^-p at distance d from a point. The integral diverges for
// p >= 1; a steady p above 0 is a power singularity.
constexpr Real kDivergentGrowth = 0.99L;
constexpr Real kSingularGrowth = 0.25L;
constexpr Real kSteadyGrowth = 0.05L;

} // namespace

Real spacingAt(Real x) {
    const Real m = std::fabs(x);
    return std::nextafter(m, std::numeric_limits<Real>::infinity()) - m;
}

bool undefinedOnlyAt(Sampler& f, Real x, Real towards) {
    Real d = towards;
    if (!f.defined(d)) {
        d = x + (towards - x) / 2;
        if (!f.defined(d))
            return false;
    }
    for (int i = 0; i < kEdgeSteps; ++i) {
        const Real m = d + (x - d) / 2;
        if (m == d || m == x)
            return true;
        if (!f.defined(m))
            return false;
        d = m;
    }
    return true;
}

EndShape shapeTowards(Sampler& f, const Break& end, int side, Real width) {
    const Real e = end.x;
    const Real nearest = (e == 0 && end.uncertainty == 0)
                             ? width * kGrowthDepthAtZero
                             : kGrowthSpacings * std::max(spacingAt(e), end.uncertainty);
    std::vector<Real> position;
    std::vector<Real> distance;
    std::vector<Real> value;
    EndShape shape;
    for (Real t = width / 2; t >= nearest; t /= 2) {
        const Real x = e + side * t;
        const Real y = f(x);
        if (std::isnan(y)) {
            shape.kind = EndShape::Kind::Undefined;
            return shape;
        }
        position.push_back(x);
        distance.push_back(std::fabs(x - e));
        value.push_back(y);
    }
    const std::size_t n = value.size();
    if (n < 6)
        return shape;
    // The exponent between the point i and the nearer point i + 1.
    const auto growth = [&](std::size_t i) {
        const Real farther = std::fabs(value[i]);
        const Real nearer = std::fabs(value[i + 1]);
        if (farther == 0 || nearer == 0 || distance[i + 1] >= distance[i])
            return kNaN;
        return std::log(nearer / farther) / std::log(distance[i] / distance[i + 1]);
    };
    Real lowest = std::numeric_limits<Real>::infinity();
    Real highest = -lowest;
    for (std::size_t i = n - 5; i + 1 < n; ++i) {
        const Real g = growth(i);
        if (std::isnan(g))
            return shape;
        lowest = std::min(lowest, g);
        highest = std::max(highest, g);
    }
    if (lowest >= kDivergentGrowth) {
        shape.kind = EndShape::Kind::Divergent;
        return shape;
    }
    // At 0 the rule itself reaches close enough to the end for any such power.
    const Real last = growth(n - 2);
    if ((e == 0 && end.uncertainty == 0) || last <= kSingularGrowth ||
        highest - lowest > kSteadyGrowth)
        return shape;
    shape.kind = EndShape::Kind::Power;
    shape.growth = last;
    shape.otherGrowth = growth(n - 3);
    shape.at = position.back();
    shape.distance = distance.back();
    shape.valueAt = value.back();
    return shape;
}

} // namespace lindor::graph::integration
