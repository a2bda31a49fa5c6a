#include "files/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lindor::files {
namespace {

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now, reporting the result (a deferred write error can show up here).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

} // namespace

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

bool replaceFile(const std::string& requestedPath, const std::string& content, std::string& error,
                 const WriteFunction& write) {
    // A link is followed, so that the file it points to is replaced, not the link.
    std::string path = requestedPath;
    if (char* real = ::realpath(requestedPath.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        error = path + ": " + std::strerror(EISDIR);
        return false;
    }

    std::string temp = folderOf(path) + "/.lindor-XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        error = systemError(folderOf(path));
        return false;
    }
    bool ok = true;
    const char* data = content.data();
    std::size_t left = content.size();
    while (ok && left > 0) {
        const ssize_t n = write ? write(fd.get(), data, left) : ::write(fd.get(), data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            error = systemError(path);
            ok = false;
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    // mkstemp creates the file for the owner only; a replaced file keeps its own mode,
    // a new one gets the usual mode for new files.
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (ok && ::fchmod(fd.get(), mode) != 0) {
        error = systemError(path);
        ok = false;
    }
    if (ok && ::fsync(fd.get()) != 0) {
        error = systemError(path);
        ok = false;
    }
    if (!fd.close() && ok) {
        error = systemError(path);
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = systemError(path);
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return true;
}

FileReplacer defaultFileReplacer() {
    return [](const std::string& path, const std::string& content, std::string& error) {
        return replaceFile(path, content, error);
    };
}

} // namespace lindor::files
