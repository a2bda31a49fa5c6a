#include "graph/IntegralValue.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "graph/IntegralCells.h"
#include "graph/IntegrandSampler.h"

namespace lindor::graph {
namespace {

using namespace integration;

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
// A cell around 0 narrower than this part of the interval is not split further: it holds
// a trouble point.
const Real kNarrowestCell = std::ldexp(1.0L, -80);
// A cell at most this many numbers wide is not split further; the numbers in it are
// looked at one by one.
constexpr Real kScannedSpacings = 256;
// The shortest interval worked on: 2^64 times the smallest normal number.
const Real kShortestInterval = std::numeric_limits<Real>::min() * std::ldexp(1.0L, 64);

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

IntegralValue withStatus(IntegralValue::Status status, Real where = 0) {
    IntegralValue v;
    v.status = status;
    v.where = where;
    return v;
}

class Integration {
public:
    Integration(const Integrand& f, Real a, Real b) : m_f(f, kHardEvaluations), m_a(a), m_b(b) {}

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
                (k == 0 || undefinedOnlyAt(m_f, x, m_grid[static_cast<std::size_t>(k - 1)])) &&
                (k == kSampleCells ||
                 undefinedOnlyAt(m_f, x, m_grid[static_cast<std::size_t>(k + 1)]));
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
        if (undefinedOnlyAt(m_f, x, c.from) && undefinedOnlyAt(m_f, x, c.to) &&
            addBreak(Break{x, 0}))
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
            c.shape = shapeTowards(m_f, *specialAt(e), -c.singularEnd, c.to - c.from);
            if (c.shape.kind == EndShape::Kind::Divergent)
                return withStatus(IntegralValue::Status::Unbounded, e);
            if (c.shape.kind == EndShape::Kind::Undefined)
                return withStatus(IntegralValue::Status::Undefined, e);
        }
        Totals open;
        for (Cell& c : heap) {
            if (!integrateCell(m_f, c))
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
                if (!integrateCell(m_f, *half))
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
