#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Cli.h"
#include "lang/Language.h"

namespace lindor::cli::test {
namespace {

using SolveOutput = testing::Outcome;

// Runs `lindor --solve ...` in process, with the language files of the source tree.
SolveOutput solve(const std::vector<std::string>& args) {
    return testing::runMode("--solve", args);
}

class SolveCommandTest : public ::testing::Test {
protected:
    SolveCommandTest() { m_english.LoadLanguage("English", LINDOR_DATA_DIR); }
    std::string text(const char* key) const { return m_english.text(key); }
    lang::Language m_english;
};

TEST_F(SolveCommandTest, PrintsTheThreeLogLines) {
    const SolveOutput r = solve({"root", "--box", "1,3,-1,1", "x^2-4"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "\ny = x^2-4\n" + text("Root") + ": x = 2\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(SolveCommandTest, OptionsReachTheAnalysis) {
    // --degrees, two functions, --value taken as typed, and "--" before a function that
    // starts with "-".
    EXPECT_EQ(solve({"min", "--box", "90,270,-2,2", "--degrees", "cos(x)"}).out,
              "\ny = cos(x)\n" + text("Minimum") + ": " + text("Ymin") + "=-1 " + text("for") +
                  " x = 180\n");
    EXPECT_EQ(solve({"intersection", "--box", "-0.3,2.7,0,2", "x", "2-x"}).out,
              "\ny1=x " + text("and") + " y2=2-x\n" + text("Intersection") + ": y = 1 " +
                  text("for") + " x = 1\n");
    EXPECT_EQ(solve({"ycalc", "--box", "2,4,8,10", "--value", "3.0", "x^2"}).out,
              "\ny = x^2\n" + text("YCalc") + ": y = 9 " + text("for") + " x = 3.0\n");
    EXPECT_EQ(solve({"root", "--box", "-3,0,-1,1", "--", "-x-2"}).out,
              "\ny = -x-2\n" + text("Root") + ": x = -2\n");
}

TEST_F(SolveCommandTest, NewtonFindsRootsAndValuesFarFromZero) {
    EXPECT_EQ(solve({"root", "--box", "500,1500,-1,1", "x^3-1E9"}).out,
              "\ny = x^3-1E9\n" + text("Root") + ": x = 1000\n");
    EXPECT_EQ(solve({"xcalc", "--box", "0.9E9,1.5E9,0,2E27", "--value", "1E27", "x^3"}).out,
              "\ny = x^3\n" + text("XCalc") + ": y = 1E27 " + text("for") + " x = 1000000000\n");
}

TEST_F(SolveCommandTest, IntegralPrintsItsLines) {
    const SolveOutput r = solve({"integral", "x^2;0;1"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "\ny = x^2;0;1\n" + text("Integral") + "=0.3333333333\n");
    EXPECT_EQ(solve({"integral", "sin x;pi;0"}).out,
              "\ny = sin x;pi;0\n" + text("Integral") + "=-2\n");
    const std::string unbounded = text("IntegralUnbounded");
    EXPECT_EQ(solve({"integral", "1/x;-1;sqrt 2"}).out,
              "\ny = 1/x;-1;sqrt 2\n" + unbounded.substr(0, unbounded.find("%s")) + "0.\n");
    const SolveOutput notConstant = solve({"integral", "x;0;x"});
    EXPECT_EQ(notConstant.code, kExitUsage);
    EXPECT_NE(notConstant.err.find("'x'"), std::string::npos) << notConstant.err;
}

TEST_F(SolveCommandTest, BadInputIsAUsageErrorWithAMessage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"roots", "--box", "0,1,0,1", "x"},
        {"root", "x"},
        {"root", "--box", "0,1,0", "x"},
        {"root", "--box", "0,1,a,1", "x"},
        {"root", "--box", "0,1,0,1"},
        {"intersection", "--box", "0,1,0,1", "x"},
        {"xcalc", "--box", "0,1,0,1", "x"},
        {"ycalc", "--box", "0,1,0,1", "--value", "abc", "x"},
        {"root", "--box", "0,1,0,1", "x+"},
        {"root", "--box"},
    };
    for (const auto& args : bad) {
        const SolveOutput r = solve(args);
        EXPECT_EQ(r.code, kExitUsage) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
}

} // namespace
} // namespace lindor::cli::test
