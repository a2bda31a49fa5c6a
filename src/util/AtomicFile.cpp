#include "util/AtomicFile.h"
#include "util/FileDescriptor.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lindor {
namespace {

// Symbolic links followed before giving up, as the system does for a path.
constexpr int kMaxLinks = 40;
// Room left in a file name for the temporary's prefix and suffix.
constexpr std::size_t kMaxBaseInTemporary = 200;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that `path` finally names: every symbolic link on the way is followed, also
// one that points to a file that does not exist yet.
bool followLinks(const std::string& path, std::string& target, std::string& reason) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), link, sizeof link);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof link) {
            reason = std::strerror(n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG);
            return false;
        }
        const std::string next(link, static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    reason = std::strerror(ELOOP);
    return false;
}

std::string randomSuffix() {
    thread_local std::mt19937_64 random{std::random_device{}()};
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix(8, '0');
    for (char& c : suffix)
        c = digits[random() % (sizeof digits - 1)];
    return suffix;
}

// A new file of a fresh name in `folder`, created with mode 0666 so that the umask
// applies; never an existing file.
int createTemporary(const std::string& folder, const std::string& base, std::string& name) {
    const std::string stem = folder + "/." + base.substr(0, kMaxBaseInTemporary) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + randomSuffix() + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const char* data, std::size_t size, const WriteFunction& write) {
    while (size > 0) {
        const ssize_t n = write ? write(fd, data, size) : ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool replaceFile(const std::string& path, const char* data, std::size_t size, std::string& reason,
                 const WriteFunction& write) {
    if (path.empty()) {
        reason = "no file name given";
        return false;
    }
    std::string target;
    if (!followLinks(path, target, reason))
        return false;
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        reason = "not a regular file";
        return false;
    }

    const std::string folder = folderOf(target);
    std::string temporary;
    FileDescriptor fd(createTemporary(folder, baseOf(target), temporary));
    if (fd.get() < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = writeAll(fd.get(), data, size, write);
    if (ok && exists) {
        // Owner first: changing it clears the set-user-ID bits that the mode restores.
        // Only a privileged process may give the file to someone else; that failure is
        // not the caller's concern.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd.get(), old.st_uid, old.st_gid);
        ok = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd.get()) == 0;
    int error = ok ? 0 : errno;
    if (!fd.close() && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        reason = std::strerror(error);
        return false;
    }
    // Make the rename itself durable. The file is already replaced, so a folder that
    // cannot be flushed is not reported.
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
    return true;
}

} // namespace lindor
