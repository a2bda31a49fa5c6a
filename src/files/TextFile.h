// Reading a whole file, and replacing a file so that a failure never damages it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>

namespace lindor::files {

enum class ReadResult { Ok, Missing, Failed, TooLarge };

// Reads the file at `path` into `content`. Files larger than `maxSize` bytes are not
// read. On failure `error` holds the system's reason.
ReadResult readWholeFile(const std::string& path, std::string& content, std::string& error,
                         std::size_t maxSize);

// True for content that is not text: a NUL byte, or many control characters.
bool looksBinary(const std::string& content);

// The write(2) step of replaceFile, replaceable so that tests can simulate a full disk.
using WriteFunction = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

// Writes `content` to a new file in the folder of `path`, flushes it to the disk and
// renames it over `path`. When any step fails the new file is removed, `path` is left as
// it was, `error` holds the reason and false is returned. An existing file keeps its
// permission bits.
bool replaceFile(const std::string& path, const std::string& content, std::string& error,
                 const WriteFunction& write = nullptr);

// How the document and settings code replace a file; tests pass a failing one.
using FileReplacer =
    std::function<bool(const std::string& path, const std::string& content, std::string& error)>;

// replaceFile with the system's write(2).
FileReplacer defaultFileReplacer();

} // namespace lindor::files
