#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <map>

#include "GraphTestSupport.h"
#include "graph/CurveTrace.h"

namespace lindor::graph {
namespace {

using namespace testing;

// A function given by its value, not a number where it is undefined.
using Plain = std::function<long double(long double)>;

Evaluator evaluatorOf(Plain g) {
    return [g](long double x, long double& y) {
        const long double v = g(x);
        if (!std::isfinite(v))
            return false;
        y = v;
        return true;
    };
}

struct Traced {
    GraphState state;
    std::vector<Polyline> lines;
};

Traced trace(const Range& range, const Plain& g, int width = 442, int height = 327,
             const CurveEnds& ends = {}) {
    Traced t;
    t.state = laidOut(range, width, height);
    const Evaluator f = evaluatorOf(g);
    t.lines = traceCurve(t.state, sampleColumns(t.state, f), f, ends);
    return t;
}

// Within one pixel in each direction.
void expectNear(Point actual, Point expected) {
    EXPECT_LE(std::abs(actual.x - expected.x), 1) << actual.x << " vs " << expected.x;
    EXPECT_LE(std::abs(actual.y - expected.y), 1) << actual.y << " vs " << expected.y;
}

const long double kUndefined = std::numeric_limits<long double>::quiet_NaN();

long double halfCircle(long double x) {
    return std::sqrt(4 - x * x); // not a number beyond +-2
}

TEST(CurveTrace, HalfCircleMeetsTheAxisAtBothEnds) {
    const Traced t = trace(symmetric(3), halfCircle);
    const GraphState& s = t.state;
    ASSERT_EQ(t.lines.size(), 1u);
    expectNear(t.lines[0].front(), {s.XToColumn(-2), s.area().xAxisRow});
    expectNear(t.lines[0].back(), {s.XToColumn(2), s.area().xAxisRow});
}

TEST(CurveTrace, StepsWithoutRisers) {
    const Traced t = trace({-2.5L, 2.5L, 1, -4, 4, 1}, [](long double x) { return std::floor(x); });
    const GraphState& s = t.state;
    ASSERT_EQ(t.lines.size(), 6u); // the steps -3 to 2
    for (std::size_t k = 0; k < t.lines.size(); ++k) {
        const int value = static_cast<int>(k) - 3;
        for (const Point& p : t.lines[k])
            EXPECT_EQ(p.y, s.YToRow(value)) << "step " << value;
        expectNear(t.lines[k].front(),
                   {k == 0 ? s.area().left : s.XToColumn(value), s.YToRow(value)});
        expectNear(
            t.lines[k].back(),
            {k + 1 == t.lines.size() ? s.area().right : s.XToColumn(value + 1), s.YToRow(value)});
    }
}

TEST(CurveTrace, NothingJoinsTheSidesOfAGap) {
    // Undefined between -1 and 1: the left branch falls to the bottom edge (y = -5 at
    // x = -13/12), the right one starts on the x axis at 1, and the first column is part
    // of the curve.
    const Traced t =
        trace({-5, 5, 1, -5, 5, 1}, [](long double x) { return (x - 1) / std::sqrt(x * x - 1); });
    const GraphState& s = t.state;
    const PlotArea& a = s.area();
    ASSERT_EQ(t.lines.size(), 2u);
    for (const Polyline& line : t.lines)
        for (const Point& p : line)
            EXPECT_TRUE(p.x <= s.XToColumn(-1) + 1 || p.x >= s.XToColumn(1) - 1) << p.x;
    EXPECT_EQ(t.lines[0].front().x, a.left);
    EXPECT_EQ(t.lines[0].back().y, a.bottom);
    expectNear(t.lines[0].back(), {s.XToColumn(-13.0L / 12), a.bottom});
    expectNear(t.lines[1].front(), {s.XToColumn(1), a.xAxisRow});
    EXPECT_EQ(t.lines[1].back().x, a.right);
}

TEST(CurveTrace, SteepPolesReachTheEdges) {
    // 0 lies between two columns at the first width and on a column at the second; the
    // branches leave the view at y = -10 and 10, that is at x = -0.1 and 0.1.
    for (int width : {442, 443}) {
        const Traced t = trace(
            symmetric(10), [](long double x) { return 1 / x; }, width);
        const PlotArea& a = t.state.area();
        ASSERT_EQ(t.lines.size(), 2u) << width;
        expectNear(t.lines[0].back(), {t.state.XToColumn(-0.1L), a.bottom});
        EXPECT_EQ(t.lines[0].back().y, a.bottom);
        expectNear(t.lines[1].front(), {t.state.XToColumn(0.1L), a.top});
        EXPECT_EQ(t.lines[1].front().y, a.top);
    }
    // Each branch of the tangent runs from the bottom edge to the top edge.
    const Traced tan = trace(symmetric(10), [](long double x) { return std::tan(x); });
    const PlotArea& a = tan.state.area();
    ASSERT_EQ(tan.lines.size(), 7u);
    for (std::size_t k = 0; k < tan.lines.size(); ++k) {
        EXPECT_EQ(tan.lines[k].front().y, k == 0 ? tan.state.YToRow(std::tan(-10.0L)) : a.bottom);
        EXPECT_EQ(tan.lines[k].back().y, k == 6 ? tan.state.YToRow(std::tan(10.0L)) : a.top);
    }
}

TEST(CurveTrace, ClippedToTheEdgesNeverDrawnAlongThem) {
    const Traced t = trace(symmetric(5), [](long double x) { return 8 * std::sin(x); });
    const PlotArea& a = t.state.area();
    ASSERT_GE(t.lines.size(), 3u);
    for (const Polyline& line : t.lines) {
        for (std::size_t k = 0; k < line.size(); ++k) {
            EXPECT_GE(line[k].y, a.top);
            EXPECT_LE(line[k].y, a.bottom);
            if (k > 0 && (line[k].y == a.top || line[k].y == a.bottom)) {
                EXPECT_LE(std::abs(line[k].x - line[k - 1].x), 1); // at most a pixel on an edge
            }
        }
        // Every part that is cut by an edge ends on it.
        EXPECT_TRUE(line.front().x == a.left || line.front().y == a.top ||
                    line.front().y == a.bottom);
        EXPECT_TRUE(line.back().x == a.right || line.back().y == a.top ||
                    line.back().y == a.bottom);
    }
    // Values that jump far out on either side: nothing on the edges, no riser from 0.
    const Traced out = trace(symmetric(5), [](long double x) { return x < 0 ? x : 1e4000L; });
    ASSERT_EQ(out.lines.size(), 1u);
    expectNear(out.lines[0].back(), {out.state.area().yAxisColumn, out.state.area().xAxisRow});
}

TEST(CurveTrace, AFunctionsOwnRangeEndsExactlyAtItsBounds) {
    auto square = [](long double x) { return x < -1.3L || x > 2.2L ? kUndefined : x * x; };
    const Range r = symmetric(5);
    const Traced exact = trace(r, square, 442, 327, CurveEnds{true, -1.3L, 2.2L});
    const GraphState& s = exact.state;
    ASSERT_EQ(exact.lines.size(), 1u);
    const auto column = [&s](long double x) {
        return s.area().left + static_cast<int>((x + 5) / 10 * s.area().width + 0.5L);
    };
    EXPECT_EQ(exact.lines[0].front(), (Point{column(-1.3L), s.YToRow(1.3L * 1.3L)}));
    EXPECT_EQ(exact.lines[0].back(), (Point{column(2.2L), s.YToRow(2.2L * 2.2L)}));
    // Without the bounds the search for the domain's ends comes within a pixel.
    const Traced sought = trace(r, square);
    ASSERT_EQ(sought.lines.size(), 1u);
    expectNear(sought.lines[0].front(), exact.lines[0].front());
    expectNear(sought.lines[0].back(), exact.lines[0].back());
}

// The curve sampled until neighbouring points lie within half a pixel (or a jump is
// narrower than 2^-50 of a column), in window coordinates, by column.
class FineCurve {
public:
    FineCurve(const GraphState& s, const Plain& g) : m_state(s), m_g(g) {
        const int steps = 8 * s.area().width;
        for (int k = 0; k < steps; ++k)
            refine(k / 8.0L, (k + 1) / 8.0L, 0);
    }

