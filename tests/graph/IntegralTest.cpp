#include <gtest/gtest.h>

#include <cmath>

#include "GraphTestSupport.h"
#include "graph/Integral.h"
#include "lang/Language.h"

namespace lindor::graph {
namespace {

using namespace testing;

bool square(long double x, long double& y) {
    y = x * x;
    return true;
}

lang::Language texts() {
    lang::Language language;
    language.loadFromText("Integral=Integral\nErrorWhenCalculatingIntegral=No integral\n");
    return language;
}

TEST(IntegralText, LimitsAfterTheSemicolons) {
    const IntegralText t = parseIntegralText("x^2;0;1", NumberLocale{});
    ASSERT_EQ(t.status, IntegralText::Status::Valid);
    EXPECT_EQ(t.function, "x^2");
    EXPECT_EQ(t.lower, 0);
    EXPECT_EQ(t.upper, 1);

    const IntegralText swapped = parseIntegralText("x^2;1;0", NumberLocale{});
    EXPECT_EQ(swapped.lower, 0);
    EXPECT_EQ(swapped.upper, 1);

    const IntegralText blanks = parseIntegralText("x; 0 ; 2", NumberLocale{});
    ASSERT_EQ(blanks.status, IntegralText::Status::Valid);
    EXPECT_EQ(blanks.function, "x");
    EXPECT_EQ(blanks.lower, 0);
    EXPECT_EQ(blanks.upper, 2);

    const IntegralText spaced = parseIntegralText(" sin x ; - 1 ; 2.5 ", NumberLocale{});
    ASSERT_EQ(spaced.status, IntegralText::Status::Valid);
    EXPECT_EQ(spaced.function, " sin x ");
    EXPECT_EQ(spaced.lower, -1);
    EXPECT_EQ(spaced.upper, 2.5L);

    NumberLocale comma;
    comma.decimalSeparator = ',';
    comma.thousandsSeparator = '.';
    EXPECT_EQ(parseIntegralText("x;0;1,5", comma).upper, 1.5L);
}

TEST(IntegralText, MissingOrTrailingSemicolonsAreInvalid) {
    for (const char* text : {"x^2", "x^2;", "x^2;1", "x^2;1;", "x^2 ; 1 ; ", ";", ";;"})
        EXPECT_EQ(parseIntegralText(text, NumberLocale{}).status, IntegralText::Status::Invalid)
            << text;
}

TEST(IntegralText, LimitsThatAreNotNumbers) {
    for (const char* text : {"x;a;1", "x;0;1;2", "x;;1", "x;0;1e99999"}) {
        const IntegralText t = parseIntegralText(text, NumberLocale{});
        EXPECT_EQ(t.status, IntegralText::Status::BadNumber) << text;
        EXPECT_FALSE(t.error.empty()) << text;
    }
}

TEST(IntegralValue, TrapezoidRule) {
    long double v = 0;
    ASSERT_TRUE(trapezoidIntegral(square, 0, 1, v));
    // The trapezoid value of x^2 over 0..1 with 1000 steps is 1/3 + 1/6000000.
    EXPECT_NEAR(static_cast<double>(v), 1.0 / 3 + 1.0 / 6e6, 1e-12);
    ASSERT_TRUE(trapezoidIntegral(
        [](long double x, long double& y) {
            y = std::sin(x);
            return true;
        },
        0, 0, v));
    EXPECT_EQ(v, 0);
    EXPECT_EQ(integralResultLine(square, 0, 1, texts(), NumberLocale{}), "Integral=0.33333");
}

TEST(IntegralValue, UndefinedSamplesGiveTheErrorLine) {
    const auto language = texts();
    int calls = 0;
    auto holeAtHalf = [&](long double x, long double& y) {
        ++calls;
        if (std::fabs(x - 0.5L) < 1e-9L)
            return false;
        y = x;
        return true;
    };
    EXPECT_EQ(integralResultLine(holeAtHalf, 0, 1, language, NumberLocale{}), "No integral");
    EXPECT_LT(calls, 1001); // the sum stops at the first undefined sample
    auto undefinedAtUpper = [](long double x, long double& y) {
        y = x;
        return x < 1;
    };
    EXPECT_EQ(integralResultLine(undefinedAtUpper, 0, 1, language, NumberLocale{}), "No integral");
    auto overflowing = [](long double, long double& y) {
        y = 1e4930L;
        return true;
    };
    EXPECT_EQ(integralResultLine(overflowing, 0, 1e10L, language, NumberLocale{}), "No integral");
}

struct Shaded {
    GraphState state;
    RecordingCanvas canvas;
};

Shaded shade(const Range& range, const Evaluator& f, long double lower, long double upper) {
    Shaded s;
    s.state = laidOut(range);
    shadeIntegral(s.state, s.canvas, f, lower, upper);
    return s;
}

TEST(IntegralShading, VerticalLinesFromTheAxisToTheCurve) {
    const Shaded s = shade(symmetric(2), square, 0, 1);
    const PlotArea& a = s.state.area();
    const auto lines = primitivesOf<primitive::Line>(s.canvas);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines) {
        EXPECT_EQ(l.from.x, l.to.x);
        EXPECT_EQ(l.from.y, a.xAxisRow);
        const long double x = s.state.ColumnToX(l.from.x - a.left);
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 1);
        EXPECT_EQ(l.to.y, s.state.YToRow(x * x));
    }
    // One line in every column from 0 to 1 where the curve is off the axis.
    std::size_t expected = 0;
    for (int i = 0; i <= a.width; ++i) {
        const long double x = s.state.ColumnToX(i);
        if (x >= 0 && x <= 1 && s.state.YToRow(x * x) != a.xAxisRow)
            ++expected;
    }
    EXPECT_EQ(lines.size(), expected);
}

