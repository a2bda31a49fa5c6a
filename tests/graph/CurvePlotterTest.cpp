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
    RecordingCanvas canvas;
};

Plot plot(const Range& range, const Evaluator& f, LineStyle style = LineStyle::Normal,
          int position = 0) {
    Plot p;
    p.state.setRange(range);
    p.state.view.lineStyle = style;
    p.state.view.showFunctionNames = false;
    p.state.setClientSize(442, 327);
    plotCurve(p.state, p.canvas, f, {}, position, "f");
    return p;
}

bool identity(long double x, long double& y) {
    y = x;
    return true;
}

TEST(GraphCurve, DiagonalFromCornerToCornerWithItsFirstSegment) {
    const Plot p = plot(symmetric(10), identity);
    const PlotArea& a = p.state.area();
    const auto lines = polylinesInColor(p.canvas, kBlue);
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<Point>& points = lines[0].points;
    // One point per column, the first one included: a smooth curve needs nothing more.
    ASSERT_EQ(static_cast<int>(points.size()), a.width + 1);
    EXPECT_EQ(points.front(), (Point{a.left, a.bottom}));
    EXPECT_EQ(points.back(), (Point{a.right, a.top}));
    for (int i = 0; i <= a.width; ++i)
        EXPECT_EQ(points[static_cast<std::size_t>(i)],
                  (Point{a.left + i, p.state.YToRow(p.state.ColumnToX(i))}));
    EXPECT_EQ(lines[0].pen.width, 1);
    EXPECT_TRUE(linesInColor(p.canvas, kBlue).empty());
}

TEST(GraphCurve, NothingWhereTheFunctionIsUndefined) {
    const Plot p = plot(symmetric(10), [](long double x, long double& y) {
        if (x < 0)
            return false;
        y = std::sqrt(x);
        return true;
    });
    const PlotArea& a = p.state.area();
    const auto lines = polylinesInColor(p.canvas, kBlue);
    ASSERT_EQ(lines.size(), 1u);
    for (const Point& q : lines[0].points)
        EXPECT_GE(q.x, a.yAxisColumn);
    // The curve starts where its domain starts: on the axes' crossing.
    EXPECT_EQ(lines[0].points.front(), (Point{a.yAxisColumn, a.xAxisRow}));
    const Plot none = plot(symmetric(10), [](long double, long double&) { return false; });
    EXPECT_TRUE(polylinesInColor(none.canvas, kBlue).empty());
}

TEST(GraphCurve, DottedLinesSetOnePixelPerColumnEvenOutside) {
    const Plot p = plot(symmetric(2), identity, LineStyle::Dotted);
    const auto pixels = primitivesOf<primitive::Pixel>(p.canvas);
    EXPECT_TRUE(polylinesInColor(p.canvas, kBlue).empty());
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
    const auto lines = polylinesInColor(p.canvas, kFunctionColors[3]);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen.width, 2);
    // The pen is back at width 1: a line drawn now shows it.
    p.canvas.moveTo(0, 0);
    p.canvas.lineTo(5, 5);
    EXPECT_EQ(std::get<primitive::Line>(p.canvas.primitives().back()).pen.width, 1);
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
