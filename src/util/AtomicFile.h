// Replacing a file whole: the one way every file of the program is written.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>

namespace lindor {

// The write(2) step of replaceFile, replaceable so that tests can simulate a full disk.
using WriteFunction = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

// Writes `size` bytes to a new file in the folder of `path`, flushes it to the disk,
// renames it over `path` and flushes the folder, so that `path` holds either its old
// content or the whole new one.
// - A symbolic link at `path` is followed: the file it points to is replaced, the link
//   stays a link.
// - A replaced file keeps its permission bits (and its owner and group where the process
//   may set them); a new file gets 0666 less the process's umask.
// - When any step fails the new file is removed, `path` is left as it was, `reason` holds
//   the system's reason (without the file name) and false is returned.
// Safe to call from several threads at once.
bool replaceFile(const std::string& path, const char* data, std::size_t size, std::string& reason,
                 const WriteFunction& write = nullptr);

inline bool replaceFile(const std::string& path, const std::string& content, std::string& reason,
                        const WriteFunction& write = nullptr) {
    return replaceFile(path, content.data(), content.size(), reason, write);
}

} // namespace lindor
