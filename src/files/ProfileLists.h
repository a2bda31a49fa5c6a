// Numbered text lists in a profile: a "Count" key and the texts under prefix + 1,
// prefix + 2, ... (histories and the plotted lists of a document).
#pragma once

#include <string>
#include <vector>

namespace lindor::files {

class Profile;

// Reads "Count" (default 0) and then prefix + n for n from 1 to Count, each defaulting to
// an empty text. Count rules: further numbered keys are ignored. A negative Count reads
// as 0 and one above `maxEntries` as `maxEntries`.
std::vector<std::string> readTextList(const Profile& profile, const std::string& section,
                                      const std::string& prefix, int maxEntries);

// Writes "Count" and prefix + n for every entry; numbered keys above the new count are
// left as they are.
void writeTextList(Profile& profile, const std::string& section, const std::string& prefix,
                   const std::vector<std::string>& entries);

} // namespace lindor::files
