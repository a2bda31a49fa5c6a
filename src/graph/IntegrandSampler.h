// Looking at an integrand for the integral's value: evaluations counted against a budget,
// the edge of a place where it is undefined, and how it grows towards a point.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "graph/IntegralValue.h"

namespace lindor::graph::integration {

using Real = long double;

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// Thrown by the sampler when the evaluations allowed for one integral are used up.
struct BudgetSpent {};

// The distance from |x| to the next larger number.
Real spacingAt(Real x);

// f with the bookkeeping of the search: not-a-number where f is undefined (or not
// finite), the number of evaluations, and the last x where f was undefined.
class Sampler {
public:
    Sampler(const Integrand& f, long budget) : m_f(f), m_budget(budget) {}

    Real operator()(Real x) {
        if (++m_evaluations > m_budget)
            throw BudgetSpent{};
        Real y = 0;
        if (m_f(x, y) && std::isfinite(y))
            return y;
        m_undefinedAt = x;
        return kNaN;
    }
    bool defined(Real x) { return !std::isnan((*this)(x)); }

    long evaluations() const { return m_evaluations; }
    void forgetUndefined() { m_undefinedAt.reset(); }
    const std::optional<Real>& undefinedAt() const { return m_undefinedAt; }

private:
    const Integrand& m_f;
    const long m_budget;
    long m_evaluations = 0;
    std::optional<Real> m_undefinedAt;
};

// A place where the interval is split: a single point where f is undefined, a pole, a
// jump, or another spot the subdivision could not get past. `uncertainty` is how well
// its position is known.
struct Break {
    Real x = 0;
    Real uncertainty = 0;
};

// How f behaves towards a special end of a cell.
struct EndShape {
    enum class Kind { Plain, Power, Divergent, Undefined };
    Kind kind = Kind::Plain;
    // Power: |f| ~ d^-growth; the part between the end and `at` (`distance` wide) is
    // added as the power law's integral, `otherGrowth` (one step further out) bounds its
    // error.
    Real growth = 0;
    Real otherGrowth = 0;
    Real at = 0;
    Real distance = 0;
    Real valueAt = 0;
};

// f is undefined at x: true when it is defined on the way to `towards` right up to x, so
// that the undefined place is a single point (a hole or a pole), not an interval.
bool undefinedOnlyAt(Sampler& f, Real x, Real towards);

// How f grows towards `end` from the side `side` (+1: to the right) within `width`.
EndShape shapeTowards(Sampler& f, const Break& end, int side, Real width);

} // namespace lindor::graph::integration
