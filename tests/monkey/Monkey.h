// The monkey: drives the desktop program with a seeded random sequence of what a user can
// do, answers its questions at random, and checks the rules after every action; or plays a
// recorded sequence again. The record of a failing run is its report: the rule broken, the
// seed and the numbered actions, which `replay` takes back as they are.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "Script.h"

namespace lindor::monkey {

// What ran so far as text, kept up to date so that a crash, a sanitizer's report or a hang
// can still print the actions that led there.
class Journal {
public:
    void start(const QString& header);
    void beginStep(const QString& text);
    void endStep(const QString& text);
    // The finished steps and the one running (not locked: for a crash, where nothing else
    // can be done).
    void writeTo(int fd) const;
    std::string text() const;

private:
    mutable std::mutex m_mutex;
    std::string m_done;
    std::string m_running;
};

struct RunOptions {
    std::uint64_t seed = 0;
    double seconds = 60;
    // No bound when negative.
    long long maxActions = -1;
    // An action that runs longer than this is a hang.
    double stepLimitSeconds = 60;
    // Qt's warnings on standard error too.
    bool verbose = false;
};

struct RunResult {
    // Empty when every rule held.
    QString violation;
    int actions = 0;
    // The rule broken, the seed, the number format and the numbered actions up to the
    // failing one (empty when none failed).
    QString report;
};

// A random run of `options.seconds`, everything inside `folder`; `script` receives the
// record.
RunResult runRandom(const RunOptions& options, const QString& folder, Script& script,
                    Journal* journal = nullptr);
// Plays the record again inside `folder`, with the same checks.
RunResult replay(Script& script, const QString& folder, const RunOptions& options = {},
                 Journal* journal = nullptr);
// The shortest record found that breaks the same rule as `failing`: steps are taken out,
// in ever smaller runs, as long as the rest still breaks it. Each try plays in a new folder
// under `folder`; `progress` hears of every record that still fails.
Script shrink(const Script& failing, const QString& folder, const RunOptions& options,
              const std::function<void(const Script&)>& progress = {});

} // namespace lindor::monkey
