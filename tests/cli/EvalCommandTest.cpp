#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Cli.h"

namespace lindor::cli {
namespace {

using testing::Outcome;

Outcome eval(const std::vector<std::string>& args) {
    return testing::runMode("--eval", args);
}

TEST(EvalCommand, PrintsOneValueOrUndefinedPerX) {
    const Outcome power = eval({"x^2^3", "2"});
    EXPECT_EQ(power.code, kExitOk);
    EXPECT_EQ(power.out, "64\n");
    EXPECT_EQ(power.err, "");

    const Outcome reciprocal = eval({"1/x", "0", "4", "-0.5"});
    EXPECT_EQ(reciprocal.code, kExitOk);
    EXPECT_EQ(reciprocal.out, "undefined\n0.25\n-2\n");

    EXPECT_EQ(eval({"x/3", "1", "2"}).out, "0.333333333333333\n0.666666666666667\n");
    EXPECT_EQ(eval({"-x", "2"}).out, "-2\n");
    EXPECT_EQ(eval({"x [0; 1]", "0.5", "2", " 1E0 "}).out, "0.5\nundefined\n1\n");
    EXPECT_EQ(eval({"sin x", "pi/2", "pi/6"}).out, "1\n0.5\n");
}

TEST(EvalCommand, DegreesOptionBeforeTheFunction) {
    EXPECT_EQ(eval({"--degrees", "sin(x)", "30", "90"}).out, "0.5\n1\n");
    EXPECT_EQ(eval({"--degrees", "--", "arctan(x)", "1"}).out, "45\n");
}

TEST(EvalCommand, BadInputExitsWithUsageCodeAndNoOutput) {
    const Outcome badX = eval({"x", "1", "abc"});
    EXPECT_EQ(badX.code, kExitUsage);
    EXPECT_EQ(badX.out, "");
    EXPECT_NE(badX.err.find("'abc' is not a number."), std::string::npos) << badX.err;

    const Outcome badFunction = eval({"y=x", "1"});
    EXPECT_EQ(badFunction.code, kExitUsage);
    EXPECT_EQ(badFunction.out, "");
    EXPECT_NE(badFunction.err.find("\"y\""), std::string::npos) << badFunction.err;

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"x"}, {"--degrees", "x"}, {"--radians", "x", "1"}}) {
        const Outcome o = eval(args);
        EXPECT_EQ(o.code, kExitUsage) << args.size();
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(o.err.empty());
    }
}

TEST(EvalCommand, MissingLanguageFileFallsBackToEnglishWithOneNotice) {
    const Outcome o = testing::runMode("--eval", {"y=x", "1"}, "/nonexistent-lindor-folder");
    EXPECT_EQ(o.code, kExitUsage);
    // One line names the missing file, the next is the English compile message.
    const std::size_t firstEnd = o.err.find('\n');
    ASSERT_NE(firstEnd, std::string::npos) << o.err;
    EXPECT_NE(o.err.substr(0, firstEnd).find("ldrEnglish.lng"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("\"y\"", firstEnd), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find("Translation not available"), std::string::npos) << o.err;
}

TEST(EvalCommand, ProgramRunsFromTheShell) {
    FILE* pipe = popen((std::string("'") + LINDOR_EXE + "' --eval 'x^2^3' 2 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitOk);
    EXPECT_EQ(output, "64\n");
}

} // namespace
} // namespace lindor::cli
