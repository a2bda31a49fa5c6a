#include "qt/PictureWrite.h"

#include "lang/Language.h"
#include "util/AtomicFile.h"

namespace lindor::qtgui {

std::string pictureWriteError(const std::string& path, const std::string& reason,
                              const lang::Language* translations) {
    const lang::Language& language =
        translations != nullptr ? *translations : lang::builtinEnglish();
    std::string text = language.text("PictureCannotWriteFile");
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    else
        text += " " + path;
    return text + " (" + reason + ")";
}

bool writePictureFile(const std::string& path, const QByteArray& bytes, std::string& error,
                      const lang::Language* translations) {
    std::string reason;
    if (replaceFile(path, bytes.constData(), static_cast<std::size_t>(bytes.size()), reason))
        return true;
    error = pictureWriteError(path, reason, translations);
    return false;
}

} // namespace lindor::qtgui