TEST(IntegralShading, BaseRowOutsideTheView) {
    // The whole view above the axis: shading rises from the bottom edge.
    const Shaded above = shade({-2, 2, 1, 0.5L, 4, 1}, square, -1, 1);
    EXPECT_EQ(integralBaseRow(above.state), above.state.area().bottom);
    // The whole view below the axis: shading hangs from the top edge.
    auto negative = [](long double x, long double& y) {
        y = -2 - x * x;
        return true;
    };
    const Shaded below = shade({-2, 2, 1, -5, -1, 1}, negative, -1, 1);
    EXPECT_EQ(integralBaseRow(below.state), below.state.area().top);
    for (const auto& l : primitivesOf<primitive::Line>(below.canvas))
        EXPECT_EQ(l.from.y, below.state.area().top);
    // Mirrored view above the axis (5 at the bottom, 1 at the top): the top edge is nearer 0.
    const GraphState mirrored = laidOut({-2, 2, 1, 5, 1, 1});
    EXPECT_EQ(integralBaseRow(mirrored), mirrored.area().top);
}

TEST(IntegralShading, ValuesBeyondTheViewReachTheEdge) {
    auto f = [](long double x, long double& y) {
        y = x < 0 ? -100 : (x < 1 ? -2 : 100);
        return true;
    };
    const Shaded s = shade(symmetric(2), f, -2, 2);
    const PlotArea& a = s.state.area();
    bool toBottom = false;
    bool toTop = false;
    for (const auto& l : primitivesOf<primitive::Line>(s.canvas)) {
        toBottom |= l.to.y == a.bottom;
        toTop |= l.to.y == a.top;
        EXPECT_GE(l.to.y, a.top);
        EXPECT_LE(l.to.y, a.bottom);
    }
    EXPECT_TRUE(toBottom);
    EXPECT_TRUE(toTop);
    // Exactly on Ymin: no line for that column.
    const Shaded onMin = shade(
        symmetric(2),
        [](long double, long double& y) {
            y = -2;
            return true;
        },
        -1, 1);
    EXPECT_TRUE(primitivesOf<primitive::Line>(onMin.canvas).empty());
}

} // namespace
} // namespace lindor::graph
