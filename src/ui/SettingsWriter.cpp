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

void SettingsWriter::put(const std::string& part, Edit edit, std::function<void()> written) {
    m_edits[part] = {std::move(edit), std::move(written)};
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
    std::map<std::string, Pending> edits = std::move(m_edits);
    m_edits.clear();
    const bool written = m_settings.update([&](files::Profile& profile) {
        for (const auto& part : edits)
            part.second.edit(profile);
    });
    if (written) {
        for (const auto& part : edits)
            if (part.second.written)
                part.second.written();
        return;
    }
    // Kept for the next write; an edit handed over meanwhile is the newer one and stays.
    m_edits.merge(edits);
    if (!m_reported) {
        m_reported = true;
        if (m_report)
            m_report();
    }
}

} // namespace lindor::ui
