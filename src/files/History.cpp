#include "files/History.h"

#include <algorithm>

#include "files/SettingsFile.h"

namespace lindor::files {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
           });
}

void addToHistory(std::vector<std::string>& history, const std::string& text) {
    const auto same = std::find_if(history.begin(), history.end(), [&](const std::string& entry) {
        return equalIgnoringCase(entry, text);
    });
    if (same != history.end())
        history.erase(same);
    history.insert(history.begin(), text);
    if (history.size() > static_cast<std::size_t>(kMaxHistoryEntries))
        history.resize(static_cast<std::size_t>(kMaxHistoryEntries));
}

} // namespace lindor::files
