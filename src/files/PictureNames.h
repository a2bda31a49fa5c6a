// The name a picture is saved under: the name the user chose, with the extension of the
// picture's format when it has another one or none.
#pragma once

#include <string>

namespace lindor::files {

// `path` when its extension is `extension` in any letter case ("a.bmp" and "a.BMP" stay
// for ".BMP"); otherwise `path` with its extension replaced by `extension` ("a.txt"
// becomes "a.BMP"), or with `extension` added when it has none ("a" and "a." become
// "a.BMP"). Only the last part of the path is looked at; a dot that starts the file name
// (".hidden") does not begin an extension. `extension` includes its dot.
std::string withPictureExtension(const std::string& path, const std::string& extension);

} // namespace lindor::files
