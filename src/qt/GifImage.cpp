#include "qt/GifImage.h"

#include <QPainter>

#include "gif/GifFile.h"
#include "gif/ReadBitmapPixels.h"
#include "lang/Language.h"

namespace lindor::qtgui {

gif::Bitmap24 bitmapFromImage(const QImage& image) {
    gif::Bitmap24 bitmap;
    if (image.isNull())
        return bitmap;
    QImage rgb;
    if (image.hasAlphaChannel()) {
        rgb = QImage(image.size(), QImage::Format_RGB32);
        rgb.fill(Qt::white);
        QPainter painter(&rgb);
        painter.drawImage(0, 0, image);
    } else {
        rgb = image.convertToFormat(QImage::Format_RGB32);
    }
    bitmap.width = rgb.width();
    bitmap.height = rgb.height();
    bitmap.rgb.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
    std::uint32_t* out = bitmap.rgb.data();
    for (int y = 0; y < bitmap.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < bitmap.width; ++x)
            *out++ = line[x] & 0xFFFFFFu;
    }
    return bitmap;
}

namespace {

std::string withName(std::string text, const std::string& name) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

} // namespace

bool saveGif(const QImage& image, const std::string& path, std::string& error,
             const gif::ProgressHook& progress, const lang::Language* translations) {
    try {
        gif::TColorTable table;
        gif::TByteArray2D matrix;
        gif::ReadBitmapPixels(bitmapFromImage(image), table, matrix, progress);
        gif::TGifFile file(progress);
        file.AddImage(table, matrix);
        file.SaveToFile(path);
        return true;
    } catch (const gif::ETooManyColors& e) {
        if (translations) {
            const lang::Language& language = *translations;
            error = language.text("GifTooManyColors");
        } else {
            error = e.what();
        }
    } catch (const gif::EGifFileError& e) {
        if (translations) {
            const lang::Language& language = *translations;
            error = withName(language.text("GifCannotWriteFile"), e.fileName()) + " (" +
                    e.reason() + ")";
        } else {
            error = e.what();
        }
    } catch (const std::exception& e) {
        // EGifException, ENotEnoughMemory, EIndexOutOfBounds: fixed English texts.
        error = e.what();
    }
    return false;
}

} // namespace lindor::qtgui
