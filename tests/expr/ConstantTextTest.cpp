// Numbers typed as constant expressions.
#include <gtest/gtest.h>

#include <cmath>

#include "expr/ConstantText.h"
#include "expr/FuncEval.h"
#include "lang/Language.h"

namespace lindor::expr {
namespace {

ConstantValue read(const std::string& text, char decimal = '.', char thousands = ',') {
    NumberLocale locale;
    locale.decimalSeparator = decimal;
    locale.thousandsSeparator = thousands;
    return evaluateConstant(text, locale, lang::builtinEnglish());
}

TEST(ConstantText, ReadsPlainNumbersAndConstantExpressions) {
    const long double pi = 3.141592653589793238462643383279502884L;
    EXPECT_EQ(read("-2E-3").value, -2E-3L);
    EXPECT_EQ(read(" 0.1 ").value, 0.1L); // a plain number keeps all its digits
    EXPECT_NEAR(static_cast<double>(read("pi").value), static_cast<double>(pi), 1e-14);
    EXPECT_NEAR(static_cast<double>(read("pi/2").value), static_cast<double>(pi / 2), 1e-14);
    EXPECT_NEAR(static_cast<double>(read("e").value), std::exp(1.0), 1e-14);
    EXPECT_NEAR(static_cast<double>(read("sqrt 2").value), std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(read("1/3").value), 1.0 / 3, 1e-16);
    EXPECT_NEAR(static_cast<double>(read("2sin(pi/6)").value), 1.0, 1e-14);
    EXPECT_EQ(read("0,5", ',', '.').value, 0.5L);
}

TEST(ConstantText, RefusesWhatIsNotAConstantWithASentence) {
    EXPECT_EQ(read("abc").error, "'abc' is not a number.");
    EXPECT_EQ(read("").error, "'' is not a number.");
    EXPECT_EQ(read("sin").error, "'sin' is not a number.");
    EXPECT_EQ(read("x").error, "'x' is not a number: it depends on x.");
    EXPECT_EQ(read("2x+1").error, "'2x+1' is not a number: it depends on x.");
    EXPECT_FALSE(read("random").ok);
    EXPECT_EQ(read("1/0").error, "'1/0' has no value.");
    EXPECT_FALSE(read("sqrt(-1)").ok);
    EXPECT_FALSE(read("1 [0; 2]").ok);
    EXPECT_FALSE(read("1E99999").ok);
}

TEST(ConstantText, FollowsTheAngleMode) {
    EngineContext context;
    context.angleMode = AngleMode::Degrees;
    const ConstantValue half = evaluateConstant("sin 30", context);
    ASSERT_TRUE(half.ok) << half.error;
    EXPECT_NEAR(static_cast<double>(half.value), 0.5, 1e-15);
}

} // namespace
} // namespace lindor::expr
