#include "files/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace lindor::files {
namespace {

bool holdsFile(const std::filesystem::path& folder, const std::string& fileName) {
    std::error_code ec;
    return std::filesystem::is_regular_file(folder / fileName, ec);
}

} // namespace

std::string dataFolder(const std::string& programDir, const std::string& fileName) {
    if (programDir.empty())
        return programDir;
    const std::filesystem::path beside(programDir);
    if (holdsFile(beside, fileName))
        return programDir;
    const std::filesystem::path installed = beside / kInstalledDataFolder;
    if (holdsFile(installed, fileName)) {
        // "/usr/bin/../share/lindor" reads better as "/usr/share/lindor" in messages; the
        // file system resolves "..", so the tidy form names the same folder.
        std::error_code ec;
        const std::filesystem::path tidy = std::filesystem::weakly_canonical(installed, ec);
        return ec ? installed.string() : tidy.string();
    }
    return programDir;
}

} // namespace lindor::files
