#include "files/SettingsPath.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lindor::files {
namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

} // namespace

std::string settingsFilePath(const std::string& programFile, const EnvironmentLookup& env,
                             const FileExists& exists) {
    const std::size_t slash = programFile.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : programFile.substr(0, slash);
    std::string name = slash == std::string::npos ? programFile : programFile.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    if (name.empty())
        name = "lindor";
    const std::string fileName = name + ".INI";

    const std::string beside = folder + "/" + fileName;
    if (exists(beside))
        return beside;
    const char* config = env("XDG_CONFIG_HOME");
    if (isAbsolute(config))
        return std::string(config) + "/lindor/" + fileName;
    const char* home = env("HOME");
    if (isAbsolute(home))
        return std::string(home) + "/.config/lindor/" + fileName;
    return {};
}

std::string stateFolderPath(const EnvironmentLookup& env) {
    const char* state = env("XDG_STATE_HOME");
    if (isAbsolute(state))
        return std::string(state) + "/lindor";
    const char* home = env("HOME");
    if (isAbsolute(home))
        return std::string(home) + "/.local/state/lindor";
    return {};
}

namespace {

const char* processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr && std::strcmp(name, "HOME") == 0) {
        if (const passwd* user = ::getpwuid(::getuid()))
            return user->pw_dir;
    }
    return value;
}

} // namespace

std::string stateFolderPath() {
    return stateFolderPath(processEnvironment);
}

std::string settingsFilePath(const std::string& programFile) {
    return settingsFilePath(programFile, processEnvironment, [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    });
}

} // namespace lindor::files
