#include "gif/FileWriter.h"

#include "gif/GifDecl.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace lindor::gif {
namespace fs = std::filesystem;

namespace {

std::string systemReason(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("write failed");
}

// Opens a new file of a fresh name in `folder` for writing; never reuses an existing name.
std::FILE* createTemporary(const fs::path& folder, const std::string& base, fs::path& name,
                           int& error) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder / ("." + base + "." + std::to_string(random() % 1000000u) + ".tmp");
        errno = 0;
        // "x": fail rather than open a file that already exists.
        if (std::FILE* file = std::fopen(name.c_str(), "wbx"))
            return file;
        error = errno;
        if (error != EEXIST)
            return nullptr;
    }
    return nullptr;
}

} // namespace

void writeFileReplacing(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    if (fileName.empty())
        throw EGifFileError(fileName, "no file name given");
    const fs::path target(fileName);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        throw EGifFileError(fileName, "it is a folder");
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    fs::path temporary;
    int error = 0;
    std::FILE* file = createTemporary(folder, target.filename().string(), temporary, error);
    if (!file)
        throw EGifFileError(fileName, systemReason(error));

    errno = 0;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (ok && std::fflush(file) != 0)
        ok = false;
    error = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        fs::remove(temporary, ec);
        throw EGifFileError(fileName, systemReason(error));
    }

    // A file that is replaced keeps its permissions.
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temporary, old.permissions(), ec);

    fs::rename(temporary, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temporary, ec);
        throw EGifFileError(fileName, reason);
    }
}

} // namespace lindor::gif
