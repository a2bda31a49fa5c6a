#include "qt/PictureFiles.h"

#include <QImageWriter>
#include <algorithm>
#include <cctype>

#include "qt/GifImage.h"
#include "qt/SvgOutput.h"

namespace lindor::qtgui {

PictureFormat pictureFormatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return PictureFormat::Unknown;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "png")
        return PictureFormat::Png;
    if (ext == "bmp")
        return PictureFormat::Bmp;
    if (ext == "svg")
        return PictureFormat::Svg;
    if (ext == "gif")
        return PictureFormat::Gif;
    return PictureFormat::Unknown;
}

namespace {

bool saveImage(const QImage& image, const std::string& path, const char* format,
               std::string& error) {
    QImageWriter writer(QString::fromStdString(path), format);
    if (!writer.write(image)) {
        error = "Cannot write " + path + ": " + writer.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace

bool savePicture(GraphSurfaces& surfaces, const std::string& path, std::string& error) {
    switch (pictureFormatOf(path)) {
    case PictureFormat::Png:
        return saveImage(surfaces.image(), path, "PNG", error);
    case PictureFormat::Bmp:
        return saveImage(surfaces.image(), path, "BMP", error);
    case PictureFormat::Svg:
        return saveSvg(surfaces.recording(), path, error);
    case PictureFormat::Gif:
        return saveGif(surfaces.image(), path, error);
    case PictureFormat::Unknown:
        break;
    }
    error = "Cannot write " + path + ": unknown picture format (use .png, .bmp, .svg or .gif)";
    return false;
}

} // namespace lindor::qtgui
