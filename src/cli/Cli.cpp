#include "cli/Cli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "files/DataFolder.h"

#include "qt/AppLocale.h"

namespace lindor::cli {
namespace {

const char* const kUsage =
    "Usage:\n"
    "  lindor [FUNCTION|DOC.LDR ...]         start the plotter with these functions\n"
    "  lindor --eval [--degrees] FUNCTION X [X ...]\n"
    "                                        print f(X) for each X\n"
    "  lindor --table FUNCTION XMIN XMAX XSTEP\n"
    "                                        print the value table of FUNCTION\n"
    "  lindor --export FILE [options] [FUNCTION ...]\n"
    "                                        draw the graph into FILE (.png .bmp .svg .gif)\n"
    "        --size WxH  --range XMIN,XMAX,XSTEP,YMIN,YMAX,YSTEP  --degrees\n"
    "        --lines dotted|normal|bold  --no-axis  --no-grid  --no-scale-text  --no-names\n"
    "        --integral 'FUNCTION;LOWER;UPPER'  --document DOC.LDR\n"
    "  lindor --solve KIND --box L,R,B,T [--value V] [--degrees] FUNCTION [FUNCTION2]\n"
    "                                        run an analysis on the box (plane coordinates)\n"
    "                                        and print its log lines; KIND is root, max, min,\n"
    "                                        yint (no box needed), intersection (two\n"
    "                                        functions), xcalc or ycalc (--value: the typed y\n"
    "                                        or x)\n"
    "  lindor --solve integral 'FUNCTION;LOWER;UPPER'\n"
    "                                        print the integral's log lines\n"
    "  lindor --help | --version\n"
    "\n"
    "A function or number that starts with \"-\" is an argument, not an option (-x^2, -1).\n"
    "Everything after \"--\" is an argument.\n";

const char* const kHint = "Try 'lindor --help' for more information.\n";

int dispatch(CommandContext& ctx) {
    switch (ctx.line.mode) {
    case Mode::Help:
        ctx.out << kUsage;
        return kExitOk;
    case Mode::Version:
        ctx.out << "lindor " << LINDOR_VERSION << "\n";
        return kExitOk;
    case Mode::Eval:
        return runEval(ctx);
    case Mode::Table:
        return runTable(ctx);
    case Mode::Export:
        return runExport(ctx);
    case Mode::Solve:
        return runSolve(ctx);
    case Mode::Desktop:
        break;
    }
    ctx.err << "lindor: no mode given\n" << kHint;
    return kExitUsage;
}

// Qt's notes about its runtime folder are not the user's concern on the command line;
// every other message of Qt still reaches stderr.
void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Drawing text needs a GUI application (off-screen without a display); the other modes
// need only the core. Qt sees no arguments, so that none of the user's is taken for one
// of Qt's own options.
std::unique_ptr<QCoreApplication> createApplication(Mode mode) {
    static int argc = 1;
    static char name[] = "lindor";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler(quietQtMessages);
    if (mode != Mode::Export)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

bool isCommandLineMode(const std::vector<std::string>& args) {
    if (requestedMode(args) != Mode::Desktop)
        return true;
    // The desktop program takes no options: an option without a mode is reported on the
    // terminal rather than plotted as a function.
    for (const std::string& a : args) {
        if (a == "--")
            break;
        if (a.size() > 2 && a.compare(0, 2, "--") == 0)
            return true;
    }
    return false;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programDir, const NumberLocale& locale) {
    CommandLine line;
    std::string error;
    if (!parseCommandLine(args, line, error)) {
        err << "lindor: " << error << "\n" << kHint;
        return kExitUsage;
    }
    CommandContext ctx{line, out, err, programDir, locale};
    int code = dispatch(ctx);

    // Results that never arrived are a failure, whatever the command thought.
    errno = 0;
    out.flush();
    if (!out) {
        const int reason = errno;
        err << "lindor: cannot write to standard output";
        if (reason != 0)
            err << ": " << std::strerror(reason);
        err << "\n";
        if (code == kExitOk)
            code = kExitFailure;
    }
    return code;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& programDir) {
    return run(args, out, err, programDir, NumberLocale::fromEnvironment());
}

int runCommandLine(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto app = createApplication(requestedMode(args));
    const NumberLocale locale = qtgui::adoptUserNumberLocale();
    return run(
        args, std::cout, std::cerr,
        files::dataFolder(QCoreApplication::applicationDirPath().toStdString(), "ldrEnglish.lng"),
        locale);
}

} // namespace lindor::cli
