#include "files/ProfileLists.h"

#include <algorithm>

#include "files/Profile.h"

namespace lindor::files {

std::vector<std::string> readTextList(const Profile& profile, const std::string& section,
                                      const std::string& prefix, int maxEntries) {
    const int count = std::clamp(profile.readInteger(section, "Count", 0), 0, maxEntries);
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n)
        entries.push_back(profile.readString(section, prefix + std::to_string(n), ""));
    return entries;
}

void writeTextList(Profile& profile, const std::string& section, const std::string& prefix,
                   const std::vector<std::string>& entries) {
    profile.writeInteger(section, "Count", static_cast<int>(entries.size()));
    for (std::size_t n = 0; n < entries.size(); ++n)
        profile.writeString(section, prefix + std::to_string(n + 1), entries[n]);
}

} // namespace lindor::files
