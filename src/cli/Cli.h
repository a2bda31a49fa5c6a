// The headless command line: lindor --eval, --table, --export, --solve, --help, --version.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lindor::cli {

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the command ran and failed (a file could not be written, ...)
constexpr int kExitUsage = 2;   // bad input: unknown option, bad number, function not compiling

// Everything a command needs: its arguments (after the mode option), where results and
// errors go, and the folder that holds the language files (beside the program, or
// share/lindor of an installed copy).
struct CommandContext {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
    std::string programDir;
};

// True when the arguments ask for a command-line mode rather than the GUI.
bool isCommandLineMode(const std::vector<std::string>& args);

// Runs a command-line mode; args excludes the program name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programDir);

int runEval(CommandContext& ctx);
int runTable(CommandContext& ctx);
int runExport(CommandContext& ctx);
int runSolve(CommandContext& ctx);

} // namespace lindor::cli
