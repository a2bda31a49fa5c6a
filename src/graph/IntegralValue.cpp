#include "graph/IntegralValue.h"

#include <algorithm>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/quadrature/tanh_sinh.hpp>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <vector>

namespace lindor::graph {
namespace {

using Real = long double;

// Cells of the first sampling of the interval.
constexpr int kSampleCells = 64;
// The error aimed at, relative to the integral of |f|.
constexpr Real kAimedError = 1e-13L;
// The largest error, relative to the value, that still leaves ten correct digits.
constexpr Real kShownError = 5e-12L;
// Evaluations of f for one integral: the subdivision stops here, and the few evaluations
// that finish a cell or look at a point may go on to the hard limit.
constexpr long kSoftEvaluations = 200000;
constexpr long kHardEvaluations = 240000;
// Rounds of splitting at newly found trouble points, and the most points split at.
constexpr int kMaxRounds = 8;
constexpr std::size_t kMaxBreaks = 64;
// Bisection steps that trace the edge of an undefined place.
constexpr int kEdgeSteps = 200;
// A cell around 0 narrower than this part of the interval is not split further: it holds
// a trouble point.
const Real kNarrowestCell = std::ldexp(1.0L, -80);
// A cell at most this many numbers wide is not split further; the numbers in it are
// looked at one by one.
constexpr Real kScannedSpacings = 256;
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
// tanh-sinh: its most refinement levels and the change between levels that ends them,
// relative to the integral of |f|.
constexpr std::size_t kTanhSinhLevels = 10;
constexpr Real kTanhSinhTolerance = 1e-14L;
// The least width of its cells, in spacings of the numbers at their ends.
const Real kTanhSinhSpacings = std::ldexp(1.0L, 32);

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
const Real kShortestInterval = std::numeric_limits<Real>::min() * std::ldexp(1.0L, 64);

struct BudgetSpent {};

Real spacingAt(Real x) {
    const Real m = std::fabs(x);
    return std::nextafter(m, std::numeric_limits<Real>::infinity()) - m;
}

// f with the bookkeeping of the search: not-a-number where f is undefined (or not
// finite), the number of evaluations, and the last x where f was undefined.
class Sampler {
public:
    explicit Sampler(const Integrand& f) : m_f(f) {}

