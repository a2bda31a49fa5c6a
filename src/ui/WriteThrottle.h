// Runs a write at most once per interval: the first request runs it as soon as the event
// loop gets to it, later ones when the interval since the last write has passed. Requests
// in between are gathered into that one write.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace lindor::ui {

class WriteThrottle : public QObject {
public:
    WriteThrottle(int intervalMs, std::function<void()> write, QObject* parent = nullptr)
        : QObject(parent), m_interval(intervalMs), m_write(std::move(write)) {
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] { runNow(); });
    }

    void request() {
        if (m_timer.isActive())
            return;
        const qint64 since = m_last.isValid() ? m_last.elapsed() : m_interval;
        m_timer.start(int(std::max<qint64>(0, m_interval - since)));
    }
    // Writes at once (the end of a run); a pending request is part of it.
    void runNow() {
        m_timer.stop();
        m_last.start();
        m_write();
    }
    // Forgets a pending request.
    void cancel() { m_timer.stop(); }

private:
    int m_interval;
    std::function<void()> m_write;
    QTimer m_timer;
    QElapsedTimer m_last;
};

} // namespace lindor::ui
