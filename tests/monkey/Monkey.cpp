#include "Monkey.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <thread>
#include <unistd.h>

#include "Actions.h"
#include "Invariants.h"
#include "RandomQuestions.h"
#include "Session.h"

namespace lindor::monkey {

void Journal::start(const QString& header) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_done = header.toStdString();
    m_running.clear();
}

void Journal::beginStep(const QString& text) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_running = text.toStdString();
}

void Journal::endStep(const QString& text) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_done += text.toStdString();
    m_running.clear();
}

void Journal::writeTo(int fd) const {
    for (const std::string* s : {&m_done, &m_running}) {
        std::size_t written = 0;
        while (written < s->size()) {
            const ssize_t n = ::write(fd, s->data() + written, s->size() - written);
            if (n <= 0)
                return;
            written += static_cast<std::size_t>(n);
        }
    }
}

std::string Journal::text() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_done + m_running;
}

namespace {

QString header(const Script& script) {
    return Script{script.seed, script.decimalSeparator, script.thousandsSeparator, {}}.format();
}

// One run: the program, its questions, the actions, the checks, and the watch for hangs.
class Run {
public:
    Run(Script& script, const QString& folder, const RunOptions& options, Journal* journal,
        bool replaying)
        : m_script(script), m_options(options), m_journal(journal), m_replaying(replaying),
          m_rng(options.seed), m_texts(script.decimalSeparator),
          m_questions(m_rng, m_texts, Session::filesFolder(folder)),
          m_session(folder,
                    NumberLocale{char(script.decimalSeparator.unicode()),
                                 char(script.thousandsSeparator.unicode())},
                    m_questions),
          m_actions(m_session, m_texts) {
        s_current = this;
        m_previousHandler = qInstallMessageHandler(&Run::message);
        if (m_journal)
            m_journal->start(header(script));
        m_watch = std::thread([this] { watch(); });
    }
    ~Run() {
        {
            const std::lock_guard<std::mutex> lock(m_watchMutex);
            m_finished = true;
        }
        m_wake.notify_all();
        m_watch.join();
        m_session.stop();
        qInstallMessageHandler(m_previousHandler);
        s_current = nullptr;
    }

    RunResult random(double seconds, long long maxActions) {
        QElapsedTimer clock;
        clock.start();
        m_script.steps.push_back(Step{Line().word(QStringLiteral("start")), {}, {}});
        if (step(m_script.steps.back()))
            return result();
        while (clock.elapsed() < seconds * 1000 &&
               (maxActions < 0 || int(m_script.steps.size()) < maxActions)) {
            Line next =
                m_session.closed() ? Line().word(QStringLiteral("start")) : m_actions.random(m_rng);
            m_script.steps.push_back(Step{next, {}, {}});
            if (step(m_script.steps.back()))
                break;
        }
        return result();
    }

    RunResult replayAll() {
        for (Step& s : m_script.steps) {
            const bool starting = s.action.kind() == QLatin1String("start");
            if (!starting && (!m_session.running() || m_session.closed())) {
                m_session.start();
                s.comments << QStringLiteral("replay: the program was started again first");
            }
            ++m_played;
            if (step(s, false))
                break;
        }
        return result();
    }

private:
    // Plays one step and checks the rules; true when one was broken.
    bool step(Step& s, bool count = true) {
        if (count)
            m_played = int(m_script.steps.size());
        const int number = m_played;
        if (m_journal)
            m_journal->beginStep(formatStep(number, s));
        m_questions.setUnexpectedErrorText(m_session.unexpectedErrorText());
        m_questions.begin(s, m_replaying);
        m_stepStarted = std::chrono::steady_clock::now().time_since_epoch().count();
        m_stepRunning = true;
        try {
            m_actions.perform(s.action, s.comments);
            settle();
        } catch (const std::exception& e) {
            fail(QStringLiteral("an exception escaped: ") + QString::fromUtf8(e.what()));
        } catch (...) {
            fail(QStringLiteral("an exception escaped"));
        }
        m_stepRunning = false;
        for (const QString& text : m_questions.unexpectedErrors())
            fail(QStringLiteral("an exception reached a command guard: ") + text);
        m_questions.end();
        for (const QString& text : m_messages)
            fail(QStringLiteral("Qt reported: ") + text);
        m_messages.clear();
        if (m_violation.isEmpty())
            if (std::optional<QString> broken = brokenRule(m_session))
                fail(*broken);
        if (m_options.verbose)
            std::fprintf(stderr, "after action %d: %d plotted, %d compiled\n", number,
                         m_session.plottedFunctions(), m_session.compiledFunctions());
        if (m_journal)
            m_journal->endStep(formatStep(number, s));
        return !m_violation.isEmpty();
    }

    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void fail(const QString& why) {
        if (m_violation.isEmpty())
            m_violation = why;
    }