    // Distance from a pixel to the nearest point of the curve.
    double distance(Point p) const {
        double best = 1e9;
        for (int c = p.x - 3; c <= p.x + 3; ++c) {
            const auto found = m_points.find(c);
            if (found == m_points.end())
                continue;
            for (const auto& [u, v] : found->second)
                best = std::min(best, std::hypot(u - p.x, v - p.y));
        }
        return best;
    }

private:
    // Window row of y, unrounded, held a little beyond the plot area.
    bool at(long double t, double& u, double& v) const {
        const PlotArea& a = m_state.area();
        const Range& r = m_state.range();
        const long double y = m_g(r.xMin + t / a.width * (r.xMax - r.xMin));
        if (!std::isfinite(y))
            return false;
        const long double row = (r.yMax - y) / (r.yMax - r.yMin) * a.height + a.top;
        u = static_cast<double>(a.left + t);
        v = static_cast<double>(std::clamp<long double>(row, a.top - 3, a.bottom + 3));
        return true;
    }

    void refine(long double t0, long double t1, int depth) {
        double u0 = 0, v0 = 0, u1 = 0, v1 = 0;
        const bool d0 = at(t0, u0, v0);
        const bool d1 = at(t1, u1, v1);
        if (d0)
            m_points[static_cast<int>(std::lround(u0))].push_back({u0, v0});
        if (d1)
            m_points[static_cast<int>(std::lround(u1))].push_back({u1, v1});
        const long double mid = (t0 + t1) / 2;
        if (depth >= 50 || mid == t0 || mid == t1 || (!d0 && !d1) ||
            (d0 && d1 && std::fabs(v0 - v1) <= 0.5))
            return;
        refine(t0, mid, depth + 1);
        refine(mid, t1, depth + 1);
    }

