// Where the settings file lives.
#pragma once

#include <functional>
#include <string>

namespace lindor::files {

// Looks up an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;
// True when new files can be created in a folder.
using FolderWritable = std::function<bool(const std::string& folder)>;

// The program file's name with its extension replaced by ".INI", in the program's folder
// when that folder is writable (a build tree, a copy of the program in a folder of its
// own); otherwise in "$XDG_CONFIG_HOME/lindor/" or, when that variable is unset or not an
// absolute path, "$HOME/.config/lindor/". Without a usable HOME the program's folder is
// kept (writes then fail quietly, reads give the defaults).
std::string settingsFilePath(const std::string& programFile, const EnvironmentLookup& env,
                             const FolderWritable& writable);

// The process's environment and access(2).
std::string settingsFilePath(const std::string& programFile);

} // namespace lindor::files
