#include "files/FileError.h"

#include "lang/Language.h"

namespace lindor::files {
namespace {

std::string withPath(std::string text, const std::string& path) {
    const std::size_t at = text.find("%s");
    if (at == std::string::npos)
        return text + " " + path;
    return text.replace(at, 2, path);
}

} // namespace

std::string describe(const FileStatus& status, const lang::Language& language) {
    std::string message;
    switch (status.kind) {
    case FileStatus::Kind::Ok:
        return {};
    case FileStatus::Kind::CannotOpen:
        message = withPath(language.text("CannotOpenDocument"), status.path);
        break;
    case FileStatus::Kind::NotADocument:
        message = withPath(language.text("NotALindorDocument"), status.path);
        break;
    case FileStatus::Kind::CannotSave:
        message = withPath(language.text("CannotSaveDocument"), status.path);
        break;
    }
    if (!status.detail.empty())
        message += "\n" + status.detail;
    return message;
}

std::string settingsNotWritten(const std::string& path, const lang::Language& language) {
    return withPath(language.text("CannotWriteSettingsFile"), path);
}

} // namespace lindor::files
