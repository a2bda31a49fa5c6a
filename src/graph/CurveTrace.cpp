#include "graph/CurveTrace.h"

#include <algorithm>
#include <cstdlib>

namespace lindor::graph {

namespace {

// A gap whose pieces keep all of it (and come no nearer to the view) through this many
// halvings is a jump.
constexpr int kSteadySplitsOfAJump = 12;
// No gap is halved further than to 2^-40 of a column.
constexpr int kMaxGapDepth = 40;
// A piece of a gap is refined further when it holds more than this share of the gap, or
// when the middle value lies outside the values at the ends; a curve that is smooth at
// the scale of the piece splits its gap about evenly.
constexpr double kKeepShare = 0.75;
// The end of a domain is sought to at least 2^-16 of a column, then until the row of the
// last defined point has stayed the same over four halvings; never beyond 2^-64.
constexpr int kEndMinDepth = 16;
constexpr int kEndSettledSplits = 4;
constexpr int kEndMaxDepth = 64;

// Collects the traced points as window pixels and clips them to the plot area: a part
// that leaves the area ends at the edge (the outside point clamped to it), a part that
// comes back starts at the edge, and nothing is drawn between two outside points.
class ClippedPolylines {
public:
    explicit ClippedPolylines(const PlotArea& area) : m_area(area) {}

    void add(Point p) {
        const bool inside = p.y >= m_area.top && p.y <= m_area.bottom;
        if (m_hasPrevious && m_previousInside && !inside) {
            push(clamped(p));
            close();
        } else if (m_hasPrevious && !m_previousInside && inside) {
            push(clamped(m_previous));
        }
        if (inside)
            push(p);
        m_previous = p;
        m_previousInside = inside;
        m_hasPrevious = true;
    }

    // The curve is broken here: the next point is not joined to the last one.
    void breakLine() {
        close();
        m_hasPrevious = false;
    }

    std::vector<Polyline> finish() {
        breakLine();
        return std::move(m_lines);
    }

private:
    Point clamped(Point p) const { return {p.x, p.y < m_area.top ? m_area.top : m_area.bottom}; }
    void push(Point p) {
        if (m_current.empty() || m_current.back() != p)
            m_current.push_back(p);
    }
    void close() {
        if (!m_current.empty())
            m_lines.push_back(std::move(m_current));
        m_current.clear();
    }

    const PlotArea& m_area;
    std::vector<Polyline> m_lines;
    Polyline m_current;
    Point m_previous;
    bool m_previousInside = false;
    bool m_hasPrevious = false;
};

// The curve at one x: t is the plot column (fractional between columns).
struct Probe {
    long double t = 0;
    int column = 0; // the plot column t rounds to
    bool defined = false;
    long double y = 0;
    int row = 0;   // window row, not limited to the plot area
    int level = 0; // the row limited to one beyond each edge: what refinement compares
};

int gapBetween(const Probe& a, const Probe& b) {
    return std::abs(a.level - b.level);
}

// What the column samples of two neighbouring columns call for.
enum class Need { Nothing, Refine, Split };

class Tracer {
public:
    Tracer(const GraphState& state, const Evaluator& f, const CurveEnds& ends,
           ClippedPolylines& out)
        : m_state(state), m_area(state.area()), m_f(f), m_ends(ends), m_out(out) {
        const Range& r = state.range();
        m_yLow = std::min(r.yMin, r.yMax);
        m_yHigh = std::max(r.yMin, r.yMax);
    }

    Probe column(int i, const ColumnSample& sample) const {
        Probe p;
        p.t = i;
        p.column = i;
        p.defined = sample.defined;
        p.y = sample.y;
        place(p);
        return p;
    }

    bool inside(const Probe& p) const { return p.level >= m_area.top && p.level <= m_area.bottom; }

    void add(const Probe& p) { m_out.add({m_area.left + p.column, p.row}); }

    // Everything the curve does strictly between the neighbouring columns a and b, with at
    // most `budget` evaluations; returns how many it used.
    int between(const Probe& a, const Probe& b, Need need, int budget) {
        m_budget = budget;
        if (a.defined && b.defined)
            refineGap(a, b, 0, 0, need == Need::Split);
        else if (a.defined)
            toEnd(a, b);
        else if (b.defined)
            fromStart(a, b);
        return budget - m_budget;
    }

private:
    void place(Probe& p) const {
        if (!p.defined)
            return;
        p.row = m_state.YToRow(p.y);
        p.level = std::clamp(p.row, m_area.top - 1, m_area.bottom + 1);
    }

