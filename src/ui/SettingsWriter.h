// Writes what changes during a run into the settings file as it changes: each part (the
// histories, the view settings, the recent documents) hands over the
// edit of its keys, and at most once a second all pending edits go into one replacement of
// the file, read again just before, so keys written by others (another instance, a dialog)
// stay. A file that cannot be written is reported once per run; what could not be written
// stays pending, and goes with the next write or at the end of the run.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "ui/WriteThrottle.h"

namespace lindor::files {
class Profile;
class SettingsFile;
} // namespace lindor::files

namespace lindor::ui {

class SettingsWriter : public QObject {
public:
    using Edit = std::function<void(files::Profile&)>;
    // `report` shows the message about a file that cannot be written.
    SettingsWriter(files::SettingsFile& settings, std::function<void()> report,
                   QObject* parent = nullptr);

    // The latest edit of a part replaces an earlier one not yet written. `written` is
    // called once the edit is in the file.
    void put(const std::string& part, Edit edit, std::function<void()> written = {});
    // Writes what is pending now (the end of a run).
    void flush();
    bool pending() const { return !m_edits.empty(); }

private:
    void write();

    files::SettingsFile& m_settings;
    std::function<void()> m_report;
    struct Pending {
        Edit edit;
        std::function<void()> written;
    };
    std::map<std::string, Pending> m_edits;
    WriteThrottle m_throttle;
    bool m_reported = false;
};

} // namespace lindor::ui
