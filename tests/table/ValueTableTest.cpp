#include "table/ValueTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "lang/Language.h"

namespace lindor::table {
namespace {

using Lines = std::vector<std::string>;

// An engine with a fresh function list, English texts and a chosen locale.
class ValueTableTest : public ::testing::Test {
protected:
    ValueTableResult build(const std::string& function, const std::string& xmin,
                           const std::string& xmax, const std::string& xstep) {
        m_context.language = &lang::builtinEnglish();
        expr::TFunctionDB functions(m_context);
        return buildValueTable({function, xmin, xmax, xstep}, functions, lang::builtinEnglish());
    }

    // The x column of the data lines.
    static Lines xColumn(const ValueTableResult& result) {
        Lines xs;
        for (std::size_t i = 3; i < result.lines.size(); ++i)
            xs.push_back(result.lines[i].substr(0, result.lines[i].find('\t')));
        return xs;
    }

    expr::EngineContext m_context;
};

TEST_F(ValueTableTest, SquareFromMinusOneToOne) {
    const ValueTableResult r = build("x^2", "-1", "1", "1");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.lines, (Lines{"y=x^2", "x\ty\ty'", "", "-1\t1\t-2", "0\t0\t0", "1\t1\t2"}));
    EXPECT_EQ(joinLines(r.lines, "\r\n"),
              "y=x^2\r\nx\ty\ty'\r\n\r\n-1\t1\t-2\r\n0\t0\t0\r\n1\t1\t2");
}

TEST_F(ValueTableTest, HeadLineKeepsTheTextAsTyped) {
    const ValueTableResult r = build("  X^2 ", "1", "1", "1");
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0], "y=  X^2 ");
    EXPECT_EQ(r.lines[3], "1\t1\t2");
}

TEST_F(ValueTableTest, XIsXminPlusAMultipleOfTheStep) {
    // Ten tenths reach 1 exactly as the user counts them; so do three.
    const ValueTableResult tenths = build("x", "0", "1", "0.1");
    ASSERT_TRUE(tenths.ok) << tenths.error;
    EXPECT_EQ(xColumn(tenths),
              (Lines{"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}));
    EXPECT_EQ(xColumn(build("x", "0", "0.3", "0.1")), (Lines{"0", "0.1", "0.2", "0.3"}));
    EXPECT_EQ(xColumn(build("x", "-1", "-0.6", "0.2")), (Lines{"-1", "-0.8", "-0.6"}));

    // Xmax within a millionth of a step of the last x is that last x, on either side.
    EXPECT_EQ(xColumn(build("x", "0", "0.30000001", "0.1")).back(), "0.30000001");
    EXPECT_EQ(xColumn(build("x", "0", "0.29999999", "0.1")).back(), "0.29999999");
    EXPECT_EQ(xColumn(build("x", "0", "0.2999", "0.1")).back(), "0.2");

    // The limits are constant expressions.
    const ValueTableResult quarters = build("sin x", "0", "pi", "pi/4");
    ASSERT_TRUE(quarters.ok) << quarters.error;
    ASSERT_EQ(quarters.lines.size(), 8u);
    EXPECT_EQ(quarters.lines[4], "0.785398163397448\t0.7071067812\t0.7071067812");
}

TEST_F(ValueTableTest, XWithTheDigitsItNeedsYWithTen) {
    const ValueTableResult r = build("x^2", "1230", "1232", "1");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.lines, (Lines{"y=x^2", "x\ty\ty'", "", "1230\t1512900\t2460", "1231\t1515361\t2462",
                              "1232\t1517824\t2464"}));
    const ValueTableResult small = build("1/x", "0.000125", "0.000125", "1");
    ASSERT_TRUE(small.ok) << small.error;
    EXPECT_EQ(small.lines[3].substr(0, small.lines[3].find('\t', 9)), "0.000125\t8000");
    EXPECT_EQ(build("x/3", "1", "1", "1").lines[3], "1\t0.3333333333\t0.3333333333");
    EXPECT_EQ(xColumn(build("x", "1E-7", "1E-7", "1")), (Lines{"1E-7"}));
}

TEST_F(ValueTableTest, UndefinedValuesLeaveEmptyCells) {
    // sqrt is undefined below and at 0, and so is its difference quotient there.
    const ValueTableResult root = build("sqrt(x)", "-1", "1", "1");
    ASSERT_TRUE(root.ok) << root.error;
    EXPECT_EQ(root.lines[3], "-1\t\t");
    EXPECT_EQ(root.lines[4], "0\t\t");
    EXPECT_EQ(root.lines[5], "1\t1\t0.5");

    // 1/x has no value at 0, but the values beside 0 still give a difference quotient.
    const ValueTableResult reciprocal = build("1/x", "0", "0", "1");
    ASSERT_TRUE(reciprocal.ok) << reciprocal.error;
    ASSERT_EQ(reciprocal.lines.size(), 4u);
    EXPECT_EQ(reciprocal.lines[3].rfind("0\t\t", 0), 0u) << reciprocal.lines[3];
    EXPECT_GT(reciprocal.lines[3].size(), 3u) << reciprocal.lines[3];
}

TEST_F(ValueTableTest, NumbersFollowTheLocale) {
    m_context.locale = NumberLocale{',', '.'};
    const ValueTableResult r = build("x/2", "0,5", "1", "0,5");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.lines[3], "0,5\t0,25\t0,5");
    EXPECT_EQ(r.lines[4], "1\t0,5\t0,5");
}

TEST_F(ValueTableTest, FirstBadNumberIsNamedBeforeTheFunctionIsCompiled) {
    const lang::Language& english = lang::builtinEnglish();
    const auto message = [&](const char* key, const std::string& text) {
        std::string m = english.text(key);
        return m.replace(m.find("%s"), 2, text);
    };
    EXPECT_EQ(build("y=x", "a", "b", "c").error, message("NotANumber", "a"));
    EXPECT_EQ(build("x", "0", "x/2", "c").error, message("NumberDependsOnX", "x/2"));
    EXPECT_EQ(build("x", "0", "1", "ln 0").error, message("NumberHasNoValue", "ln 0"));
    const ValueTableResult r = build("x", "0", "1", "");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.lines.empty());
}

