// Derivative, tangent and normal texts built from a function, and the points where no
// line can be built.
#include "graph/analysis/Construction.h"

#include <limits>

#include "AnalysisTestSupport.h"

namespace lindor::graph::analysis::test {
namespace {

// A curve with a fixed value and slope everywhere (either may be undefined).
Curve fixedCurve(bool defined, long double value, bool sloped, long double slope) {
    Curve c;
    c.value = [=](long double, long double& y) {
        y = value;
        return defined;
    };
    c.derivative = [=](long double, long double& d) {
        d = slope;
        return sloped;
    };
    return c;
}

class ConstructionTest : public AnalysisTest {};

TEST_F(ConstructionTest, TangentAndNormalOfAParabolaPlotAsLines) {
    const Curve parabola = curve("x^2");
    const NumberLocale point;

    const ConstructedFunction tangent = tangentText(parabola, 1, point);
    ASSERT_TRUE(tangent.ok);
    EXPECT_EQ(tangent.text, "2x-1");
    const ConstructedFunction normal = normalText(parabola, 1, point);
    ASSERT_TRUE(normal.ok);
    EXPECT_EQ(normal.text, "-0.5x+1.5");
    EXPECT_EQ(tangentText(parabola, 0, point).text, "0x+0");

    // The composed texts compile and give the line back.
    for (const std::string& text : {tangent.text, normal.text}) {
        long double y = 0;
        ASSERT_TRUE(curve(text).valueAt(3, y)) << text;
        EXPECT_NEAR(static_cast<double>(y), text == tangent.text ? 5.0 : 0.0, 1e-12);
    }
    EXPECT_EQ(derivativeText("x^2"), "d/dx(x^2)");
    long double slope = 0;
    ASSERT_TRUE(curve(derivativeText("x^2")).valueAt(3, slope));
    EXPECT_NEAR(static_cast<double>(slope), 6.0, 1e-6);
}

TEST_F(ConstructionTest, NumbersUseTheRegionalSeparatorAndFifteenDigits) {
    const NumberLocale comma{',', '.'};
    EXPECT_EQ(tangentText(fixedCurve(true, 1, true, 0.5), 0, comma).text, "0,5x+1");
    EXPECT_EQ(tangentText(fixedCurve(true, 0.25, true, 1.0L / 3), 0, NumberLocale{}).text,
              "0.333333333333333x+0.25");
    EXPECT_EQ(tangentText(fixedCurve(true, 0, true, 1.5e-5L), 0, NumberLocale{}).text, "1.5E-5x+0");
}

TEST_F(ConstructionTest, NoLineWhereValueOrSlopeIsUndefinedOrNotFinite) {
    const NumberLocale point;
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double huge = std::numeric_limits<long double>::max();

    EXPECT_EQ(tangentText(curve("sqrt x"), -1, point).messageKey, "TangentDoesNotExist");
    EXPECT_EQ(normalText(curve("1/x"), 0, point).messageKey, "NormalDoesNotExist");
    EXPECT_EQ(tangentText(fixedCurve(true, 1, false, 0), 0, point).messageKey,
              "TangentDoesNotExist");
    EXPECT_EQ(tangentText(fixedCurve(true, inf, true, 1), 0, point).messageKey,
              "TangentDoesNotExist");
    // b = y0 - m * x0 overflows: refused, never "…xINF".
    const ConstructedFunction overflow = tangentText(fixedCurve(true, 0, true, huge), -10, point);
    EXPECT_FALSE(overflow.ok);
    EXPECT_EQ(overflow.text, "");
    // The normal needs a slope other than 0, and -1/m must be a number.
    EXPECT_EQ(normalText(curve("x^2"), 0, point).messageKey, "NormalDoesNotExist");
    EXPECT_EQ(normalText(fixedCurve(true, 1, true, std::numeric_limits<long double>::denorm_min()),
                         0, point)
                  .messageKey,
              "NormalDoesNotExist");
    EXPECT_TRUE(normalText(fixedCurve(true, 1, true, 2), 1, point).ok);
}

} // namespace
} // namespace lindor::graph::analysis::test