    // How far the value lies outside the Range's y values (0 inside).
    long double beyond(const Probe& p) const {
        return p.y > m_yHigh ? p.y - m_yHigh : (p.y < m_yLow ? m_yLow - p.y : 0);
    }

    long double xAt(long double t) const {
        // The formula of ColumnToX, so that whole columns give the same x.
        const Range& r = m_state.range();
        return columnX(r.xMin, r.xMax - r.xMin, m_area.width, t);
    }

    long double tAt(long double x) const {
        const Range& r = m_state.range();
        return (x - r.xMin) / (r.xMax - r.xMin) * m_area.width;
    }

    Probe evaluate(long double t, long double x) {
        --m_budget;
        Probe p;
        p.t = t;
        // t lies between two columns (or on a range end in view), so it is not negative.
        p.column = static_cast<int>(t + 0.5L);
        p.defined = m_f(x, p.y);
        place(p);
        return p;
    }

    // Halves the gap between two defined points l and r, both already drawn or about to
    // be, and adds the points found between them in order. A piece whose gap stays however
    // small it gets is a jump: the curve is broken there.
    void refineGap(const Probe& l, const Probe& r, int depth, int steady, bool force) {
        const int gap = gapBetween(l, r);
        if ((gap <= 1 && !force) || m_budget <= 0)
            return; // joined by a line
        const long double t = (l.t + r.t) / 2;
        if (depth >= kMaxGapDepth || steady >= kSteadySplitsOfAJump || t == l.t || t == r.t) {
            m_out.breakLine();
            return;
        }
        const Probe m = evaluate(t, xAt(t));
        if (!m.defined) {
            toEnd(l, m);
            m_out.breakLine();
            fromStart(m, r);
            return;
        }
        const int gapLeft = gapBetween(l, m);
        const int gapRight = gapBetween(m, r);
        const bool overshoot =
            m.level < std::min(l.level, r.level) - 1 || m.level > std::max(l.level, r.level) + 1;
        const auto follow = [&](int part) {
            return part > 1 && (overshoot || part > kKeepShare * gap);
        };
        if (follow(gapLeft))
            refineGap(l, m, depth + 1, noProgress(gapLeft, gap, m, r) ? steady + 1 : 0, false);
        add(m);
        if (follow(gapRight))
            refineGap(m, r, depth + 1, noProgress(gapRight, gap, m, l) ? steady + 1 : 0, false);
    }

    // True when a piece whose new end m replaced `replaced` keeps the whole gap and, where
    // both lie outside the view, m lies no nearer to it: the piece looks like a jump.
    bool noProgress(int part, int gap, const Probe& m, const Probe& replaced) const {
        if (part < gap)
            return false;
        return inside(m) || inside(replaced) || beyond(m) >= beyond(replaced);
    }

    // From the defined point `def` towards the undefined `undef`: the points up to the
    // last defined one, in the order met (away from `def`).
    void seekEnd(Probe def, Probe undef, std::vector<Probe>& path) {
        if (m_ends.bounded) {
            // Where the function's own range ends between the two, the curve ends exactly
            // at that end.
            const long double xd = xAt(def.t);
            const long double xu = xAt(undef.t);
            if (xu < m_ends.lower || xu > m_ends.upper) {
                const long double end = xu < m_ends.lower ? m_ends.lower : m_ends.upper;
                if (xd == end || m_budget <= 0)
                    return;
                const Probe e = evaluate(tAt(end), end);
                if (e.defined) {
                    path.push_back(e);
                    return;
                }
                undef = e;
            }
        }
        int settled = 0;
        for (int depth = 0; depth < kEndMaxDepth && m_budget > 0; ++depth) {
            if (depth >= kEndMinDepth && settled >= kEndSettledSplits)
                break;
            const long double t = (def.t + undef.t) / 2;
            if (t == def.t || t == undef.t)
                break;
            const Probe m = evaluate(t, xAt(t));
            if (!m.defined) {
                undef = m;
                ++settled;
                continue;
            }
            settled = m.level == def.level ? settled + 1 : 0;
            def = m;
            path.push_back(m);
        }
    }

