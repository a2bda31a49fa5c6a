#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Cli.h"

namespace lindor::cli {
namespace {

using testing::Outcome;

Outcome table(const std::vector<std::string>& args) {
    return testing::runMode("--table", args);
}

TEST(TableCommand, PrintsTheWholeTable) {
    const Outcome o = table({"x^2", "-1", "1", "1"});
    EXPECT_EQ(o.code, kExitOk);
    EXPECT_EQ(o.out, "y=x^2\nx\ty\ty'\n\n-1\t1\t-2\n0\t0\t0\n1\t1\t2\n");
    EXPECT_EQ(o.err, "");

    const Outcome empty = table({"x", "1", "0", "1"});
    EXPECT_EQ(empty.code, kExitOk);
    EXPECT_EQ(empty.out, "y=x\nx\ty\ty'\n\n");
}

TEST(TableCommand, SlopesFarFromZeroAreNotZero) {
    const Outcome o = table({"x^3", "999999", "1000001", "1"});
    EXPECT_EQ(o.out, "y=x^3\nx\ty\ty'\n\n999999\t9.99997E17\t2.999994E12\n"
                     "1000000\t1E18\t3E12\n1000001\t1.000003E18\t3.00000625E12\n");
    EXPECT_EQ(table({"x", "0", "0.3", "0.1"}).out, "y=x\nx\ty\ty'\n\n0\t0\t1\n0.1\t0.1\t1\n"
                                                   "0.2\t0.2\t1\n0.3\t0.3\t1\n");
}

TEST(TableCommand, RefusalsGoToStandardError) {
    const Outcome badNumber = table({"x", "0", "abc", "1"});
    EXPECT_EQ(badNumber.code, kExitUsage);
    EXPECT_EQ(badNumber.out, "");
    EXPECT_EQ(badNumber.err, "lindor: 'abc' is not a number.\n");
    EXPECT_EQ(table({"x", "-pi", "pi", "pi/2"}).out.substr(12, 17), "-3.14159265358979");

    const Outcome zeroStep = table({"x", "0", "1", "0"});
    EXPECT_EQ(zeroStep.code, kExitUsage);
    EXPECT_EQ(zeroStep.out, "");
    EXPECT_NE(zeroStep.err.find("Xstep"), std::string::npos) << zeroStep.err;

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"x", "0", "1"}, {"x", "0", "1", "1", "2"}}) {
        const Outcome o = table(args);
        EXPECT_EQ(o.code, kExitUsage) << args.size();
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(o.err.empty());
    }
}

} // namespace
} // namespace lindor::cli
