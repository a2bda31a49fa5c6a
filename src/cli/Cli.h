// The headless command line: lindor --eval, --table, --export, --solve, --help, --version.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "util/NumberText.h"

namespace lindor::cli {

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the command ran and failed (a file could not be written, ...)
constexpr int kExitUsage = 2;   // bad input: unknown option, bad number, function not compiling

// Everything a command needs: its parsed arguments, where results and errors go, the
// folder that holds the language files (beside the program, or share/lindor of an
// installed copy) and the user's number format.
struct CommandContext {
    const CommandLine& line;
    std::ostream& out;
    std::ostream& err;
    std::string programDir;
    NumberLocale locale;
};

// True when the arguments (without the program name) ask for a command-line mode, or for
// --help or --version, rather than the desktop program.
bool isCommandLineMode(const std::vector<std::string>& args);

// The program's command line: creates the application object the mode needs, takes the
// user's number format, runs the mode on standard output and error and returns the exit
// code.
int runCommandLine(int argc, char** argv);

// Runs a command-line mode in this process; args excludes the program name. A failure to
// write `out` ends with a message on `err` and kExitFailure. Without `locale` the number
// format comes from the environment.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programDir, const NumberLocale& locale);
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programDir);

int runEval(CommandContext& ctx);
int runTable(CommandContext& ctx);
int runExport(CommandContext& ctx);
int runSolve(CommandContext& ctx);

} // namespace lindor::cli
