#include "ui/ExitSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace lindor::ui {

namespace {

// The pipe of the one ExitSignals object; the handler reads only this.
volatile sig_atomic_t g_writeEnd = -1;
int g_readEnd = -1;

constexpr int kSignals[] = {SIGTERM, SIGHUP};

extern "C" void onExitSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (g_writeEnd >= 0) {
        // A full pipe already holds a request.
        [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    }
    errno = saved;
}

} // namespace

ExitSignals::ExitSignals(std::function<void()> exit, QObject* parent)
    : QObject(parent), m_exit(std::move(exit)) {
    int fds[2];
    if (g_readEnd >= 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_readEnd = fds[0];
    g_writeEnd = fds[1];
    m_notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(g_readEnd, bytes, sizeof bytes) > 0) {
        }
        if (m_exit)
            m_exit();
    });
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

ExitSignals::~ExitSignals() {
    if (!m_notifier)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
    const int writeEnd = g_writeEnd;
    g_writeEnd = -1;
    ::close(writeEnd);
    ::close(g_readEnd);
    g_readEnd = -1;
}

} // namespace lindor::ui
