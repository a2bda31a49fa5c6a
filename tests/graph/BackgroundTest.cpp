#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "GraphTestSupport.h"
#include "graph/Background.h"

namespace lindor::graph {
namespace {

using namespace testing;

constexpr int kCharWidth = 7;
constexpr int kTextHeight = 13;

struct Drawn {
    GraphState state;
    RecordingCanvas canvas{kCharWidth, kTextHeight};
};

Drawn background(const Range& range, int w = 442, int h = 327,
                 const ViewSettings& view = ViewSettings{}) {
    Drawn d;
    d.state.setRange(range);
    d.state.view = view;
    d.state.setClientSize(w, h);
    d.canvas.clear(w, h, colors::kWhite);
    drawBackground(d.state, d.canvas, NumberLocale{});
    return d;
}

std::set<std::string> textsOf(const RecordingCanvas& c) {
    std::set<std::string> out;
    for (const auto& t : primitivesOf<primitive::Text>(c))
        out.insert(t.text);
    return out;
}

TEST(GraphGrid, SymmetricRangeHasTenLinesEachSideOfEachAxis) {
    const Drawn d = background(symmetric(10));
    const PlotArea& a = d.state.area();
    const auto grid = linesInColor(d.canvas, colors::kSilver);
    int horizontal = 0;
    int vertical = 0;
    for (const auto& l : grid) {
        if (l.from.y == l.to.y) {
            ++horizontal;
            EXPECT_EQ(l.from.x, a.left);
            EXPECT_EQ(l.to.x, a.right);
            EXPECT_NE(l.from.y, a.xAxisRow); // the axis takes the place of the line at 0
        } else {
            ++vertical;
            EXPECT_EQ(l.from.y, a.top);
            EXPECT_EQ(l.to.y, a.bottom);
            EXPECT_NE(l.from.x, a.yAxisColumn);
        }
        EXPECT_EQ(l.pen.width, 1);
    }
    EXPECT_EQ(horizontal, 20);
    EXPECT_EQ(vertical, 20);
}

TEST(GraphAxes, ArrowsTicksAndScaleText) {
    const Drawn d = background(symmetric(10));
    const PlotArea& a = d.state.area();
    const int r = a.xAxisRow;
    const int c = a.yAxisColumn;
    const auto black = linesInColor(d.canvas, colors::kBlack);
    auto hasLine = [&](Point from, Point to) {
        return std::any_of(black.begin(), black.end(),
                           [&](const auto& l) { return l.from == from && l.to == to; });
    };
    EXPECT_TRUE(hasLine({a.left - 10, r}, {a.right + 10, r}));
    EXPECT_TRUE(hasLine({c, a.top - 9}, {c, a.bottom + 10}));

    const auto arrows = primitivesOf<primitive::Polygon>(d.canvas);
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_EQ(
        arrows[0].points,
        (std::vector<Point>{{a.right + 17, r}, {a.right + 10, r + 3}, {a.right + 10, r - 3}}));
    EXPECT_EQ(arrows[1].points,
              (std::vector<Point>{{c, a.top - 17}, {c - 3, a.top - 10}, {c + 3, a.top - 10}}));
    for (const auto& p : arrows) {
        EXPECT_EQ(p.brush.color, colors::kBlack);
        EXPECT_EQ(p.pen.width, 1);
    }

    const auto texts = primitivesOf<primitive::Text>(d.canvas);
    for (int k = 1; k <= 10; ++k) {
        for (const std::string& label : {std::to_string(k), "-" + std::to_string(k)}) {
            // Each label once under the x axis and once left of the y axis.
            const auto n = std::count_if(texts.begin(), texts.end(),
                                         [&](const auto& t) { return t.text == label; });
            EXPECT_EQ(n, 2) << label;
        }
    }
    // x tick 3: centred under its tick; y tick 3: right-aligned 4 pixels left of the axis.
    const int col3 = d.state.XToColumn(3);
    const int row3 = d.state.YToRow(3);
    EXPECT_TRUE(hasLine({col3, r + 2}, {col3, r - 2}));
    EXPECT_TRUE(hasLine({c + 2, row3}, {c - 2, row3}));
    bool underX = false;
    bool leftOfY = false;
    for (const auto& t : texts) {
        if (t.text != "3")
            continue;
        underX |= t.at == Point{col3 - kCharWidth / 2, r + 3};
        leftOfY |= t.at == Point{c - kCharWidth - 4, row3 - kTextHeight / 2};
        EXPECT_EQ(t.brush.color, colors::kWhite);
        EXPECT_FALSE(t.brush.clear);
    }
    EXPECT_TRUE(underX);
    EXPECT_TRUE(leftOfY);
}

TEST(GraphAxes, CaptionsBesideTheArrows) {
    ViewSettings view;
    view.axisTextX = "time";
    view.axisTextY = "speed";
    const Drawn d = background(symmetric(10), 442, 327, view);
    const PlotArea& a = d.state.area();
    const auto texts = primitivesOf<primitive::Text>(d.canvas);
    const auto* x = findText(texts, "time");
    const auto* y = findText(texts, "speed");
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->at,
              (Point{a.right + 10 + kCharWidth - 4 * kCharWidth, a.xAxisRow - kTextHeight - 3}));
    EXPECT_EQ(y->at, (Point{a.yAxisColumn + 7, 0}));
}

TEST(GraphAxes, ScaleTextUsesThreeDigits) {
    EXPECT_TRUE(textsOf(background({-1, 1, 0.1L, -1, 1, 1}).canvas).count("0.3"));
    EXPECT_TRUE(textsOf(background({-1, 1, 0.1L, -1, 1, 1}).canvas).count("-0.7"));
    const auto big = textsOf(background({-1000, 1000, 250, -1, 1, 1}).canvas);
    for (const char* label : {"250", "500", "750", "1E3", "-1E3"})
        EXPECT_TRUE(big.count(label)) << label;
}

TEST(GraphAxes, XAxisOnTheBottomEdge) {
    const Drawn d = background({-5, 5, 1, 0, 10, 1});
    const PlotArea& a = d.state.area();
    EXPECT_EQ(a.xAxisRow, a.bottom);
    const auto arrows = primitivesOf<primitive::Polygon>(d.canvas);
    ASSERT_FALSE(arrows.empty());
    EXPECT_EQ(arrows[0].points[0], (Point{a.right + 17, a.bottom}));
    EXPECT_TRUE(textsOf(d.canvas).count("4"));
}

TEST(GraphAxes, NoTickWhenBothBoundsAreZero) {
    const Drawn d = background({0.2L, 0.5L, 1, -1, 1, 1});
    const PlotArea& a = d.state.area();
    for (const auto& l : primitivesOf<primitive::Line>(d.canvas)) {
        const bool vertical = l.from.x == l.to.x;
        EXPECT_FALSE(vertical && l.pen.color == colors::kSilver);
        // No tick crosses the x axis (ticks there run from r + 2 to r - 2).
        EXPECT_FALSE(vertical && l.from.y == a.xAxisRow + 2);
    }
}

TEST(GraphAxes, TicksOutsideTheRangeAreNotStackedOnTheEdge) {
    // Multiples 1 and 2 lie left of 2.5: neither tick nor label belongs at the edge.
    const Drawn d = background({2.5L, 10, 1, -1, 1, 1});
    const auto texts = textsOf(d.canvas);
    EXPECT_FALSE(texts.count("1"));
    EXPECT_FALSE(texts.count("2"));
    EXPECT_TRUE(texts.count("3"));
    EXPECT_TRUE(texts.count("10"));
}

TEST(GraphAxes, GridWithoutAxis) {
    ViewSettings view;
    view.showAxis = false;
    const Drawn d = background(symmetric(10), 442, 327, view);
    EXPECT_TRUE(primitivesOf<primitive::Text>(d.canvas).empty());
    EXPECT_TRUE(primitivesOf<primitive::Polygon>(d.canvas).empty());
    EXPECT_TRUE(linesInColor(d.canvas, colors::kBlack).empty());
    EXPECT_EQ(linesInColor(d.canvas, colors::kSilver).size(), 40u);
}

TEST(GraphAxes, StepsCloserThanTwoPixelsDrawNoGridOrTicks) {
    const Drawn d = background({-10, 10, 1e-3L, -10, 10, 1});
    const auto lines = primitivesOf<primitive::Line>(d.canvas);
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const auto& l) {
        return l.from.x == l.to.x && l.pen.color == colors::kSilver;
    }));
    // The y direction still has its 20 grid lines and ticks with labels.
    EXPECT_EQ(linesInColor(d.canvas, colors::kSilver).size(), 20u);
    EXPECT_TRUE(textsOf(d.canvas).count("-10"));
}

