// The outcome of reading or writing a document, and its message for the user.
#pragma once

#include <string>

namespace lindor::lang {
class Language;
}

namespace lindor::files {

struct FileStatus {
    enum class Kind {
        Ok,
        CannotOpen,   // missing, unreadable, a folder, or too large
        NotADocument, // binary data or text without any section
        CannotSave,   // the document could not be written; the old file is unchanged
    };
    Kind kind = Kind::Ok;
    std::string path;
    std::string detail; // the system's reason, when there is one

    bool ok() const { return kind == Kind::Ok; }
};

// The translated message naming the file, followed by the system's reason on a line of
// its own when there is one. Empty for Ok.
std::string describe(const FileStatus& status, const lang::Language& language);

// The translated message that the settings file at `path` could not be written.
std::string settingsNotWritten(const std::string& path, const lang::Language& language);

} // namespace lindor::files