TEST_F(ValueTableTest, CompileFailureGivesTheEngineMessage) {
    const ValueTableResult r = build("y=x", "0", "1", "1");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.lines.empty());
    const std::string incorrect = lang::builtinEnglish().text("IncorrectCharacter");
    EXPECT_EQ(r.error.rfind(incorrect, 0), 0u) << r.error;
    EXPECT_NE(r.error.find("\"y\""), std::string::npos) << r.error;
}

TEST_F(ValueTableTest, EmptyIntervalGivesOnlyTheHeadLines) {
    for (const char* step : {"1", "0", "-1"}) {
        const ValueTableResult r = build("x", "2", "1", step);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.lines, (Lines{"y=x", "x\ty\ty'", ""}));
    }
}

TEST_F(ValueTableTest, StepsThatWouldNeverFinishAreRefused) {
    const lang::Language& english = lang::builtinEnglish();
    for (const char* step : {"0", "-1", "-0.5"}) {
        const ValueTableResult r = build("x", "0", "1", step);
        EXPECT_FALSE(r.ok) << step;
        EXPECT_TRUE(r.lines.empty()) << step;
        EXPECT_EQ(r.error, english.text("XstepMustBeGreaterThanZero")) << step;
    }
    // Steps below the spacing of the numbers there would repeat an x.
    EXPECT_TRUE(build("x", "1E20", "1E20", "1").ok);
    const ValueTableResult stuck = build("x", "1E20", "1E20+16", "1");
    EXPECT_FALSE(stuck.ok);
    EXPECT_EQ(stuck.error, english.text("XstepTooSmall"));
}

TEST_F(ValueTableTest, TablesAboveTheLineLimitAreRefused) {
    const std::string limit = std::to_string(kMaxValueTableLines);
    const ValueTableResult tooMany = build("x", "1", std::to_string(kMaxValueTableLines + 1), "1");
    EXPECT_FALSE(tooMany.ok);
    EXPECT_NE(tooMany.error.find(limit), std::string::npos) << tooMany.error;
    EXPECT_EQ(tooMany.error.find("%d"), std::string::npos) << tooMany.error;

    EXPECT_FALSE(build("x", "0", "1", "1E-30").ok);
    EXPECT_FALSE(build("x", "-1E4000", "1E4000", "1").ok); // width overflows
}

} // namespace
} // namespace lindor::table
