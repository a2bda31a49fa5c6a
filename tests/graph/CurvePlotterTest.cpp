#include <gtest/gtest.h>

#include <cmath>

#include "GraphTestSupport.h"
#include "graph/CurvePlotter.h"

namespace lindor::graph {
namespace {

using namespace testing;

const Color kBlue = kFunctionColors[0];

struct Plot {
    GraphState state;
    ClipState clip;
    RecordingCanvas canvas;
};

Plot plot(const Range& range, const Evaluator& f, LineStyle style = LineStyle::Normal,
          int position = 0) {
    Plot p;
    p.state.setRange(range);
    p.state.view.lineStyle = style;
    p.state.view.showFunctionNames = false;
    p.state.setClientSize(442, 327);
    plotCurve(p.state, p.clip, p.canvas, f, position, "f");
    return p;
}

bool identity(long double x, long double& y) {
    y = x;
    return true;
}

TEST(GraphCurve, DiagonalWithoutItsFirstSegment) {
    const Plot p = plot(symmetric(10), identity);
    const PlotArea& a = p.state.area();
    const auto lines = linesInColor(p.canvas, kBlue);
    ASSERT_EQ(static_cast<int>(lines.size()), a.width - 1);
    // The first sample is only moved to, and the second is moved to again.
    EXPECT_EQ(lines.front().from.x, a.left + 1);
    EXPECT_EQ(lines.front().to.x, a.left + 2);
    EXPECT_EQ(lines.back().to, (Point{a.right, a.top}));
    for (std::size_t k = 1; k < lines.size(); ++k)
        EXPECT_EQ(lines[k].from, lines[k - 1].to); // one connected stroke
    for (const auto& l : lines) {
        EXPECT_EQ(l.to.y, p.state.YToRow(p.state.ColumnToX(l.to.x - a.left)));
        EXPECT_EQ(l.pen.width, 1);
    }
}

TEST(GraphCurve, NothingWhereTheFunctionIsUndefined) {
    const Plot p = plot(symmetric(10), [](long double x, long double& y) {
        if (x < 0)
            return false;
        y = std::sqrt(x);
        return true;
    });
    const auto lines = linesInColor(p.canvas, kBlue);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines)
        EXPECT_GT(l.from.x, p.state.area().yAxisColumn);
    const Plot none = plot(symmetric(10), [](long double, long double&) { return false; });
    EXPECT_TRUE(linesInColor(none.canvas, kBlue).empty());
}

TEST(GraphCurve, PolesDrawNoVerticalJoin) {
    const Plot p = plot(symmetric(10), [](long double x, long double& y) {
        y = std::tan(x);
        return true;
    });
    const PlotArea& a = p.state.area();
    bool reachesTop = false;
    bool reachesBottom = false;
    for (const auto& l : linesInColor(p.canvas, kBlue)) {
        for (const Point& q : {l.from, l.to}) {
            EXPECT_GE(q.y, a.top);
            EXPECT_LE(q.y, a.bottom);
        }
        reachesTop |= l.to.y == a.top;
        reachesBottom |= l.from.y == a.bottom;
        // No stroke runs along an edge or from one edge to the other.
        EXPECT_FALSE(l.from.y == a.top && l.to.y == a.top);
        EXPECT_FALSE(l.from.y == a.bottom && l.to.y == a.bottom);
        EXPECT_FALSE(l.from.y == a.top && l.to.y == a.bottom);
        EXPECT_FALSE(l.from.y == a.bottom && l.to.y == a.top);
    }
    EXPECT_TRUE(reachesTop);
    EXPECT_TRUE(reachesBottom);
}

TEST(GraphCurve, HugeValuesAreClampedToTheEdges) {
    const Plot p = plot(symmetric(10), [](long double x, long double& y) {
        y = x < 0 ? -1e4000L : 1e4000L;
        return true;
    });
    for (const auto& l : linesInColor(p.canvas, kBlue)) {
        EXPECT_GE(l.to.y, p.state.area().top);
        EXPECT_LE(l.to.y, p.state.area().bottom);
    }
}

TEST(GraphCurve, DottedLinesSetOnePixelPerColumnEvenOutside) {
    const Plot p = plot(symmetric(2), identity, LineStyle::Dotted);
    const auto pixels = primitivesOf<primitive::Pixel>(p.canvas);
    EXPECT_TRUE(linesInColor(p.canvas, kBlue).empty());
    ASSERT_EQ(static_cast<int>(pixels.size()), p.state.area().width + 1);
    const Plot steep = plot(
        symmetric(2),
        [](long double x, long double& y) {
            y = 3 * x;
            return true;
        },
        LineStyle::Dotted);
    bool outside = false;
    for (const auto& px : primitivesOf<primitive::Pixel>(steep.canvas)) {
        EXPECT_EQ(px.color, kBlue);
        outside |= px.at.y < steep.state.area().top || px.at.y > steep.state.area().bottom;
    }
    EXPECT_TRUE(outside);
}

TEST(GraphCurve, BoldLinesAreTwoPixelsWideThenOneAgain) {
    Plot p = plot(symmetric(10), identity, LineStyle::Bold, 3);
    const auto lines = linesInColor(p.canvas, kFunctionColors[3]);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines)
        EXPECT_EQ(l.pen.width, 2);
    // The pen is back at width 1: a line drawn now shows it.
    p.canvas.moveTo(0, 0);
    p.canvas.lineTo(5, 5);
    EXPECT_EQ(std::get<primitive::Line>(p.canvas.primitives().back()).pen.width, 1);
}

TEST(GraphClip, RowsOutsideAreClampedAndStartNewStrokes) {
    GraphState s = laidOut(symmetric(10));
    const PlotArea& a = s.area();
    ClipState c;
    c.penState = 1;
    EXPECT_EQ(clipRow(c, a, a.top + 5), a.top + 5);
    EXPECT_EQ(c.penState, 1);
    // Leaving at the top: clamped, still joined.
    EXPECT_EQ(clipRow(c, a, a.top - 50), a.top);
    EXPECT_TRUE(c.above);
    EXPECT_EQ(c.penState, 1);
    // Staying outside: only moved to.
    EXPECT_EQ(clipRow(c, a, a.top - 80), a.top);
    EXPECT_EQ(c.penState, 0);
    // Jumping to below: still not joined.
    c.penState = 1;
    EXPECT_EQ(clipRow(c, a, a.bottom + 9), a.bottom);
    EXPECT_EQ(c.penState, 0);
    EXPECT_TRUE(c.below);
    // Back inside: joined from the clamped point.
    EXPECT_EQ(clipRow(c, a, a.bottom - 3), a.bottom - 3);
    EXPECT_EQ(c.penState, 1);
}

TEST(GraphMarker, RedCircleAroundThePoint) {
    GraphState s = laidOut(symmetric(10));
    RecordingCanvas c;
    drawResultMarker(s, c, 2, 3);
    drawResultMarker(s, c, 11, 0); // outside: nothing
    const auto circles = primitivesOf<primitive::Ellipse>(c);
    ASSERT_EQ(circles.size(), 1u);
    const int col = s.XToColumn(2);
    const int row = s.YToRow(3);
    EXPECT_EQ(circles[0].left, col - 5);
    EXPECT_EQ(circles[0].top, row - 5);
    EXPECT_EQ(circles[0].right, col + 5);
    EXPECT_EQ(circles[0].bottom, row + 5);
    EXPECT_EQ(circles[0].pen.color, colors::kRed);
    EXPECT_TRUE(circles[0].brush.clear);
}

} // namespace
} // namespace lindor::graph