    const GraphState& m_state;
    Plain m_g;
    std::map<int, std::vector<std::pair<double, double>>> m_points;
};

// The pixels a polyline sets: each line without its end, then the last point.
std::vector<Point> pixelsOf(const Polyline& line) {
    std::vector<Point> pixels;
    for (std::size_t k = 1; k < line.size(); ++k) {
        Point p = line[k - 1];
        const Point to = line[k];
        const int dx = std::abs(to.x - p.x);
        const int dy = -std::abs(to.y - p.y);
        int err = dx + dy;
        while (p != to) {
            pixels.push_back(p);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                p.x += p.x < to.x ? 1 : -1;
            }
            if (e2 <= dx) {
                err += dx;
                p.y += p.y < to.y ? 1 : -1;
            }
        }
    }
    pixels.push_back(line.back());
    return pixels;
}

TEST(CurveTrace, EveryDrawnPixelLiesOnTheCurve) {
    const std::vector<std::pair<const char*, Plain>> functions = {
        {"sqrt(4-x^2)", halfCircle},
        {"tan x", [](long double x) { return std::tan(x); }},
        {"int x", [](long double x) { return std::floor(x); }},
        {"ln x", [](long double x) { return x > 0 ? std::log(x) : kUndefined; }},
        {"1/x", [](long double x) { return 1 / x; }},
        {"x^(1/3)", [](long double x) { return std::cbrt(x); }},
        {"(x-1)/sqrt(x^2-1)", [](long double x) { return (x - 1) / std::sqrt(x * x - 1); }},
        {"abs(x)/x", [](long double x) { return std::fabs(x) / x; }},
        {"x^2-x", [](long double x) { return x * x - x; }},
    };
    const std::vector<Range> views = {symmetric(5), {-3.3L, 6.1L, 1, -2.2L, 3.7L, 1}};
    for (const auto& [name, g] : functions)
        for (const Range& view : views) {
            const Traced t = trace(view, g, 303, 211);
            const FineCurve curve(t.state, g);
            ASSERT_FALSE(t.lines.empty()) << name;
            for (const Polyline& line : t.lines)
                for (const Point& p : pixelsOf(line))
                    ASSERT_LE(curve.distance(p), 2.0)
                        << name << " at " << p.x << "," << p.y << " in " << view.xMin;
        }
}

TEST(CurveTrace, WildFunctionsCostABoundedNumberOfEvaluations) {
    // sin(1/x) near 0 and a value that changes at random with every x.
    const Plain wild[] = {
        [](long double x) { return std::sin(1 / x); },
        [](long double x) {
            double d = static_cast<double>(x);
            std::uint64_t bits = 0;
            std::memcpy(&bits, &d, sizeof bits);
            bits *= 0x9E3779B97F4A7C15ull;
            return static_cast<long double>(bits >> 40) / (1 << 24) * 2 - 1;
        },
    };
    for (const Plain& g : wild) {
        GraphState s = laidOut(symmetric(1));
        const int w = s.area().width;
        std::map<long long, int> perPair;
        long total = 0;
        const Evaluator f = [&](long double x, long double& y) {
            ++total;
            ++perPair[static_cast<long long>(std::floor((x + 1) / 2 * w))];
            return evaluatorOf(g)(x, y);
        };
        const ColumnSamples samples = sampleColumns(s, f);
        total = 0;
        perPair.clear();
        const std::vector<Polyline> lines = traceCurve(s, samples, f);
        EXPECT_FALSE(lines.empty());
        EXPECT_LE(total, kRefineAllowanceCap + kRefineAllowancePerColumn * w);
        for (const auto& [pair, count] : perPair)
            EXPECT_LE(count, kRefineBudgetPerPair) << pair;
    }
}

} // namespace
} // namespace lindor::graph