TEST(GraphAxes, ExtremeRangesStayBounded) {
    for (const Range& r : {Range{-1e300L, 1e300L, 1, -1e300L, 1e300L, 1},
                           Range{-1e-300L, 1e-300L, 1e-301L, -1e-300L, 1e-300L, 1e-301L},
                           Range{1e6L, 1e6L + 10, 1, 1e6L, 1e6L + 10, 1},
                           Range{1e25L, 1.0000000001e25L, 1, -1, 1, 1e-20L},
                           Range{-1e4000L, 1e4000L, 1e3999L, -5, 5, 1}}) {
        const Drawn d = background(r, 1920, 1080);
        // At most a few hundred grid lines and ticks per direction, whatever the numbers.
        EXPECT_LT(d.canvas.primitives().size(), 4000u);
    }
    const Drawn tiny = background({-1e-300L, 1e-300L, 1e-301L, -1, 1, 1});
    EXPECT_TRUE(textsOf(tiny.canvas).count("1E-301"));
}

TEST(GraphAxes, ReversedRangeDrawsNoAxesOrGrid) {
    // Such a Range never reaches the graph (it is refused); should it, nothing is drawn
    // rather than a mirrored picture.
    const Drawn d = background({10, -10, 1, 10, -10, 1});
    EXPECT_TRUE(primitivesOf<primitive::Text>(d.canvas).empty());
    EXPECT_TRUE(linesInColor(d.canvas, colors::kSilver).empty());
}

