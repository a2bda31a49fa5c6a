#include "ui/SettingsWriter.h"

#include "files/SettingsFile.h"

namespace lindor::ui {

namespace {

constexpr int kIntervalMs = 1000;

} // namespace

SettingsWriter::SettingsWriter(files::SettingsFile& settings, std::function<void()> report,
                               QObject* parent)
    : QObject(parent), m_settings(settings), m_report(std::move(report)),
      m_throttle(
          kIntervalMs, [this] { write(); }, this) {}

void SettingsWriter::put(const std::string& part, Edit edit) {
    m_edits[part] = std::move(edit);
    m_throttle.request();
}

void SettingsWriter::flush() {
    if (pending())
        m_throttle.runNow();
}

void SettingsWriter::write() {
    // Without a settings file (no home folder) the run keeps nothing.
    if (m_edits.empty() || m_settings.path().empty()) {
        m_edits.clear();
        return;
    }
    const std::map<std::string, Edit> edits = std::move(m_edits);
    m_edits.clear();
    const bool written = m_settings.update([&](files::Profile& profile) {
        for (const auto& part : edits)
            part.second(profile);
    });
    if (!written && !m_reported) {
        m_reported = true;
        if (m_report)
            m_report();
    }
}

} // namespace lindor::ui
