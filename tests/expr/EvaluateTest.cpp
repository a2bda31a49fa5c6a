#include "ExprTestSupport.h"

#include <cmath>
#include <limits>

#include "expr/Arithmetic.h"
#include "expr/Evaluator.h"

namespace lindor::expr::test {
namespace {

class EvaluateTest : public EngineTest {};

TEST_F(EvaluateTest, UndefinedValues) {
    EXPECT_FALSE(defined("1/x", 0));
    EXPECT_NEAR((double)(value("1/x", 1e-30L) / 1e30L), 1.0, 1e-18);
    EXPECT_FALSE(defined("sqrt(x)", 0));
    EXPECT_EQ(value("sqrt(x)", 4), 2.0L);
    EXPECT_FALSE(defined("sqrt(x)", -1));
    EXPECT_EQ(value("cbrt(x)", -8), -2.0L);
    EXPECT_EQ(value("cbrt(x)", 0), 0.0L);
    EXPECT_FALSE(defined("ln(x)", 0));
    EXPECT_FALSE(defined("ln(x)", -1));
    EXPECT_FALSE(defined("log(x)", 0));
    EXPECT_FALSE(defined("log(x)", -1));
    EXPECT_NEAR((double)value("log(x)", 1000), 3.0, 1e-15);
    EXPECT_FALSE(defined("arcsin(x)", 1.0001L));
    EXPECT_FALSE(defined("arccos(x)", -1.0001L));
    // Overflow anywhere makes the value undefined, even when a later step would hide it.
    EXPECT_FALSE(defined("10^5000"));
    EXPECT_FALSE(defined("1/(10^5000)"));
    EXPECT_FALSE(defined("0*10^5000"));
    EXPECT_FALSE(defined("x*x*x", 1e2000L));
    EXPECT_FALSE(defined("1E4000*1E4000-x"));
    EXPECT_FALSE(defined("(-10)^5001"));
    // Underflow quietly gives 0.
    EXPECT_EQ(value("10^-5000"), 0.0L);
    // Inputs that are not numbers never come out as values.
    long double y = 0;
    EXPECT_FALSE(compiled("x").Evaluate(std::numeric_limits<long double>::infinity(), y));
    EXPECT_FALSE(compiled("x").Evaluate(std::numeric_limits<long double>::quiet_NaN(), y));
}

TEST_F(EvaluateTest, PowerRules) {
    EXPECT_EQ(value("x^0", 5), 1.0L);
    EXPECT_EQ(value("x^0", -5), -1.0L);
    EXPECT_FALSE(defined("0^0"));
    EXPECT_FALSE(defined("x^0", 0));
    EXPECT_FALSE(defined("x^x", 0));
    EXPECT_EQ(value("0^(-1)"), 0.0L);
    EXPECT_EQ(value("x^(-1)", 0), 0.0L);
}

TEST_F(EvaluateTest, PowerRulesForNegativeBases) {
    EXPECT_EQ(value("(-2)^3"), -8.0L);
    EXPECT_EQ(value("(-2)^(-2)"), 0.25L);
    EXPECT_FALSE(defined("(-2)^0.5"));
    EXPECT_NEAR((double)value("(-32)^(0.2)"), -2.0, 1e-15);
    EXPECT_NEAR((double)value("(-8)^(1/3)"), -2.0, 1e-15);
    EXPECT_NEAR((double)value("(-8)^(2/3)"), 4.0, 1e-15);
    EXPECT_FALSE(defined("(-8)^(1/2)"));
    EXPECT_FALSE(defined("(-8)^(1/101)"));
    EXPECT_NEAR((double)value("(-2)^(1/99)"), -std::pow(2.0, 1.0 / 99), 1e-15);
    // The same rules with the operands in registers.
    EXPECT_EQ(value("x^3", -2), -8.0L);
    EXPECT_NEAR((double)value("x^(1/3)", -8), -2.0, 1e-15);
    EXPECT_FALSE(defined("x^0.5", -2));
    EXPECT_EQ(value("(-1)^x", 1e20L), 1.0L);
    EXPECT_EQ(value("(-1)^x", 101), -1.0L);
    EXPECT_NEAR((double)(value("(-0.5)^x", 1001) / std::pow(0.5L, 1001)), -1.0, 1e-15);
    EXPECT_EQ(value("x^2", -3), 9.0L);
}

TEST_F(EvaluateTest, WholePowersMatchLogarithmsUpToRounding) {
    for (long double base : {0.3L, 1.7L, 2.0L, 10.0L, 123.456L}) {
        for (int n = -64; n <= 64; ++n) {
            if (n == 0)
                continue;
            long double whole = 0;
            ASSERT_TRUE(powerWhole(base, n, whole));
            const long double viaLog = std::exp(n * std::log(base));
            EXPECT_NEAR((double)(whole / viaLog), 1.0, 1e-16) << (double)base << "^" << n;
        }
    }
    long double r = 0;
    EXPECT_TRUE(power(2, 10, r));
    EXPECT_EQ(r, 1024.0L);
    EXPECT_TRUE(power(2, 0.5L, r));
    EXPECT_NEAR((double)r, std::sqrt(2.0), 1e-15);
    EXPECT_FALSE(power(10, 5000, r));
    EXPECT_FALSE(power(-10, 5001, r));
}

TEST_F(EvaluateTest, Functions) {
    EXPECT_EQ(value("int(x)", 2.7L), 2.0L);
    EXPECT_EQ(value("int(x)", -2.5L), -3.0L);
    EXPECT_EQ(value("int(x)", -2), -2.0L);
    EXPECT_EQ(value("abs(x)", -2.5L), 2.5L);
    EXPECT_EQ(value("sin x", 1), std::sin(1.0L));
    EXPECT_EQ(value("cos x", 1), std::cos(1.0L));
    EXPECT_NEAR((double)value("tan x", 1), (double)(std::sin(1.0L) / std::cos(1.0L)), 1e-18);
    EXPECT_EQ(value("arctan x", 1), std::atan(1.0L));
    // pi enters with 15 digits, so sin(pi) is tiny but not 0.
    const long double sinPi = value("sin(pi)");
    EXPECT_NE(sinPi, 0.0L);
    EXPECT_LT(std::fabs(sinPi), 1e-14L);
    // Arguments of 2^63 and more give 0; the tangent is then undefined.
    EXPECT_EQ(value("sin x", 1e19L), 0.0L);
    EXPECT_EQ(value("cos x", -1e19L), 0.0L);
    EXPECT_FALSE(defined("tan x", 1e19L));
    EXPECT_EQ(sineOf(9223372036854775808.0L), 0.0L);
    EXPECT_NE(sineOf(9223372036854775807.0L), 0.0L);
}

TEST_F(EvaluateTest, DegreesMode) {
    context.angleMode = AngleMode::Degrees;
    EXPECT_NEAR((double)value("sin(30)"), 0.5, 1e-18);
    EXPECT_NEAR((double)value("cos(60)"), 0.5, 1e-18);
    EXPECT_NEAR((double)value("arcsin(1)"), 90.0, 1e-15);
    EXPECT_NEAR((double)value("arccos(0)"), 90.0, 1e-15);
    EXPECT_NEAR((double)value("arctan(1)"), 45.0, 1e-15);
    EXPECT_GT(std::fabs(value("tan(90)")), 1e15L);
    // A huge angle gives 0, but one whose conversion to radians overflows is undefined.
    EXPECT_EQ(value("sin x", 1e21L), 0.0L);
    EXPECT_FALSE(defined("sin x", std::numeric_limits<long double>::max()));
    EXPECT_FALSE(defined("cos x", -std::numeric_limits<long double>::max()));
    // The mode is read at every evaluation.
    TFunction& f = compiled("sin x");
    long double y = 0;
    ASSERT_TRUE(f.Evaluate(90, y));
    EXPECT_NEAR((double)y, 1.0, 1e-18);
    context.angleMode = AngleMode::Radians;
    ASSERT_TRUE(f.Evaluate(90, y));
    EXPECT_EQ(y, std::sin(90.0L));
}

TEST_F(EvaluateTest, RangesIncludeTheirBounds) {
    TFunction& f = compiled("x [0; 1]");
    long double y = 0;
    EXPECT_TRUE(f.Evaluate(0, y));
    EXPECT_TRUE(f.Evaluate(1, y));
    EXPECT_FALSE(f.Evaluate(1.0001L, y));
    EXPECT_FALSE(f.Evaluate(-0.0001L, y));
}

TEST_F(EvaluateTest, DerivativeRule) {
    long double y = 0;
    ASSERT_TRUE(compiled("x^2").Derivative(3, y));
    EXPECT_NEAR((double)y, 6.0, 1e-8);
    ASSERT_TRUE(compiled("abs(x)").Derivative(0, y));
    EXPECT_EQ(y, 0.0L);
    EXPECT_FALSE(compiled("sqrt(x)").Derivative(0, y));
    ASSERT_TRUE(compiled("sin x").Derivative(1, y));
    EXPECT_NEAR((double)y, std::cos(1.0), 1e-8);
    // Points just inside a range still get a quotient once the step is small enough.
    ASSERT_TRUE(compiled("x^2 [0; 1]").Derivative(0.5L, y));
    EXPECT_NEAR((double)y, 1.0, 1e-8);
    // 1/x at 0: the quotients 1/h^2 never settle; the fiftieth one is kept.
    ASSERT_TRUE(compiled("1/x").Derivative(0, y));
    EXPECT_GT(y, 1e90L);
    EXPECT_FALSE(compiled("x [0; 1]").Derivative(5, y));
    ASSERT_TRUE(compiled("x^3").Derivative(2, y));
    EXPECT_NEAR((double)y, 12.0, 1e-7);
}

TEST_F(EvaluateTest, DerivativeFarFromZeroAndOfLargeValues) {
    // Rounding noise keeps successive estimates apart until the step is lost in the
    // rounding of x + h; quotients of rounded values must not count as agreement (they
    // gave 0 at 1e3 and 1e6, 2.99977e18 at 1e9, -1e10 for x^2 at -5.1512e9).
    struct Case {
        const char* text;
        long double x;
        long double slope;
    };
    const Case cases[] = {
        {"x^3", 1e3L, 3e6L},          {"x^3", -1e3L, 3e6L},
        {"x^3", 1e6L, 3e12L},         {"x^3", 1e9L, 3e18L},
        {"x^3", -1e9L, 3e18L},        {"x^3", 53.704L, 3 * 53.704L * 53.704L},
        {"x^4", 1e3L, 4e9L},          {"x^2", -5.1512e9L, -10.3024e9L},
        {"e^x", 40, std::exp(40.0L)},
    };
    for (const Case& c : cases) {
        long double slope = 0;
        ASSERT_TRUE(compiled(c.text).Derivative(c.x, slope)) << c.text << " at " << (double)c.x;
        EXPECT_NEAR((double)(slope / c.slope), 1.0, 1e-6) << c.text << " at " << (double)c.x;
    }
    EXPECT_NEAR((double)(value("d/dx(x^3)", 1000) / 3e6L), 1.0, 1e-6);
}

TEST_F(EvaluateTest, RandomDrawsAtEveryEvaluation) {
    TFunction& f = compiled("random");
    long double a = 0;
    long double b = 0;
    ASSERT_TRUE(f.Evaluate(0, a));
    ASSERT_TRUE(f.Evaluate(0, b));
    EXPECT_NE(a, b);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(f.Evaluate(0, a));
        EXPECT_GE(a, 0.0L);
        EXPECT_LT(a, 1.0L);
    }
}

} // namespace
} // namespace lindor::expr::test