TEST(GraphNames, StackedAtTheTopRightInTheirColours) {
    GraphState s = laidOut(symmetric(10));
    RecordingCanvas c(kCharWidth, kTextHeight);
    for (int p = 0; p < kMaxFunctions; ++p)
        drawFunctionName(s, c, p, "x^" + std::to_string(p));
    const auto texts = primitivesOf<primitive::Text>(c);
    ASSERT_EQ(texts.size(), 12u);
    for (int p = 0; p < kMaxFunctions; ++p) {
        const auto& t = texts[static_cast<std::size_t>(p)];
        EXPECT_EQ(t.text, "y = x^" + std::to_string(p));
        EXPECT_EQ(t.font.color, kFunctionColors[static_cast<std::size_t>(p)]);
        EXPECT_EQ(t.at.x + static_cast<int>(t.text.size()) * kCharWidth, s.area().right + 10);
    }
    EXPECT_EQ(texts[0].at.y, 12);
    EXPECT_EQ(texts[11].at.y, 12 + 11 * (kTextHeight + 3));
}

TEST(GraphAxes, ScaleTextIsWrittenWholeOrNotAtAll) {
    // The bottom and left ticks lie on the picture's edges: their labels would be cut.
    for (const Range& range : {Range{-3, 3, 1, -2, 2, 1}, Range{-7, 7, 1, -5, 5, 1}}) {
        const Drawn d = background(range, 300, 200);
        for (const auto& t : primitivesOf<primitive::Text>(d.canvas)) {
            EXPECT_GE(t.at.x, 0) << t.text;
            EXPECT_GE(t.at.y, 0) << t.text;
            EXPECT_LE(t.at.x + kCharWidth * static_cast<int>(t.text.size()), 300) << t.text;
            EXPECT_LE(t.at.y + kTextHeight, 200) << t.text;
        }
        EXPECT_EQ(textsOf(d.canvas).count("1"), 1u); // inner labels stay
    }
}

TEST(GraphNames, ALongNameEndsInAnEllipsisWithinThePlotArea) {
    GraphState s = laidOut(symmetric(10));
    RecordingCanvas c(kCharWidth, kTextHeight);
    std::string entry;
    while (static_cast<int>(entry.size()) * kCharWidth < 3 * s.area().width)
        entry += "+sin(x)";
    drawFunctionName(s, c, 0, entry);
    drawFunctionName(s, c, 1, "x^2");
    const auto texts = primitivesOf<primitive::Text>(c);
    ASSERT_EQ(texts.size(), 2u);
    const std::string& shown = texts[0].text;
    const std::string ellipsis = "\u2026";
    ASSERT_GT(shown.size(), ellipsis.size());
    EXPECT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis);
    EXPECT_EQ(shown.substr(0, shown.size() - ellipsis.size()),
              ("y = " + entry).substr(0, shown.size() - ellipsis.size()));
    // It ends where every name ends, and starts no further left than the plot area.
    const int width = kCharWidth * static_cast<int>(shown.size());
    EXPECT_EQ(texts[0].at.x + width, s.area().right + 10);
    EXPECT_GE(texts[0].at.x, s.area().left);
    EXPECT_LT(texts[0].at.x, s.area().left + 2 * kCharWidth); // as long as fits
    EXPECT_EQ(texts[1].text, "y = x^2");                      // a short name stays whole

    // Cut between characters, never inside one.
    EXPECT_EQ(fitText(c, "y = \u00e5\u00e5\u00e5\u00e5", kCharWidth * 10), "y = \u00e5\u2026");
}

TEST(GraphBackground, NothingButTheFontOnATinyClientArea) {
    const Drawn d = background(symmetric(10), 30, 30);
    EXPECT_EQ(d.canvas.primitives().size(), 1u); // the clear
}

} // namespace
} // namespace lindor::graph
