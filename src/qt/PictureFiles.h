// Saving the graph picture to a file chosen by its extension: .png and .bmp from the
// bitmap, .svg from the recording, .gif through the GIF writer. Every file is written
// whole through a new file beside it (util/AtomicFile.h), so a failure leaves an older
// file of that name as it was. On failure these return false with a message that names
// the file and the system's reason, in the language of `translations` (the built-in
// English texts when null), ready to be shown to the user.
#pragma once

#include <QImage>
#include <string>

#include "gif/GifDecl.h"
#include "qt/GraphSurfaces.h"

namespace lindor::lang {
class Language;
}

namespace lindor::qtgui {

enum class PictureFormat { Png, Bmp, Svg, Gif, Unknown };

// The format named by the extension of `path`, in any letter case.
PictureFormat pictureFormatOf(const std::string& path);

// The bitmap as a PNG or BMP file (`format` is Png or Bmp).
bool saveImage(const QImage& image, PictureFormat format, const std::string& path,
               std::string& error, const lang::Language* translations = nullptr);

// The picture in the format of the extension of `path`; also false with a message when the
// extension is not known. `progress` follows a GIF file's scan and coding.
bool savePicture(GraphSurfaces& surfaces, const std::string& path, std::string& error,
                 const lang::Language* translations = nullptr,
                 const gif::ProgressHook& progress = {});

} // namespace lindor::qtgui
