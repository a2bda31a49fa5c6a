#include "files/SettingsFile.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <utility>

#include "files/ProfileLists.h"
#include "files/ViewSettingsIO.h"

namespace lindor::files {

const char* const kFrameWindow = "MDIFrame";
const char* const kFunctionPadWindow = "FunctionPadWindow";
const char* const kRangeWindow = "RangeWindow";
const char* const kLogWindow = "LogWindow";
const char* const kGraphWindow = "GraphWindow";

namespace {

// A settings file is a few kilobytes; anything near this size is not one.
constexpr std::size_t kMaxSettingsSize = 64u * 1024u * 1024u;

const char* noticeKey(Notice notice) {
    switch (notice) {
    case Notice::Clipboard:
        return "NeverShowClipboardMessage";
    case Notice::FunctionInstructions:
        return "NeverShowFunctionMessage";
    case Notice::IntegralInstructions:
        return "NeverShowIntegralMessage";
    }
    return "NeverShowClipboardMessage";
}

std::string rangeKey(std::size_t row) {
    return "Cells[1," + std::to_string(row) + "]";
}

// Creates the folders of `path` that are missing (like mkdir -p on its folder).
void makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
            return;
    }
}

} // namespace

SettingsFile::SettingsFile(std::string path, FileReplacer replace)
    : m_path(std::move(path)), m_replace(std::move(replace)) {}

Profile SettingsFile::read() const {
    std::string content;
    std::string error;
    if (readWholeFile(m_path, content, error, kMaxSettingsSize) != ReadResult::Ok ||
        looksBinary(content))
        return Profile();
    return Profile::parse(content);
}

bool SettingsFile::update(const std::function<void(Profile&)>& edit) {
    std::string content;
    std::string error;
    Profile profile;
    switch (readWholeFile(m_path, content, error, kMaxSettingsSize)) {
    case ReadResult::Ok:
        // A damaged (binary) settings file is replaced rather than patched.
        if (!looksBinary(content))
            profile = Profile::parse(content);
        break;
    case ReadResult::Missing:
        makeFolders(m_path);
        break;
    case ReadResult::Failed:
    case ReadResult::TooLarge:
        return false; // never overwrite what could not be read
    }
    edit(profile);
    return m_replace(m_path, profile.toText(), error);
}

std::string SettingsFile::language(const std::string& unset) const {
    return read().readString("Options", "Language", unset);
}

bool SettingsFile::setLanguage(const std::string& name) {
    return update([&](Profile& p) { p.writeString("Options", "Language", name); });
}

void SettingsFile::readViewSettings(graph::ViewSettings& view, const NumberLocale& locale) const {
    files::readViewSettings(read(), view, locale);
}

bool SettingsFile::writeViewSettings(const graph::ViewSettings& view, const NumberLocale& locale) {
    return update([&](Profile& p) { files::writeViewSettings(p, view, locale); });
}

Histories SettingsFile::readHistories() const {
    const Profile p = read();
    Histories h;
    h.functions = readTextList(p, "FunctionCombo", "F", kMaxHistoryEntries);
    h.integrals = readTextList(p, "IntegralCombo", "I", kMaxHistoryEntries);
    return h;
}

void putHistories(Profile& profile, const Histories& histories) {
    writeTextList(profile, "FunctionCombo", "F", histories.functions);
    writeTextList(profile, "IntegralCombo", "I", histories.integrals);
}

std::optional<std::array<std::string, 6>> SettingsFile::savedRange() const {
    const Profile p = read();
    std::array<std::string, 6> texts;
    bool anySaved = false;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        anySaved = anySaved || p.hasKey("Range", rangeKey(row));
        texts[row] = p.readString("Range", rangeKey(row), "0");
    }
    if (!anySaved)
        return std::nullopt;
    return texts;
}

bool SettingsFile::saveRange(const std::array<std::string, 6>& texts) {
    return update([&](Profile& p) {
        for (std::size_t row = 0; row < texts.size(); ++row)
            p.writeString("Range", rangeKey(row), texts[row]);
    });
}

bool SettingsFile::smoothLines() const {
    return read().readFlag("Options", "SmoothLines", false);
}

bool SettingsFile::setSmoothLines(bool on) {
    return update([on](Profile& p) { p.writeFlag("Options", "SmoothLines", on); });
}

bool SettingsFile::neverShow(Notice notice) const {
    return read().readFlag("Options", noticeKey(notice), false);
}

bool SettingsFile::setNeverShow(Notice notice, bool never) {
    return update([&](Profile& p) { p.writeFlag("Options", noticeKey(notice), never); });
}

bool SettingsFile::firstTime() const {
    return read().readFlag("Prog", "FirstTime", false);
}

bool SettingsFile::clearFirstTime() {
    return update([](Profile& p) { p.writeFlag("Prog", "FirstTime", false); });
}

WindowPosition SettingsFile::windowPosition(const std::string& window) const {
    WindowPosition defaults;
    if (window == kFrameWindow) {
        defaults.width = 640;
        defaults.height = 480;
    }
    const Profile p = read();
    WindowPosition position;
    position.left = p.readInteger(window, "Left", defaults.left);
    position.top = p.readInteger(window, "Top", defaults.top);
    position.width = p.readInteger(window, "Width", defaults.width);
    position.height = p.readInteger(window, "Height", defaults.height);
    return position;
}

void putWindowPosition(Profile& profile, const std::string& window,
                       const WindowPosition& position) {
    profile.writeInteger(window, "Left", position.left);
    profile.writeInteger(window, "Top", position.top);
    profile.writeInteger(window, "Width", position.width);
    profile.writeInteger(window, "Height", position.height);
}

bool SettingsFile::saveWindowPosition(const std::string& window, const WindowPosition& position) {
    return update([&](Profile& p) { putWindowPosition(p, window, position); });
}

void putRecentDocuments(Profile& profile, const std::vector<std::string>& paths) {
    writeTextList(profile, "RecentDocuments", "File", paths);
}

void addRecentDocument(std::vector<std::string>& paths, const std::string& path) {
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    if (paths.size() > static_cast<std::size_t>(kMaxRecentDocuments))
        paths.resize(kMaxRecentDocuments);
}

std::vector<std::string> recentDocuments(const Profile& profile) {
    return readTextList(profile, "RecentDocuments", "File", kMaxRecentDocuments);
}

std::vector<std::string> SettingsFile::recentDocuments() const {
    return files::recentDocuments(read());
}

} // namespace lindor::files
