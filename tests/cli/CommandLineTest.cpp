#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Cli.h"
#include "cli/CommandLine.h"

namespace lindor::cli {
namespace {

using Args = std::vector<std::string>;
using testing::Outcome;

CommandLine parsed(const Args& args) {
    CommandLine line;
    std::string error;
    EXPECT_TRUE(parseCommandLine(args, line, error)) << error;
    return line;
}

std::string refusal(const Args& args) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(parseCommandLine(args, line, error)) << args.front();
    return error;
}

TEST(CommandLine, DashedNumbersAndFunctionsArePositional) {
    EXPECT_EQ(parsed({"--table", "x^2", "-1", "1", "1"}).positional, (Args{"x^2", "-1", "1", "1"}));

    const CommandLine eval = parsed({"--eval", "-x", "-2.5", "--degrees", "-.5E3"});
    EXPECT_EQ(eval.mode, Mode::Eval);
    EXPECT_EQ(eval.positional, (Args{"-x", "-2.5", "-.5E3"}));
    EXPECT_TRUE(eval.has("degrees"));

    // Options after the file and after functions; "--" ends the options.
    const CommandLine out =
        parsed({"--export", "a.png", "-x^2", "--no-grid", "--size", "10x20", "--", "--x"});
    EXPECT_EQ(out.mode, Mode::Export);
    EXPECT_EQ(out.modeValue, "a.png");
    EXPECT_EQ(out.positional, (Args{"-x^2", "--x"}));
    EXPECT_TRUE(out.has("no-grid"));
    EXPECT_EQ(out.value("size"), "10x20");

    // An option's value is taken as it is, whatever it starts with.
    const CommandLine solve = parsed({"--solve", "root", "--box", "-3,0,-1,1", "--value=-2", "-x-2",
                                      "\x01"
                                      "0"});
    EXPECT_EQ(solve.modeValue, "root");
    EXPECT_EQ(solve.value("box"), "-3,0,-1,1");
    EXPECT_EQ(solve.value("value"), "-2");
    EXPECT_EQ(solve.positional, (Args{"-x-2", "\x01"
                                              "0"}));

    // Texts that are not UTF-8 come back as they were given.
    const CommandLine bytes = parsed({"--export=gr\xe4"
                                      "f.png",
                                      "x\xff"});
    EXPECT_EQ(bytes.modeValue, "gr\xe4"
                               "f.png");
    EXPECT_EQ(bytes.positional, Args{"x\xff"});

    EXPECT_EQ(parsed({"x", "--help"}).mode, Mode::Help);
    EXPECT_EQ(parsed({"-v"}).mode, Mode::Version);
}

TEST(CommandLine, RefusalsSayWhatIsWrong) {
    EXPECT_EQ(refusal({"--eval", "--wobble", "x", "1"}), "Unknown option 'wobble'.");
    EXPECT_EQ(refusal({"--solve", "root", "--box"}), "Missing value after '--box'.");
    EXPECT_EQ(refusal({"--eval", "--table", "x"}),
              "choose one of --eval, --table, --export and --solve");
    EXPECT_EQ(refusal({"--eval", "--box", "0,1,0,1", "x", "1"}),
              "--box is not an option of --eval");
    EXPECT_EQ(refusal({"--table", "--degrees", "x", "0", "1", "1"}),
              "--degrees is not an option of --table");

    const Outcome o = testing::runMode("--eval", {"x", "1", "--size", "1x1"});
    EXPECT_EQ(o.code, kExitUsage);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "lindor: --size is not an option of --eval\n"
                     "Try 'lindor --help' for more information.\n");
}

TEST(CommandLine, WithoutAModeEveryArgumentGoesToTheDesktop) {
    for (const Args& args : {Args{}, Args{"-x^2"}, Args{"x^2", "work.LDR"}, Args{"--", "--eval"}}) {
        EXPECT_FALSE(isCommandLineMode(args)) << args.size();
    }
    // An option without a mode is a mistake to report, not a function to plot.
    EXPECT_TRUE(isCommandLineMode({"--degrees", "-1"}));
    EXPECT_EQ(testing::runMode("--degrees", {"-1"}).code, kExitUsage);
    EXPECT_EQ(requestedMode({"x", "--export", "--help.png"}), Mode::Export);
    EXPECT_EQ(requestedMode({"x", "--solve=root"}), Mode::Solve);
    EXPECT_EQ(requestedMode({"-x", "--help"}), Mode::Help);
    EXPECT_EQ(requestedMode({"--version", "--eval"}), Mode::Version);

    // The program itself: -x^2 reaches the desktop branch, not the option parser. Without a
    // window system to open, the desktop program stops at once, naming the one it looked for.
    const Outcome desktop = testing::runShell("QT_QPA_PLATFORM=no-such-platform " +
                                              testing::program() + " -x^2 2>&1");
    EXPECT_NE(desktop.code, 0);
    EXPECT_NE(desktop.out.find("no-such-platform"), std::string::npos) << desktop.out;
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    const Outcome help = testing::runMode("--help", {});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_NE(help.out.find("lindor --export FILE"), std::string::npos);
    const Outcome version = testing::runMode("--version", {});
    EXPECT_EQ(version.out, std::string("lindor ") + LINDOR_VERSION + "\n");
}

// A stream whose every write fails, as standard output on a full disk.
class FullDisk : public std::streambuf {
protected:
    int overflow(int) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
};

TEST(CommandLine, UnwrittenResultsAreAFailure) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(run({"--table", "x", "0", "1", "1"}, out, err, LINDOR_DATA_DIR), kExitFailure);
    EXPECT_NE(err.str().find("cannot write to standard output"), std::string::npos) << err.str();

    for (const char* command : {" --table x 0 1 1", " --help", " --eval x 1"}) {
        const Outcome o = testing::runShell(testing::program() + command + " 2>&1 >/dev/full");
        EXPECT_EQ(o.code, kExitFailure) << command;
        EXPECT_EQ(o.out, "lindor: cannot write to standard output: No space left on device\n")
            << command;
    }
}

TEST(CommandLine, NumbersFollowTheUsersLocale) {
    const Outcome probe = testing::runShell("locale -a 2>/dev/null | grep -i '^de_DE.utf-\\?8$'");
    if (probe.out.empty())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/deps.sh makes it)";
    const std::string german = "LC_ALL=de_DE.UTF-8 " + testing::program();
    EXPECT_EQ(testing::runShell(german + " --eval 'x/2' 1,5 -- -3").out, "0,75\n-1,5\n");
    EXPECT_EQ(testing::runShell(german + " --table 'x/4' 0 1 0,5").out,
              "y=x/4\nx\ty\ty'\n\n0\t0\t0,25\n0,5\t0,125\t0,25\n1\t0,25\t0,25\n");
    EXPECT_EQ(testing::runShell(german + " --solve root --box 1,3,-1,1 'x^2-2,25'").out,
              "\ny = x^2-2,25\nRoot: x = 1,5\n");
}

} // namespace
} // namespace lindor::cli
