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

TEST_F(ValueTableTest, StepsAccumulateByRepeatedAddition) {
    // Ten additions of 0.1 overshoot 1 by a rounding error: no line for x = 1.
    const ValueTableResult tenths = build("x", "0", "1", "0.1");
    ASSERT_TRUE(tenths.ok) << tenths.error;
    EXPECT_EQ(xColumn(tenths),
              (Lines{"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}));

    const ValueTableResult around1000 = build("x", "995", "1005", "5");
    ASSERT_TRUE(around1000.ok) << around1000.error;
    EXPECT_EQ(xColumn(around1000), (Lines{"995", "1E3", "1.01E3"}));
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

    const ValueTableResult dot = build("x", "0.5", "1", "1");
    EXPECT_FALSE(dot.ok);
    EXPECT_EQ(dot.error, "'0.5' is not a valid floating point value");
}

TEST_F(ValueTableTest, FirstBadNumberIsNamedBeforeTheFunctionIsCompiled) {
    EXPECT_EQ(build("y=x", "a", "b", "c").error, "'a' is not a valid floating point value");
    EXPECT_EQ(build("x", "0", " ", "c").error, "' ' is not a valid floating point value");
    EXPECT_EQ(build("x", "0", "1", "1,5").error, "'1,5' is not a valid floating point value");
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
    // One line is possible, but the step cannot move x beyond it.
    const ValueTableResult stuck = build("x", "1E20", "1E20", "1");
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
