#include "files/TextFile.h"

#include "util/AtomicFile.h"
#include "util/FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lindor::files {

ReadResult readWholeFile(const std::string& path, std::string& content, std::string& error,
                         std::size_t maxSize) {
    content.clear();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        error = std::strerror(errno);
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        error = std::strerror(errno);
        return ReadResult::Failed;
    }
    if (S_ISDIR(info.st_mode)) {
        error = std::strerror(EISDIR);
        return ReadResult::Failed;
    }
    if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > maxSize) {
        error = "file too large";
        return ReadResult::TooLarge;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = std::strerror(errno);
            content.clear();
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        // A file that grows while it is read, or a device without a size.
        if (content.size() + static_cast<std::size_t>(n) > maxSize) {
            error = "file too large";
            content.clear();
            return ReadResult::TooLarge;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return ReadResult::Ok;
}

bool looksBinary(const std::string& content) {
    std::size_t controls = 0;
    for (const char ch : content) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v')
            ++controls;
    }
    return controls > 8 && controls > content.size() / 100;
}

FileReplacer defaultFileReplacer() {
    return [](const std::string& path, const std::string& content, std::string& error) {
        return replaceFile(path, content, error);
    };
}

} // namespace lindor::files
