// The settings file: language, view settings, entry histories, saved range, notice flags,
// window positions and the first-run flag. Every read looks at the file as it is now and
// every write goes to the file at once, keeping every key it does not write.
//
// Writes never report to the user: they return false and leave the file as it was (the
// whole file is replaced in one step, so a failed write cannot leave half a file).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/Profile.h"
#include "files/TextFile.h"
#include "graph/ViewSettings.h"
#include "util/NumberText.h"

namespace lindor::files {

// The entry box histories hold at most this many texts.
constexpr int kMaxHistoryEntries = 100;
// File -> Open Recent lists at most this many documents.
constexpr int kMaxRecentDocuments = 8;

struct Histories {
    std::vector<std::string> functions; // "FunctionCombo", "F1".."Fn"
    std::vector<std::string> integrals; // "IntegralCombo", "I1".."In"
};

struct WindowPosition {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The windows whose positions are kept; the names are their section names.
extern const char* const kFrameWindow;       // "MDIFrame": default 0, 0, 640, 480
extern const char* const kFunctionPadWindow; // the others: 0 each
extern const char* const kRangeWindow;
extern const char* const kLogWindow;
extern const char* const kGraphWindow;

// The "Do not show this message any more" flags of section "Options".
enum class Notice { Clipboard, FunctionInstructions, IntegralInstructions };

// The edits that the writers below make, for a caller that gathers several into one
// replacement of the file (SettingsFile::update).
void putHistories(Profile& profile, const Histories& histories);
void putWindowPosition(Profile& profile, const std::string& window, const WindowPosition& position);
void putRecentDocuments(Profile& profile, const std::vector<std::string>& paths);
std::vector<std::string> recentDocuments(const Profile& profile);

// Puts `path` at the top of the recent documents (an equal path is removed first); beyond
// kMaxRecentDocuments the oldest is dropped.
void addRecentDocument(std::vector<std::string>& paths, const std::string& path);

class SettingsFile {
public:
    explicit SettingsFile(std::string path, FileReplacer replace = defaultFileReplacer());

    const std::string& path() const { return m_path; }

    // The file's content now; a missing, unreadable or binary file reads as empty.
    Profile read() const;
    // Reads the file, applies `edit` and writes the result. A missing folder is created.
    // False when the file exists but cannot be read, or cannot be written.
    bool update(const std::function<void(Profile&)>& edit);

    // "Language" of "Options"; `unset` until a language has been stored.
    std::string language(const std::string& unset = "English") const;
    bool setLanguage(const std::string& name);

    void readViewSettings(graph::ViewSettings& view, const NumberLocale& locale) const;
    bool writeViewSettings(const graph::ViewSettings& view, const NumberLocale& locale);

    Histories readHistories() const;

    // The range window's saved texts, Xmin to Ystep; nothing when no range was ever saved,
    // "0" for a single missing key.
    std::optional<std::array<std::string, 6>> savedRange() const;
    bool saveRange(const std::array<std::string, 6>& texts);

    // "SmoothLines" of "Options": curves drawn antialiased; off unless stored.
    bool smoothLines() const;
    bool setSmoothLines(bool on);

    bool neverShow(Notice notice) const;
    bool setNeverShow(Notice notice, bool never);

    bool firstTime() const; // "FirstTime" of "Prog", default 0
    bool clearFirstTime();

    WindowPosition windowPosition(const std::string& window) const;
    bool saveWindowPosition(const std::string& window, const WindowPosition& position);

    // The documents last opened or saved, newest first (section "RecentDocuments").
    std::vector<std::string> recentDocuments() const;

private:
    std::string m_path;
    FileReplacer m_replace;
};

} // namespace lindor::files
