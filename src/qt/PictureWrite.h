// Writing the bytes of a picture file, and the message when that fails.
#pragma once

#include <QByteArray>
#include <string>

namespace lindor::lang {
class Language;
}

namespace lindor::qtgui {

// Writes `bytes` through replaceFile (util/AtomicFile.h): a new file beside `path` replaces
// it whole, so on failure an older file of that name is left as it was. On failure returns
// false with `error` set as pictureWriteError describes.
bool writePictureFile(const std::string& path, const QByteArray& bytes, std::string& error,
                      const lang::Language* translations = nullptr);

// "The picture PATH could not be written. (REASON)" in the language of `translations`, or
// in the built-in English when that is null.
std::string pictureWriteError(const std::string& path, const std::string& reason,
                              const lang::Language* translations);

} // namespace lindor::qtgui
