#include "cli/Cli.h"

#include <ostream>

namespace lindor::cli {
namespace {

const char* const kUsage =
    "Usage:\n"
    "  lindor [FUNCTION ...]                 start the plotter with these functions\n"
    "  lindor --eval [--degrees] FUNCTION X [X ...]\n"
    "                                        print f(X) for each X\n"
    "  lindor --table FUNCTION XMIN XMAX XSTEP\n"
    "                                        print the value table of FUNCTION\n"
    "  lindor --export FILE [options] [FUNCTION ...]\n"
    "                                        draw the graph into FILE (.png .bmp .svg .gif)\n"
    "  lindor --solve KIND --box L,R,B,T [--value V] [--degrees] FUNCTION [FUNCTION2]\n"
    "                                        run an analysis on the box (plane coordinates)\n"
    "                                        and print its log lines; KIND is root, max, min,\n"
    "                                        yint (no box needed), intersection (two\n"
    "                                        functions), xcalc or ycalc (--value: the typed y\n"
    "                                        or x)\n"
    "  lindor --solve integral 'FUNCTION;LOWER;UPPER'\n"
    "                                        print the integral's log lines\n"
    "  lindor --help | --version\n";

} // namespace

bool isCommandLineMode(const std::vector<std::string>& args) {
    if (args.empty())
        return false;
    const std::string& a = args.front();
    return a == "--eval" || a == "--table" || a == "--export" || a == "--solve" || a == "--help" ||
           a == "-h" || a == "--version";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programDir) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string mode = args.front();
    CommandContext ctx{std::vector<std::string>(args.begin() + 1, args.end()), out, err,
                       programDir};
    if (mode == "--help" || mode == "-h") {
        out << kUsage;
        return kExitOk;
    }
    if (mode == "--version") {
        out << "lindor " << LINDOR_VERSION << "\n";
        return kExitOk;
    }
    if (mode == "--eval")
        return runEval(ctx);
    if (mode == "--table")
        return runTable(ctx);
    if (mode == "--export")
        return runExport(ctx);
    if (mode == "--solve")
        return runSolve(ctx);
    err << "lindor: unknown option '" << mode << "'\n" << kUsage;
    return kExitUsage;
}

} // namespace lindor::cli