    // a defined, b not: the curve runs on to the end of its domain.
    void toEnd(const Probe& a, const Probe& b) {
        std::vector<Probe> path;
        seekEnd(a, b, path);
        for (const Probe& p : path)
            add(p);
    }

    // a undefined, b defined: the curve starts where its domain starts.
    void fromStart(const Probe& a, const Probe& b) {
        std::vector<Probe> path;
        seekEnd(b, a, path);
        m_out.breakLine();
        for (auto p = path.rbegin(); p != path.rend(); ++p)
            add(*p);
    }

    const GraphState& m_state;
    const PlotArea& m_area;
    const Evaluator& m_f;
    const CurveEnds& m_ends;
    ClippedPolylines& m_out;
    long double m_yLow = 0;
    long double m_yHigh = 0;
    int m_budget = 0;
};

// Whether the pair of columns k, k+1 needs more than a line between its samples.
Need needOfPair(const std::vector<Probe>& columns, std::size_t k, const Tracer& tracer) {
    const Probe& a = columns[k];
    const Probe& b = columns[k + 1];
    if (a.defined != b.defined)
        return Need::Refine;
    if (!a.defined)
        return Need::Nothing;
    // The step of pair j, when both of its columns are defined.
    const auto step = [&columns](std::size_t j, int& d) {
        if (j + 1 >= columns.size() || !columns[j].defined || !columns[j + 1].defined)
            return false;
        d = columns[j + 1].level - columns[j].level;
        return true;
    };
    const int d = b.level - a.level;
    int before = 0;
    int after = 0;
    const bool hasBefore = k > 0 && step(k - 1, before);
    const bool hasAfter = step(k + 1, after);
    if (std::abs(d) >= 2) {
        if (!tracer.inside(a) || !tracer.inside(b))
            return Need::Refine;
        // A smooth curve changes its slope gradually: a step like a neighbouring one in
        // the same direction needs no refinement; a jump stands out from both.
        for (const auto& [has, n] : {std::pair{hasBefore, before}, std::pair{hasAfter, after}})
            if (has && n * d > 0 && std::abs(d) <= 2 * std::abs(n) + 1)
                return Need::Nothing;
        return Need::Refine;
    }
    // Steep on both sides in opposite directions: a narrow peak may lie between the two.
    if (hasBefore && hasAfter && ((before >= 2 && after <= -2) || (before <= -2 && after >= 2)))
        return Need::Split;
    return Need::Nothing;
}

} // namespace

ColumnSamples sampleColumns(const GraphState& state, const Evaluator& f) {
    const PlotArea& a = state.area();
    ColumnSamples samples;
    if (!a.drawable())
        return samples;
    samples.resize(static_cast<std::size_t>(a.width) + 1);
    for (int i = 0; i <= a.width; ++i) {
        ColumnSample& s = samples[static_cast<std::size_t>(i)];
        s.defined = f(state.ColumnToX(i), s.y);
    }
    return samples;
}

std::vector<Polyline> traceCurve(const GraphState& state, const ColumnSamples& samples,
                                 const Evaluator& f, const CurveEnds& ends) {
    const PlotArea& area = state.area();
    if (!area.drawable() || samples.size() != static_cast<std::size_t>(area.width) + 1)
        return {};
    ClippedPolylines out(area);
    Tracer tracer(state, f, ends, out);
    std::vector<Probe> columns;
    columns.reserve(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        columns.push_back(tracer.column(static_cast<int>(i), samples[i]));
    int allowance = kRefineAllowanceCap;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            allowance = std::min(allowance + kRefineAllowancePerColumn, kRefineAllowanceCap);
            const Need need = needOfPair(columns, i - 1, tracer);
            if (need != Need::Nothing)
                allowance -= tracer.between(columns[i - 1], columns[i], need,
                                            std::min(allowance, kRefineBudgetPerPair));
        }
        if (columns[i].defined)
            tracer.add(columns[i]);
        else
            out.breakLine();
    }
    return out.finish();
}

} // namespace lindor::graph
