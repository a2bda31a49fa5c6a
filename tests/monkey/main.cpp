// desktop_monkey: drives the desktop program offscreen with a seeded random sequence of what
// a user can do and checks it after every action.
//
//   desktop_monkey [--seed N] [--seconds S] [--actions N] [--step-limit S] [--keep] [--verbose]
//   desktop_monkey --replay FILE
//   desktop_monkey --shrink FILE
//
// Prints "seed: N" first and "actions: N" last. When a rule is broken it prints the rule, the
// seed and the numbered actions (a record that --replay plays again) and exits with 1; a
// crash or a hang prints the same record before the process ends. Everything it reads and
// writes (settings, documents, pictures, printouts) stays in a temporary folder. --shrink
// plays a failing record again and again with steps taken out and prints the shortest one
// that still breaks the same rule.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Monkey.h"

extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

using namespace lindor::monkey;

Journal g_journal;

void writeText(const char* text) {
    const ssize_t ignored = ::write(1, text, std::strlen(text));
    (void)ignored;
}

void crashed(int signal) {
    writeText("violation: the program crashed (");
    writeText(strsignal(signal));
    writeText(")\n");
    g_journal.writeTo(1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void sanitizerStopped() {
    writeText("violation: a sanitizer stopped the program\n");
    g_journal.writeTo(1);
}

void installCrashReports() {
    std::signal(SIGABRT, crashed);
#if !defined(__SANITIZE_ADDRESS__)
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        std::signal(s, crashed);
#endif
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(sanitizerStopped);
}

// Every place a desktop program reads or writes on its own, inside `root`.
void confine(const std::string& root) {
    const std::pair<const char*, const char*> places[] = {
        {"HOME", "/home"},
        {"XDG_CONFIG_HOME", "/config"},
        {"XDG_STATE_HOME", "/state"},
        {"XDG_DATA_HOME", "/data"},
        {"XDG_CACHE_HOME", "/cache"},
        {"TMPDIR", "/tmp"},
        {"XDG_RUNTIME_DIR", "/runtime"},
    };
    for (const auto& [name, folder] : places) {
        const std::string path = root + folder;
        QDir().mkpath(QString::fromStdString(path));
        ::setenv(name, path.c_str(), 1);
    }
    ::chmod((root + "/runtime").c_str(), 0700);
    // No printer: a printout goes into a PDF file in the folder.
    ::setenv("CUPS_SERVER", (root + "/no-printer").c_str(), 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int usage(const char* problem) {
    std::fprintf(stderr,
                 "%s\nusage: desktop_monkey [--seed N] [--seconds S] [--actions N] "
                 "[--step-limit S] [--keep] [--verbose]\n       desktop_monkey --replay FILE\n"
                 "       desktop_monkey --shrink FILE\n",
                 problem);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    RunOptions options;
    options.seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    const char* replayFile = nullptr;
    bool shrinking = false;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--seed" && hasValue)
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--seconds" && hasValue)
            options.seconds = std::atof(argv[++i]);
        else if (a == "--actions" && hasValue)
            options.maxActions = std::atoll(argv[++i]);
        else if (a == "--step-limit" && hasValue)
            options.stepLimitSeconds = std::atof(argv[++i]);
        else if ((a == "--replay" || a == "--shrink") && hasValue) {
            replayFile = argv[++i];
            shrinking = a == "--shrink";
        } else if (a == "--keep")
            keep = true;
        else if (a == "--verbose")
            options.verbose = true;
        else
            return usage(("unknown or incomplete option: " + a).c_str());
    }

    std::string pattern = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    pattern += "/desktop-monkey-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return usage("cannot make a temporary folder");
    const std::string root = pattern;

    Script script;
    if (replayFile) {
        QFile file(QString::fromLocal8Bit(replayFile));
        if (!file.open(QIODevice::ReadOnly))
            return usage("cannot read the file to replay");
        QString error;
        std::optional<Script> read = Script::parse(QString::fromUtf8(file.readAll()), &error);
        if (!read)
            return usage(("the file to replay is not a record: " + error.toStdString()).c_str());
        script = *read;
        options.seed = script.seed;
    }

    confine(root);
    installCrashReports();
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(app);
    QApplication::setApplicationName(QStringLiteral("Lindor"));

    std::printf("seed: %llu\n", static_cast<unsigned long long>(options.seed));
    std::fflush(stdout);
    // A printer would print for real: the monkey does not run where one is installed.
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        std::fprintf(stderr, "a printer is installed; the monkey would print on it\n");
        return 2;
    }

    const QString folder = QString::fromStdString(root);
    if (shrinking) {
        script = shrink(script, folder, options, [](const Script& smaller) {
            std::fprintf(stderr, "still failing with %d actions\n", int(smaller.steps.size()));
        });
        QDir().mkpath(folder + QStringLiteral("/last"));
    }
    const QString place = shrinking ? folder + QStringLiteral("/last") : folder;
    const RunResult result = replayFile ? replay(script, place, options, &g_journal)
                                        : runRandom(options, folder, script, &g_journal);
    if (!result.violation.isEmpty())
        std::printf("%s", qPrintable(result.report));
    std::printf("actions: %d\n", result.actions);
    std::fflush(stdout);
    if (keep || !result.violation.isEmpty())
        std::fprintf(stderr, "files of the run: %s\n", root.c_str());
    else
        QDir(folder).removeRecursively();
    return result.violation.isEmpty() ? 0 : 1;
}
