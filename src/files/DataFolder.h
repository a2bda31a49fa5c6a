// Where the program's data files (language files, help files) are found.
#pragma once

#include <string>

namespace lindor::files {

// The folder of an installed copy's data files, relative to the program's folder
// (bin/lindor and share/lindor/ under one prefix).
constexpr const char* kInstalledDataFolder = "../share/lindor";

// The folder that holds the data file `fileName`: the program's own folder when the file
// is there (a build tree, a copy of Lindor in a folder of its own), otherwise
// `programDir/../share/lindor` when the file is there (an installed copy). When neither
// holds it, the program's folder, so that the message about the missing file names the
// place a user would look first. An empty `programDir` gives an empty result.
std::string dataFolder(const std::string& programDir, const std::string& fileName);

} // namespace lindor::files