    Real operator()(Real x) {
        if (++m_evaluations > kHardEvaluations)
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

struct Cell {
    Real from = 0;
    Real to = 0;
    int singularEnd = 0; // -1: special at `from`, +1: at `to`, 0: none (Gauss-Kronrod)
    EndShape shape;
    Real value = 0;
    Real error = 0;
    Real l1 = 0;
};

// Sums over cells, and the error that is small enough for them: a part of the integral of
// |f|, or of the value well below what ten digits need.
struct Totals {
    Real value = 0;
    Real error = 0;
    Real l1 = 0;

    void add(const Cell& c) {
        value += c.value;
        error += c.error;
        l1 += c.l1;
    }
    void remove(const Cell& c) {
        value -= c.value;
        error -= c.error;
        l1 -= c.l1;
    }
    Totals plus(const Totals& other) const {
        return Totals{value + other.value, error + other.error, l1 + other.l1};
    }
    Real enough() const { return std::max(kAimedError * l1, kShownError / 10 * std::fabs(value)); }
};

bool byError(const Cell& a, const Cell& b) {
    return a.error < b.error;
}

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

IntegralValue withStatus(IntegralValue::Status status, Real where = 0) {
    IntegralValue v;
    v.status = status;
    v.where = where;
    return v;
}

class Integration {
public:
    Integration(const Integrand& f, Real a, Real b) : m_f(f), m_a(a), m_b(b) {}

    IntegralValue run() {
        try {
            if (std::optional<IntegralValue> refused = sample())
                return *refused;
            for (int round = 0; round < kMaxRounds; ++round) {
                std::optional<IntegralValue> done = integrateRound();
                if (done)
                    return *done;
            }
        } catch (const BudgetSpent&) {
        }
        return withStatus(IntegralValue::Status::Inaccurate);
    }

private:
    Real length() const { return m_b - m_a; }

    // f is undefined at x: true when it is defined on the way to `towards` right up to x,
    // so that the undefined place is a single point (a hole or a pole), not an interval.
    bool undefinedOnlyAt(Real x, Real towards) {
        Real d = towards;
        if (!m_f.defined(d)) {
            d = x + (towards - x) / 2;
            if (!m_f.defined(d))
                return false;
        }
        for (int i = 0; i < kEdgeSteps; ++i) {
            const Real m = d + (x - d) / 2;
            if (m == d || m == x)
                return true;
            if (!m_f.defined(m))
                return false;
            d = m;
        }
        return true;
    }

    // The first look: f on a grid. A grid point where f is undefined is either a single
    // point (split there) or part of a region where f is undefined (no integral).
    std::optional<IntegralValue> sample() {
        const Real h = length() / kSampleCells;
        m_grid.resize(kSampleCells + 1);
        for (int k = 0; k <= kSampleCells; ++k)
            m_grid[static_cast<std::size_t>(k)] = k == kSampleCells ? m_b : m_a + k * h;
        for (int k = 0; k <= kSampleCells; ++k) {
            const Real x = m_grid[static_cast<std::size_t>(k)];
            if (m_f.defined(x))
                continue;
            const bool single =
                (k == 0 || undefinedOnlyAt(x, m_grid[static_cast<std::size_t>(k - 1)])) &&
                (k == kSampleCells || undefinedOnlyAt(x, m_grid[static_cast<std::size_t>(k + 1)]));
            if (!single)
                return withStatus(IntegralValue::Status::Undefined, x);
            if (k == 0)
                m_specialLower = Break{x, 0};
            else if (k == kSampleCells)
                m_specialUpper = Break{x, 0};
            else
                m_breaks.push_back(Break{x, 0});
        }
        return std::nullopt;
    }

    std::optional<Break> specialAt(Real x) const {
        if (x == m_a)
            return m_specialLower;
        if (x == m_b)
            return m_specialUpper;
        for (const Break& b : m_breaks)
            if (b.x == x)
                return b;
        return std::nullopt;
    }

    // The cells of this round: the grid, split at the breaks, with each special end in a
    // cell of its own side.
    std::vector<Cell> cells() const {
        std::vector<Real> points{m_a, m_b};
        const Real keepAway = length() / kSampleCells / 4;
        for (std::size_t k = 1; k + 1 < m_grid.size(); ++k) {
            const Real x = m_grid[k];
            const bool nearBreak =
                std::any_of(m_breaks.begin(), m_breaks.end(),
                            [&](const Break& b) { return std::fabs(b.x - x) < keepAway; });
            if (!nearBreak)
                points.push_back(x);
        }
        for (const Break& b : m_breaks)
            points.push_back(b.x);
        std::sort(points.begin(), points.end());
        points.erase(std::unique(points.begin(), points.end()), points.end());

        std::vector<Cell> result;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const Real p = points[i];
            const Real q = points[i + 1];
            // A cell too narrow for the end rule is one for Gauss-Kronrod.
            const bool fits = fitsTanhSinh(p, q);
            const bool atP = fits && specialAt(p).has_value();
            const bool atQ = fits && specialAt(q).has_value();
            if (atP && atQ) {
                const Real m = p + (q - p) / 2;
                result.push_back(Cell{p, m, -1, {}, 0, 0, 0});
                result.push_back(Cell{m, q, +1, {}, 0, 0, 0});
            } else {
                result.push_back(Cell{p, q, atP ? -1 : (atQ ? +1 : 0), {}, 0, 0, 0});
            }
        }
        return result;
    }

    // tanh-sinh places its points relative to the cell's half width: the cell must be wide
    // against the spacing of the numbers at its ends and against the smallest number.
    static bool fitsTanhSinh(Real from, Real to) {
        const Real width = to - from;
        const Real finest = std::max(
            {spacingAt(from), spacingAt(to), std::numeric_limits<Real>::min() * kTanhSinhSpacings});
        return width > kTanhSinhSpacings * finest;
    }

    // How f grows towards the special end e of a cell `width` wide that lies on `side`
    // (+1: to the right of e).
    EndShape shapeTowards(const Break& end, int side, Real width) {
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
            const Real y = m_f(x);
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

    // Integrates one cell; false when f turned out undefined (or the sum not finite) in it.
    bool evaluate(Cell& c) {
        m_f.forgetUndefined();
        const auto f = [this](Real x) { return m_f(x); };
        if (c.singularEnd == 0) {
            // The rule on [-1, 1], scaled here: value, error and L1 in the same units.
            const Real middle = c.from + (c.to - c.from) / 2;
            const Real half = (c.to - c.from) / 2;
            const auto g = [&](Real t) { return f(middle + half * t); };
            Real error = 0;
            Real l1 = 0;
            c.value = half * boost::math::quadrature::gauss_kronrod<Real, 15>::integrate(
                                 g, -1, 1, 0, 0, &error, &l1);
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

    bool splittable(const Cell& c) const {
        const Real width = c.to - c.from;
        const Real middle = c.from + width / 2;
        if (width <= kScannedSpacings * spacingAt(middle))
            return false;
        // The half at a special end keeps the end rule.
        if (c.singularEnd < 0 && !fitsTanhSinh(c.from, middle))
            return false;
        if (c.singularEnd > 0 && !fitsTanhSinh(middle, c.to))
            return false;
        // Around 0 the numbers get ever denser: a cell there ends at a part of the interval.
        if (c.from <= 0 && c.to >= 0 && width <= kNarrowestCell * length())
            return false;
        // The power law's own part must stay well inside the half next to the end.
        return c.shape.kind != EndShape::Kind::Power || middle - c.from > 4 * c.shape.distance;
    }

    // The point a cell that cannot be split holds: its special end; 0 when it lies in the
    // cell; else, in a cell only a few numbers wide, the number where f is undefined or
    // changes most (a pole or a jump), found by looking at every number in the cell.
    Break troubleIn(const Cell& c) {
        const Real width = c.to - c.from;
        if (c.singularEnd != 0)
            return Break{c.singularEnd < 0 ? c.from : c.to, width};
        if (c.from <= 0 && c.to >= 0)
            return Break{0, width};
        const Real middle = c.from + width / 2;
        if (width > kScannedSpacings * spacingAt(middle))
            return Break{middle, width};
        const Real up = std::numeric_limits<Real>::infinity();
        Real before = c.from;
        Real valueBefore = m_f(before);
        if (std::isnan(valueBefore))
            return Break{before, 0};
        Real at = middle;
        Real largestStep = -1;
        for (Real x = std::nextafter(before, up); x <= c.to; x = std::nextafter(x, up)) {
            const Real y = m_f(x);
            if (std::isnan(y))
                return Break{x, 0};
            const Real step = std::fabs(y - valueBefore);
            if (step > largestStep) {
                largestStep = step;
                at = std::fabs(y) > std::fabs(valueBefore) ? x : before;
            }
            before = x;
            valueBefore = y;
        }
        return Break{at, spacingAt(at)};
    }

    bool isSpecial(Real x) const { return specialAt(x).has_value(); }

    // Adds a point to split at; false when it is one already (no way forward).
    bool addBreak(const Break& b) {
        if (isSpecial(b.x))
            return false;
        if (b.x == m_a)
            m_specialLower = b;
        else if (b.x == m_b)
            m_specialUpper = b;
        else
            m_breaks.push_back(b);
        return m_breaks.size() <= kMaxBreaks;
    }

    // f was undefined at x inside the cell [from, to]: a new single point to split at, or
    // no integral.
    std::optional<IntegralValue> undefinedInside(Real x, const Cell& c) {
        if (undefinedOnlyAt(x, c.from) && undefinedOnlyAt(x, c.to) && addBreak(Break{x, 0}))
            return std::nullopt;
        return withStatus(IntegralValue::Status::Undefined, x);
    }

    // One round: the cells from the grid and the breaks known so far, the special ends
    // looked at, then subdivision of the worst cell until the error is small enough. A
    // value, a refusal, or nothing when new breaks call for another round.
    std::optional<IntegralValue> integrateRound() {
        std::vector<Cell> heap = cells();
        for (Cell& c : heap) {
            if (c.singularEnd == 0)
                continue;
            const Real e = c.singularEnd < 0 ? c.from : c.to;
            c.shape = shapeTowards(*specialAt(e), -c.singularEnd, c.to - c.from);
            if (c.shape.kind == EndShape::Kind::Divergent)
                return withStatus(IntegralValue::Status::Unbounded, e);
            if (c.shape.kind == EndShape::Kind::Undefined)
                return withStatus(IntegralValue::Status::Undefined, e);
        }
        Totals open;
        for (Cell& c : heap) {
            if (!evaluate(c))
                return afterUndefined(c);
            open.add(c);
        }
        std::make_heap(heap.begin(), heap.end(), byError);

        // Cells that cannot be split at an end already split at: they keep their estimate.
        std::vector<Cell> finished;
        Totals closed;
        while (!heap.empty() && m_f.evaluations() < kSoftEvaluations) {
            if (closed.error > open.plus(closed).enough())
                break; // no split can bring the error down any more
            if (open.error + closed.error <= open.plus(closed).enough()) {
                // The running sums drift; the decision is taken on exact sums.
                open = Totals{};
                for (const Cell& c : heap)
                    open.add(c);
                if (open.error + closed.error <= open.plus(closed).enough())
                    break;
            }
            std::pop_heap(heap.begin(), heap.end(), byError);
            const Cell worst = heap.back();
            heap.pop_back();
            open.remove(worst);
            if (!splittable(worst)) {
                const Break trouble = troubleIn(worst);
                if (isSpecial(trouble.x)) {
                    finished.push_back(worst);
                    closed.add(worst);
                    continue;
                }
                // A new point to split at: the worst cell holds the worst trouble, and
                // the cells around it are left to the next round.
                if (!addBreak(trouble))
                    return withStatus(IntegralValue::Status::Inaccurate, trouble.x);
                return std::nullopt;
            }
            const Real middle = worst.from + (worst.to - worst.from) / 2;
            Cell left = worst;
            Cell right = worst;
            left.to = middle;
            right.from = middle;
            // Only the half at a special end keeps the end rule.
            if (worst.singularEnd < 0)
                right.singularEnd = 0;
            if (worst.singularEnd > 0)
                left.singularEnd = 0;
            for (Cell* half : {&left, &right}) {
                if (!evaluate(*half))
                    return afterUndefined(*half);
                open.add(*half);
                heap.push_back(*half);
                std::push_heap(heap.begin(), heap.end(), byError);
            }
        }

        heap.insert(heap.end(), finished.begin(), finished.end());
        return verdict(heap);
    }

    std::optional<IntegralValue> afterUndefined(const Cell& c) {
        if (!m_f.undefinedAt())
            return withStatus(IntegralValue::Status::Inaccurate, c.from); // an overflowing sum
        return undefinedInside(*m_f.undefinedAt(), c);
    }

    static IntegralValue verdict(const std::vector<Cell>& cells) {
        Totals sum;
        for (const Cell& c : cells)
            sum.add(c);
        const Real value = sum.value;
        const Real error = sum.error;
        const Real l1 = sum.l1;
        IntegralValue v;
        v.error = error;
        if (!std::isfinite(value))
            return v;
        if (error <= kShownError * std::fabs(value)) {
            v.status = IntegralValue::Status::Value;
            v.value = value;
        } else if (std::fabs(value) <= kAimedError * l1 && error <= kAimedError * l1) {
            // The parts cancel to below what the function's size lets one tell from 0.
            v.status = IntegralValue::Status::Value;
            v.value = 0;
        }
        return v;
    }

    Sampler m_f;
    const Real m_a;
    const Real m_b;
    std::vector<Real> m_grid;
    std::vector<Break> m_breaks;
    std::optional<Break> m_specialLower;
    std::optional<Break> m_specialUpper;
};

} // namespace

IntegralValue integrate(const Integrand& f, long double from, long double to) {
    if (from == to) {
        IntegralValue zero;
        zero.status = IntegralValue::Status::Value;
        return zero;
    }
    const Real lower = std::min(from, to);
    const Real upper = std::max(from, to);
    // Numbers below the normal range carry too few digits for positions inside such an
    // interval; an interval too long for a number has no width to work with.
    const Real length = upper - lower;
    if (!std::isfinite(length) || length < kShortestInterval)
        return withStatus(IntegralValue::Status::Inaccurate);
    IntegralValue v = Integration(f, lower, upper).run();
    if (to < from)
        v.value = -v.value;
    return v;
}

} // namespace lindor::graph
