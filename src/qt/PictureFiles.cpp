#include "qt/PictureFiles.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <cctype>

#include "qt/GifImage.h"
#include "qt/PictureWrite.h"
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

bool saveImage(const QImage& image, PictureFormat format, const std::string& path,
               std::string& error, const lang::Language* translations) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == PictureFormat::Bmp ? "BMP" : "PNG");
    if (!writer.write(image)) {
        error = pictureWriteError(path, writer.errorString().toStdString(), translations);
        return false;
    }
    return writePictureFile(path, bytes, error, translations);
}

bool savePicture(GraphSurfaces& surfaces, const std::string& path, std::string& error,
                 const lang::Language* translations, const gif::ProgressHook& progress) {
    const PictureFormat format = pictureFormatOf(path);
    switch (format) {
    case PictureFormat::Png:
    case PictureFormat::Bmp:
        return saveImage(surfaces.image(), format, path, error, translations);
    case PictureFormat::Svg:
        return saveSvg(surfaces.recording(), path, error, translations);
    case PictureFormat::Gif:
        return saveGif(surfaces.image(), path, error, progress, translations);
    case PictureFormat::Unknown:
        break;
    }
    error = pictureWriteError(path, "unknown picture format (use .png, .bmp, .svg or .gif)",
                              translations);
    return false;
}

} // namespace lindor::qtgui