    RunResult result() const {
        RunResult r;
        r.violation = m_violation;
        r.actions = m_played;
        if (!m_violation.isEmpty())
            r.report = QStringLiteral("violation: ") + m_violation + QLatin1Char('\n') +
                       m_script.format(m_played);
        return r;
    }

    // Qt's criticals are faults; a fatal one ends the process, so the record goes out first.
    static void message(QtMsgType type, const QMessageLogContext&, const QString& text) {
        Run* run = s_current;
        if (!run)
            return;
        if (type == QtFatalMsg) {
            std::fprintf(stdout, "violation: Qt's fatal error: %s\n", qPrintable(text));
            std::fflush(stdout);
            if (run->m_journal)
                run->m_journal->writeTo(1);
            return;
        }
        if (type == QtCriticalMsg)
            run->m_messages << text;
        else if (run->m_options.verbose)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    }

    void watch() {
        const auto limit = std::chrono::duration<double>(m_options.stepLimitSeconds);
        std::unique_lock<std::mutex> lock(m_watchMutex);
        while (!m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_finished; })) {
            if (!m_stepRunning)
                continue;
            const auto started = std::chrono::steady_clock::time_point(
                std::chrono::steady_clock::duration(m_stepStarted.load()));
            if (std::chrono::steady_clock::now() - started < limit)
                continue;
            std::fprintf(stdout, "violation: action %d has run for more than %g s\n", m_played,
                         m_options.stepLimitSeconds);
            std::fflush(stdout);
            if (m_journal)
                m_journal->writeTo(1);
            std::_Exit(3);
        }
    }

    static inline Run* s_current = nullptr;

    Script& m_script;
    RunOptions m_options;
    Journal* m_journal;
    bool m_replaying;
    Rng m_rng;
    TextMix m_texts;
    RandomQuestions m_questions;
    Session m_session;
    Actions m_actions;
    QtMessageHandler m_previousHandler = nullptr;
    QStringList m_messages;
    QString m_violation;
    int m_played = 0;

    std::thread m_watch;
    std::mutex m_watchMutex;
    std::condition_variable m_wake;
    bool m_finished = false;
    std::atomic<bool> m_stepRunning{false};
    std::atomic<std::chrono::steady_clock::rep> m_stepStarted{0};
};

} // namespace

RunResult runRandom(const RunOptions& options, const QString& folder, Script& script,
                    Journal* journal) {
    script.seed = options.seed;
    script.steps.clear();
    // The number format of the run: a point or a comma, with the thousands separator that
    // goes with it.
    static const char formats[][2] = {{'.', ','}, {'.', ','}, {',', '.'}, {',', ' '}};
    Rng pick(options.seed ^ 0x9e3779b97f4a7c15ull);
    const auto& format = formats[pick.below(4)];
    script.decimalSeparator = QLatin1Char(format[0]);
    script.thousandsSeparator = QLatin1Char(format[1]);
    Run run(script, folder, options, journal, false);
    return run.random(options.seconds, options.maxActions);
}

RunResult replay(Script& script, const QString& folder, const RunOptions& options,
                 Journal* journal) {
    Run run(script, folder, options, journal, true);
    return run.replayAll();
}

namespace {

// A rule broken, without the numbers that differ from one run to the next.
QString ruleOf(const QString& violation) {
    QString rule = violation;
    rule.remove(QRegularExpression(QStringLiteral("[0-9]+")));
    return rule;
}

} // namespace

Script shrink(const Script& failing, const QString& folder, const RunOptions& options,
              const std::function<void(const Script&)>& progress) {
    int tries = 0;
    QString rule;
    // The record cut after its failing step when it still fails, else nothing.
    const auto stillFails = [&](Script candidate) -> std::optional<Script> {
        const QString place = folder + QStringLiteral("/try-%1").arg(++tries);
        QDir().mkpath(place);
        Script played = candidate;
        const RunResult r = replay(played, place, options);
        QDir(place).removeRecursively();
        if (r.violation.isEmpty() || (!rule.isEmpty() && ruleOf(r.violation) != rule))
            return std::nullopt;
        rule = ruleOf(r.violation);
        candidate.steps.resize(static_cast<std::size_t>(r.actions));
        return candidate;
    };
    std::optional<Script> best = stillFails(failing);
    if (!best)
        return failing;
    if (progress)
        progress(*best);
    // The first step (the start) stays.
    for (std::size_t run = best->steps.size() / 2; run > 0; run /= 2) {
        bool shorter = true;
        while (shorter) {
            shorter = false;
            for (std::size_t at = 1; at < best->steps.size(); at += run) {
                Script candidate = *best;
                const std::size_t end = std::min(at + run, candidate.steps.size());
                candidate.steps.erase(candidate.steps.begin() + long(at),
                                      candidate.steps.begin() + long(end));
                if (std::optional<Script> smaller = stillFails(candidate)) {
                    best = smaller;
                    shorter = true;
                    if (progress)
                        progress(*best);
                    break;
                }
            }
        }
    }
    return *best;
}

} // namespace lindor::monkey
