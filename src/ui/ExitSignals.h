// SIGTERM and SIGHUP (a session that ends, a service manager that stops it) become a call
// in the event loop: the handler only writes one byte into a pipe, whose reading end the
// event loop watches. The program then ends as at a normal exit, keeping unsaved work for
// the next start.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace lindor::ui {

class ExitSignals : public QObject {
public:
    // Installs the handlers; `exit` runs in the event loop once per signal received.
    // One object per process (signal handlers are the process's).
    explicit ExitSignals(std::function<void()> exit, QObject* parent = nullptr);
    // Puts the default handlers back.
    ~ExitSignals() override;

    bool installed() const { return m_notifier != nullptr; }

private:
    std::function<void()> m_exit;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace lindor::ui
