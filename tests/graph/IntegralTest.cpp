#include <gtest/gtest.h>

#include <cmath>

#include "GraphTestSupport.h"
#include "expr/FuncEval.h"
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
    language.loadFromText("Integral=Integral\nErrorWhenCalculatingIntegral=No integral\n"
                          "IntegralUnbounded=Unbounded near %s\nIntegralNotAccurate=Inaccurate\n"
                          "NotANumber='%s' is no number\nNumberDependsOnX='%s' has x\n"
                          "SyntaxError=Not written correctly\nIncorrectCharacter=Incorrect\n"
                          "NumberHasNoValue='%s' has no value\n");
    return language;
}

class IntegralTextTest : public ::testing::Test {
protected:
    IntegralText parse(const std::string& text) { return parseIntegralText(text, engine); }

    lang::Language language = texts();
    expr::EngineContext engine = [this] {
        expr::EngineContext c;
        c.language = &language;
        return c;
    }();
};

TEST_F(IntegralTextTest, LimitsAfterTheSemicolons) {
    const IntegralText t = parse("x^2;0;1");
    ASSERT_EQ(t.status, IntegralText::Status::Valid);
    EXPECT_EQ(t.function, "x^2");
    EXPECT_EQ(t.lower, 0);
    EXPECT_EQ(t.upper, 1);
    EXPECT_FALSE(t.reversed);

    // The shading runs from the smaller limit; the value takes the order typed.
    const IntegralText swapped = parse("x^2;1;0");
    EXPECT_EQ(swapped.lower, 0);
    EXPECT_EQ(swapped.upper, 1);
    EXPECT_TRUE(swapped.reversed);

    const IntegralText spaced = parse(" sin x ; - 1 ; 2.5 ");
    ASSERT_EQ(spaced.status, IntegralText::Status::Valid);
    EXPECT_EQ(spaced.function, " sin x ");
    EXPECT_EQ(spaced.lower, -1);
    EXPECT_EQ(spaced.upper, 2.5L);

    engine.locale.decimalSeparator = ',';
    engine.locale.thousandsSeparator = '.';
    EXPECT_EQ(parse("x;0;1,5").upper, 1.5L);
}

TEST_F(IntegralTextTest, LimitsAreConstantExpressions) {
    // The engine writes pi with 15 digits.
    const long double pi = std::acos(-1.0L);
    EXPECT_NEAR(static_cast<double>(parse("sin x;0;pi").upper), static_cast<double>(pi), 1e-14);
    EXPECT_NEAR(static_cast<double>(parse("x^2;0;pi/2").upper), static_cast<double>(pi / 2), 1e-14);
    const IntegralText root = parse("1/x;-1;sqrt 2");
    EXPECT_EQ(root.lower, -1);
    EXPECT_EQ(root.upper, std::sqrt(2.0L));
    EXPECT_EQ(parse("x;1/3;e").lower, 1.0L / 3);
    EXPECT_EQ(parse("x;-2E-3;0").lower, -2E-3L);

    EXPECT_EQ(parse("x;x;1").error, "'x' has x");
    EXPECT_EQ(parse("x;0;sin").error, "'sin' is no number");
}

TEST_F(IntegralTextTest, MissingOrTrailingSemicolonsAreInvalid) {
    for (const char* text : {"x^2", "x^2;", "x^2;1", "x^2;1;", "x^2 ; 1 ; ", ";", ";;"})
        EXPECT_EQ(parse(text).status, IntegralText::Status::Invalid) << text;
}

TEST_F(IntegralTextTest, LimitsThatAreNotNumbers) {
    for (const char* text : {"x;a;1", "x;0;1;2", "x;;1", "x;0;1e99999", "x;0;ln 0"}) {
        const IntegralText t = parse(text);
        EXPECT_EQ(t.status, IntegralText::Status::BadNumber) << text;
        EXPECT_FALSE(t.error.empty()) << text;
    }
}

TEST(IntegralResult, OneLineForEveryOutcome) {
    const lang::Language language = texts();
    const NumberLocale comma{',', '.'};
    EXPECT_EQ(integralResultLine(square, 0, 1, language, NumberLocale{}), "Integral=0.3333333333");
    EXPECT_EQ(integralResultLine(square, 1, 0, language, comma), "Integral=-0,3333333333");
    EXPECT_EQ(integralResultLine(square, 2, 2, language, comma), "Integral=0");
    auto reciprocal = [](long double x, long double& y) {
        y = 1 / (x - 0.25L);
        return x != 0.25L;
    };
    EXPECT_EQ(integralResultLine(reciprocal, 0, 1, language, comma), "Unbounded near 0,25");
    auto rootOfNegative = [](long double x, long double& y) {
        y = std::sqrt(x);
        return x >= 0;
    };
    EXPECT_EQ(integralResultLine(rootOfNegative, -1, 1, language, comma), "No integral");
    auto noise = [n = 0u](long double, long double& y) mutable {
        n = n * 1103515245u + 12345u;
        y = (n >> 8) % 1000;
        return true;
    };
    EXPECT_EQ(integralResultLine(noise, 0, 1, language, comma), "Inaccurate");
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
