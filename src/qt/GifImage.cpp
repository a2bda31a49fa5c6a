#include "qt/GifImage.h"

#include <QPainter>
#include <algorithm>
#include <unordered_map>
#include <vector>

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

QImage withAtMostColours(const QImage& image, int count) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::unordered_map<QRgb, long long> frequency;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++frequency[line[x] | 0xFF000000u];
    }
    if (static_cast<int>(frequency.size()) <= count)
        return image;
    std::vector<std::pair<QRgb, long long>> byFrequency(frequency.begin(), frequency.end());
    std::sort(byFrequency.begin(), byFrequency.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    std::vector<QRgb> kept;
    for (int i = 0; i < count; ++i)
        kept.push_back(byFrequency[static_cast<std::size_t>(i)].first);
    std::unordered_map<QRgb, QRgb> nearest;
    for (std::size_t i = static_cast<std::size_t>(count); i < byFrequency.size(); ++i) {
        const QRgb c = byFrequency[i].first;
        long best = -1;
        for (QRgb k : kept) {
            const long dr = qRed(c) - qRed(k);
            const long dg = qGreen(c) - qGreen(k);
            const long db = qBlue(c) - qBlue(k);
            const long distance = dr * dr + dg * dg + db * db;
            if (best < 0 || distance < best) {
                best = distance;
                nearest[c] = k;
            }
        }
    }
    for (int y = 0; y < rgb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(rgb.scanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const auto found = nearest.find(line[x] | 0xFF000000u);
            if (found != nearest.end())
                line[x] = found->second;
        }
    }
    return rgb;
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
