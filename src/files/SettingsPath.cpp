#include "files/SettingsPath.h"

#include <cstdlib>
#include <unistd.h>

namespace lindor::files {
namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

} // namespace

std::string settingsFilePath(const std::string& programFile, const EnvironmentLookup& env,
                             const FolderWritable& writable) {
    const std::size_t slash = programFile.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : programFile.substr(0, slash);
    std::string name = slash == std::string::npos ? programFile : programFile.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    if (name.empty())
        name = "lindor";
    const std::string fileName = name + ".INI";

    if (writable(folder))
        return folder + "/" + fileName;
    const char* config = env("XDG_CONFIG_HOME");
    if (isAbsolute(config))
        return std::string(config) + "/lindor/" + fileName;
    const char* home = env("HOME");
    if (isAbsolute(home))
        return std::string(home) + "/.config/lindor/" + fileName;
    return folder + "/" + fileName;
}

std::string settingsFilePath(const std::string& programFile) {
    return settingsFilePath(
        programFile, [](const char* name) { return std::getenv(name); },
        [](const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; });
}

} // namespace lindor::files
