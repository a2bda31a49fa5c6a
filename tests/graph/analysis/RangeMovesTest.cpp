#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "graph/GraphState.h"
#include "graph/analysis/RangeMoves.h"

namespace lindor::graph::analysis {
namespace {

GraphState stateOf(const Range& r, int clientWidth = 1000, int clientHeight = 700) {
    GraphState s;
    s.setClientSize(clientWidth, clientHeight);
    s.setRange(r);
    return s;
}

// How far apart two plane x values are, in columns of `s`.
long double columnsApart(const GraphState& s, long double a, long double b) {
    return std::fabs(a - b) / (s.area().xSpan / s.area().width);
}

long double rowsApart(const GraphState& s, long double a, long double b) {
    return std::fabs(a - b) / (s.area().ySpan / s.area().height);
}

// Pans by (dx, dy) and checks that every column and row shows what the one dx columns to
// the left and dy rows above showed: exactly for columns once the Range is on its lattice.
void expectPanMovesByWholePixels(const Range& start, int dx, int dy) {
    SCOPED_TRACE(testing::Message()
                 << "from " << static_cast<double>(start.xMin) << " by " << dx << ", " << dy);
    GraphState before = stateOf(start);
    // The first move puts the bounds on the lattice; the later ones keep every column's x.
    for (int move = 0; move < 4; ++move) {
        const std::optional<Range> moved = panRange(before.range(), before.area(), dx, dy);
        ASSERT_TRUE(moved);
        EXPECT_EQ(moved->xStep, start.xStep);
        EXPECT_EQ(moved->yStep, start.yStep);
        const GraphState after = stateOf(*moved);
        const int w = after.area().width;
        for (int i = std::max(0, dx); i <= std::min(w, w + dx); ++i) {
            if (move == 0)
                ASSERT_LT(columnsApart(after, after.ColumnToX(i), before.ColumnToX(i - dx)), 1e-3L);
            else
                ASSERT_EQ(after.ColumnToX(i), before.ColumnToX(i - dx)) << "column " << i;
        }
        const int h = after.area().height;
        for (int j = std::max(0, dy); j <= std::min(h, h + dy); j += 7)
            ASSERT_LT(rowsApart(after, after.RowToY(j), before.RowToY(j - dy)), 1e-6L);
        before = after;
    }
    // There and back again is where it started.
    const Range there = before.range();
    const std::optional<Range> forth = panRange(there, before.area(), dx, dy);
    ASSERT_TRUE(forth);
    const std::optional<Range> back = panRange(*forth, before.area(), -dx, -dy);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, there);
}

TEST(PanRange, MovesThePictureWithThePointerByWholePixels) {
    expectPanMovesByWholePixels(Range::standard(), 10, 0);
    expectPanMovesByWholePixels(Range::standard(), -3, 2);
    expectPanMovesByWholePixels(Range{0.1L, 0.3L, 0.05L, -2e-3L, 7e-3L, 1e-3L}, 1, -5);
    expectPanMovesByWholePixels(Range{-1e-300L, 1e-300L, 1e-301L, -3e-300L, 1e-300L, 1e-301L}, 4,
                                4);
    expectPanMovesByWholePixels(Range{1e300L, 3e300L, 1e299L, -2e300L, 5e300L, 1e300L}, -7, 1);
    // Far from the origin for its span: the lattice is coarser, the columns still exact.
    expectPanMovesByWholePixels(Range{1e6L, 1e6L + 1e-3L, 1e-4L, 0, 1, 0.1L}, 3, 0);
}

TEST(PanRange, RefusesWhatCannotBeDrawn) {
    const GraphState s = stateOf(Range::standard());
    EXPECT_FALSE(panRange(Range{1, 1, 1, 0, 1, 1}, s.area(), 1, 0));
    EXPECT_FALSE(panRange(Range::standard(), stateOf(Range::standard(), 20, 20).area(), 1, 0));
    // Moving bounds near the largest number beyond it.
    const long double big = std::numeric_limits<long double>::max() / 4;
    const GraphState huge = stateOf(Range{big, 3 * big, big, 0, 1, 1});
    EXPECT_FALSE(panRange(huge.range(), huge.area(), -2000, 0));
    EXPECT_TRUE(panRange(huge.range(), huge.area(), 0, 5));
}

TEST(ZoomRangeAbout, KeepsThePointUnderThePixelAndScalesBothSpans) {
    const Range start{-7, 7, 1, -5, 5, 1};
    const GraphState before = stateOf(start);
    for (const long double factor : {1.2L, 1 / 1.2L, 10.0L, 1e-3L}) {
        for (const auto& [px, py] : {std::pair{300.0L, 200.0L}, std::pair{15.0L, 22.0L},
                                     std::pair{977.5L, 684.0L}, std::pair{3.0L, 690.0L}}) {
            SCOPED_TRACE(testing::Message()
                         << static_cast<double>(factor) << " at " << static_cast<double>(px) << ", "
                         << static_cast<double>(py));
            const std::optional<Range> zoomed =
                zoomRangeAbout(start, before.area(), px, py, factor);
            ASSERT_TRUE(zoomed);
            EXPECT_EQ(zoomed->xStep, 1);
            EXPECT_NEAR(static_cast<double>((zoomed->xMax - zoomed->xMin) * factor), 14, 1e-9);
            EXPECT_NEAR(static_cast<double>((zoomed->yMax - zoomed->yMin) * factor), 10, 1e-9);
            const GraphState after = stateOf(*zoomed);
            // The plane point that was under the pixel, by the mapping's own formulas.
            const PlotArea& a = before.area();
            const long double x = columnX(start.xMin, 14, a.width, px - a.left);
            const long double y = start.yMax - (py - a.top) / a.height * 10;
            const PlotArea& b = after.area();
            EXPECT_LT(std::fabs((x - zoomed->xMin) / (zoomed->xMax - zoomed->xMin) * b.width +
                                b.left - px),
                      1e-3L);
            EXPECT_LT(std::fabs((zoomed->yMax - y) / (zoomed->yMax - zoomed->yMin) * b.height +
                                b.top - py),
                      1e-3L);
        }
    }
}

TEST(ZoomRangeAbout, RefusesFactorsAndSpansItCannotUse) {
    const GraphState s = stateOf(Range::standard());
    for (const long double factor : {0.0L, -2.0L, std::numeric_limits<long double>::infinity(),
                                     std::numeric_limits<long double>::quiet_NaN()})
        EXPECT_FALSE(zoomRangeAbout(s.range(), s.area(), 100, 100, factor));
    EXPECT_FALSE(zoomRangeAbout(Range{0, 1, 1, 3, 3, 1}, s.area(), 100, 100, 2));
}

// Zooms again and again until the zoom is refused: every Range given on the way can be
// drawn and written, and the refusal comes where the spans give out.
int zoomsUntilRefused(Range r, long double px, long double py, long double factor) {
    const GraphState s = stateOf(r);
    for (int zooms = 0; zooms < 10000; ++zooms) {
        const std::optional<Range> next = zoomRangeAbout(r, s.area(), px, py, factor);
        if (!next)
            return zooms;
        EXPECT_TRUE(isUsableRange(*next));
        EXPECT_TRUE(spanIsResolved(next->xMin, next->xMax));
        EXPECT_TRUE(spanIsResolved(next->yMin, next->yMax));
        r = *next;
    }
    return -1;
}

TEST(ZoomRangeAbout, StopsSafelyAtTheExtremes) {
    // In about a point away from the origin: the span reaches the rounding of the bounds.
    const int intoTiny = zoomsUntilRefused(
        Range{1e-300L, 3e-300L, 1e-301L, 1e-300L, 2e-300L, 1e-301L}, 400, 300, 10);
    EXPECT_GT(intoTiny, 10);
    EXPECT_LT(intoTiny, 20);
    // Out from 1e300 until the spans would overflow.
    const int outToHuge = zoomsUntilRefused(Range{-1e300L, 1e300L, 1e299L, -1e300L, 1e300L, 1e299L},
                                            500, 350, 1e-10L);
    EXPECT_GT(outToHuge, 400);
    EXPECT_LT(outToHuge, 500);
    // In about the origin the bounds shrink with the span, down to the smallest numbers.
    EXPECT_GT(zoomsUntilRefused(Range{0, 2e-300L, 1, 0, 2e-300L, 1}, 15, 22 + 663, 1e10L), 400);
}

TEST(SpanIsResolved, NeedsFiniteOrderedBoundsFartherApartThanTheirRounding) {
    EXPECT_TRUE(spanIsResolved(-7, 7));
    EXPECT_TRUE(spanIsResolved(1, 1 + 1e-12L));
    EXPECT_FALSE(spanIsResolved(1, 1 + 1e-15L));
    EXPECT_FALSE(spanIsResolved(2, 1));
    EXPECT_FALSE(spanIsResolved(0, std::numeric_limits<long double>::infinity()));
    const long double max = std::numeric_limits<long double>::max();
    EXPECT_FALSE(spanIsResolved(-max, max));
    EXPECT_TRUE(spanIsResolved(-1e-300L, 1e-300L));
}

} // namespace
} // namespace lindor::graph::analysis
