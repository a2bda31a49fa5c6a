// Reading a whole file, and how the document and settings code replace one.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace lindor::files {

enum class ReadResult { Ok, Missing, Failed, TooLarge };

// Reads the file at `path` into `content`. Files larger than `maxSize` bytes are not
// read. On failure `error` holds the system's reason.
ReadResult readWholeFile(const std::string& path, std::string& content, std::string& error,
                         std::size_t maxSize);

// True for content that is not text: a NUL byte, or many control characters.
bool looksBinary(const std::string& content);

// How the document and settings code replace a file; tests pass a failing one.
using FileReplacer =
    std::function<bool(const std::string& path, const std::string& content, std::string& error)>;

// lindor::replaceFile (util/AtomicFile.h) with the system's write(2).
FileReplacer defaultFileReplacer();

} // namespace lindor::files
