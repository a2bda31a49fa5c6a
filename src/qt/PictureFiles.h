// Saving the graph picture to a file chosen by its extension: .png and .bmp from the
// bitmap, .svg from the recording, .gif through the GIF writer.
#pragma once

#include <string>

#include "qt/GraphSurfaces.h"

namespace lindor::qtgui {

enum class PictureFormat { Png, Bmp, Svg, Gif, Unknown };

// The format named by the extension of `path`, in any letter case.
PictureFormat pictureFormatOf(const std::string& path);

// False with a message when the extension is not known or the file cannot be written.
bool savePicture(GraphSurfaces& surfaces, const std::string& path, std::string& error);

} // namespace lindor::qtgui
