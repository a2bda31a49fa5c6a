// Where the settings file and the run's state live.
#pragma once

#include <functional>
#include <string>

namespace lindor::files {

// Looks up an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;
// True when a regular file exists at the path.
using FileExists = std::function<bool(const std::string& path)>;

// The program file's name with its extension replaced by ".INI". It lives beside the
// program only when such a file is already there (a portable copy of the program in a
// folder of its own); otherwise in "$XDG_CONFIG_HOME/lindor/" or, when that variable is
// unset or not an absolute path, "$HOME/.config/lindor/". Empty when there is no usable
// HOME either: the program then runs with every default and keeps nothing.
std::string settingsFilePath(const std::string& programFile, const EnvironmentLookup& env,
                             const FileExists& exists);

// The process's environment (HOME falls back to the user's home folder in the password
// database) and stat(2).
std::string settingsFilePath(const std::string& programFile);

// The folder of the run's state (the recovery copies of unsaved work):
// "$XDG_STATE_HOME/lindor" or, when that variable is unset or not an absolute path,
// "$HOME/.local/state/lindor". Empty without a usable HOME: nothing is kept then.
std::string stateFolderPath(const EnvironmentLookup& env);
// The same for the process's environment.
std::string stateFolderPath();

} // namespace lindor::files
