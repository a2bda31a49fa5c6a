#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "GraphTestSupport.h"
#include "graph/GraphState.h"

namespace lindor::graph {
namespace {

using testing::laidOut;
using testing::symmetric;

// The nearest-column search over every column, as the mapping defines it.
int nearestColumnByScan(const GraphState& s, long double x) {
    long double best = 1e20L;
    int column = 0;
    for (int i = 0; i <= s.area().width; ++i) {
        const long double d = std::fabs(s.ColumnToX(i) - x);
        if (d < best) {
            best = d;
            column = i;
        }
    }
    return s.area().left + column;
}

TEST(GraphLayout, SymmetricViewPutsTheAxesInTheMiddle) {
    const GraphState s = laidOut(symmetric(10), 434, 300);
    const PlotArea& a = s.area();
    EXPECT_EQ(a.width, 434 - 37);
    EXPECT_EQ(a.height, 300 - 37);
    EXPECT_EQ(a.yAxisColumn, roundHalfEven(a.width / 2.0L + 15));
    EXPECT_EQ(a.xAxisRow, roundHalfEven(a.height / 2.0L + 22));
}

TEST(GraphLayout, AxesOnTheEdgesAndAbsent) {
    EXPECT_EQ(laidOut({-5, 5, 1, 0, 10, 1}).area().xAxisRow, 327 - 15);
    EXPECT_EQ(laidOut({-5, 5, 1, -10, 0, 1}).area().xAxisRow, 22);
    EXPECT_EQ(laidOut({0, 5, 1, -1, 1, 1}).area().yAxisColumn, 15);
    EXPECT_EQ(laidOut({-5, 0, 1, -1, 1, 1}).area().yAxisColumn, 442 - 22);
    EXPECT_EQ(laidOut({-5, 5, 1, 2, 8, 1}).area().xAxisRow, 0);
    EXPECT_EQ(laidOut({1, 5, 1, -1, 1, 1}).area().yAxisColumn, 0);
}

TEST(GraphLayout, MirroredViewKeepsItsAxes) {
    // Xmin above Xmax: x = 0 is still in view, a quarter from the left.
    const GraphState s = laidOut({10, -30, 1, 4, -4, 1}, 415, 237);
    EXPECT_EQ(s.area().yAxisColumn, roundHalfEven(s.area().width / 4.0L + 15));
    EXPECT_EQ(s.area().xAxisRow, roundHalfEven(s.area().height / 2.0L + 22));
    EXPECT_GT(s.ColumnToX(0), s.ColumnToX(s.area().width));
}

TEST(GraphLayout, RoundingTakesTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(3.5L), 4);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    // Plot width 100, x = 0 at 12.5 % of it: 12.5 + 15 rounds to 28 (even), not 27.
    const GraphState s = laidOut({-1, 7, 1, -1, 1, 1}, 137, 100);
    ASSERT_EQ(s.area().width, 100);
    EXPECT_EQ(s.area().yAxisColumn, 28);
}

TEST(GraphMapping, ColumnsAndRowsSpanTheRange) {
    const GraphState s = laidOut({-3, 5, 1, -2, 6, 1}, 437, 337);
    EXPECT_EQ(s.ColumnToX(0), -3);
    EXPECT_EQ(s.ColumnToX(s.area().width), 5);
    EXPECT_EQ(s.RowToY(0), 6);
    EXPECT_EQ(s.RowToY(s.area().height), -2);
    EXPECT_EQ(s.PixelToX(3), -3);
    EXPECT_EQ(s.PixelToX(s.area().right + 5), 5);
    EXPECT_EQ(s.PixelToY(s.area().bottom + 1), -2);
    EXPECT_EQ(s.PixelToY(0), 6);
    EXPECT_EQ(s.PixelToX(s.area().left + 10), s.ColumnToX(10));
    EXPECT_EQ(s.PixelToY(s.area().top + 10), s.RowToY(10));
}

TEST(GraphMapping, XToColumnMatchesTheNearestColumnSearch) {
    for (const Range& r :
         {symmetric(10), Range{-1e-300L, 3e-300L, 1, -1, 1, 1}, Range{1e6L, 1e6L + 3, 1, -1, 1, 1},
          Range{7, -7, 1, -1, 1, 1}, Range{0, 1, 1, -1, 1, 1}}) {
        for (int width : {37 + 1, 137, 442, 1937}) {
            const GraphState s = laidOut(r, width, 200);
            const long double lo = std::fmin(r.xMin, r.xMax);
            const long double span = std::fabs(r.xMax - r.xMin);
            for (int k = -40; k <= 440; ++k) {
                const long double x = lo + span * k / 400.0L;
                ASSERT_EQ(s.XToColumn(x), nearestColumnByScan(s, x))
                    << "x=" << static_cast<double>(x) << " width=" << width;
            }
            // Exactly between two columns the left one wins.
            const long double between = (s.ColumnToX(3) + s.ColumnToX(4)) / 2;
            EXPECT_EQ(s.XToColumn(between), nearestColumnByScan(s, between));
        }
    }
}

TEST(GraphMapping, XToColumnBeyondTheRange) {
    const GraphState s = laidOut(symmetric(10));
    EXPECT_EQ(s.XToColumn(-1e6L), s.area().left);
    EXPECT_EQ(s.XToColumn(1e6L), s.area().right);
    EXPECT_EQ(s.XToColumn(1e30L), s.area().right);
    EXPECT_EQ(s.XToColumn(std::numeric_limits<long double>::quiet_NaN()), s.area().left);
}

TEST(GraphMapping, YToRowSaturatesFarOutside) {
    const GraphState s = laidOut(symmetric(10));
    EXPECT_EQ(s.YToRow(1e30L), -2147483646);
    EXPECT_EQ(s.YToRow(-1e30L), 2147483647);
    EXPECT_EQ(s.YToRow(1e4000L), -2147483646);
    EXPECT_EQ(s.YToRow(std::numeric_limits<long double>::quiet_NaN()), 2147483647);
    EXPECT_EQ(s.YToRow(10), s.area().top);
    EXPECT_EQ(s.YToRow(-10), s.area().bottom);
    // Rows are not limited to the plot area.
    EXPECT_EQ(s.YToRow(20), s.area().top - s.area().height / 2);
}

TEST(GraphMapping, IsOutsideCountsTheBoundsAsInside) {
    EXPECT_FALSE(GraphState::IsOutside(-1, 1, -2, 2, -1, 2));
    EXPECT_FALSE(GraphState::IsOutside(-1, 1, -2, 2, 1, -2));
    EXPECT_TRUE(GraphState::IsOutside(-1, 1, -2, 2, 1.0001L, 0));
    EXPECT_TRUE(GraphState::IsOutside(-1, 1, -2, 2, 0, -2.0001L));
    // An inverted box holds nothing.
    EXPECT_TRUE(GraphState::IsOutside(-1, 1, 2, -2, 0, 0));
}

TEST(GraphRange, UsableRanges) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_TRUE(isUsableRange(Range::standard()));
    // Reversed bounds are refused: the axes never draw mirrored.
    EXPECT_FALSE(isUsableRange({5, -5, 1, -5, 5, 1}));
    EXPECT_FALSE(isUsableRange({-5, 5, 1, 5, -5, 1}));
    EXPECT_TRUE(isUsableRange({-1e-300L, 1e-300L, 1e-301L, -1e300L, 1e300L, 1e299L}));
    EXPECT_FALSE(isUsableRange({1, 1, 1, -5, 5, 1}));
    EXPECT_FALSE(isUsableRange({-5, 5, 1, 3, 3, 1}));
    EXPECT_FALSE(isUsableRange({-5, 5, 0, -5, 5, 1}));
    EXPECT_FALSE(isUsableRange({-5, 5, 1, -5, 5, -1}));
    EXPECT_FALSE(isUsableRange({-inf, 5, 1, -5, 5, 1}));
    EXPECT_FALSE(isUsableRange({-5, 5, 1, -5, nan, 1}));
    EXPECT_FALSE(isUsableRange({-5, 5, 1, -5, 5, nan}));
    // Bounds that are finite but whose span is not.
    EXPECT_FALSE(isUsableRange({-1e4932L, 1e4932L, 1, -5, 5, 1}));
}

} // namespace
} // namespace lindor::graph
