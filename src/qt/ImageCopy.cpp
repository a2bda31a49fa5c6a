#include "qt/ImageCopy.h"

#include <QPaintEngine>
#include <cmath>
#include <cstring>

namespace lindor::qtgui {

namespace {

// The image the painter writes to, when rows may be copied into it directly, and the
// painter's offset on it.
QImage* directTarget(QPainter& painter, const QImage& image, double pixelRatio, QPoint& offset) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter.hasClipping() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        !qFuzzyCompare(painter.opacity(), 1.0) || image.format() != QImage::Format_RGB32)
        return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    QImage* target = static_cast<QImage*>(device);
    const QImage::Format f = target->format();
    if ((f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied &&
         f != QImage::Format_ARGB32) ||
        !target->isDetached() || target->devicePixelRatio() != pixelRatio)
        return nullptr;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != pixelRatio || t.m22() != pixelRatio ||
        t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
        return nullptr;
    offset = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    return target;
}

// The region in image pixels.
QRegion toImageRegion(const QRegion& region, double pixelRatio) {
    if (pixelRatio == 1.0)
        return region;
    QRegion pixels;
    for (const QRect& r : region)
        pixels += toImagePixels(r, pixelRatio);
    return pixels;
}

} // namespace

QRect toImagePixels(const QRect& units, double pixelRatio) {
    if (pixelRatio == 1.0 || units.isEmpty())
        return units;
    const int left = static_cast<int>(std::floor(units.left() * pixelRatio));
    const int top = static_cast<int>(std::floor(units.top() * pixelRatio));
    const int right = static_cast<int>(std::ceil((units.right() + 1) * pixelRatio));
    const int bottom = static_cast<int>(std::ceil((units.bottom() + 1) * pixelRatio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect toUnits(const QRect& pixels, double pixelRatio) {
    if (pixelRatio == 1.0 || pixels.isEmpty())
        return pixels;
    const int left = static_cast<int>(std::floor(pixels.left() / pixelRatio));
    const int top = static_cast<int>(std::floor(pixels.top() / pixelRatio));
    const int right = static_cast<int>(std::ceil((pixels.right() + 1) / pixelRatio));
    const int bottom = static_cast<int>(std::ceil((pixels.bottom() + 1) / pixelRatio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void copyImageRegion(QPainter& painter, const QImage& image, const QRegion& region,
                     double pixelRatio) {
    QPoint offset;
    QImage* target = directTarget(painter, image, pixelRatio, offset);
    if (!target) {
        for (const QRect& r : region) {
            if (pixelRatio == 1.0) {
                painter.drawImage(r.topLeft(), image, r);
                continue;
            }
            // Whole image pixels onto the units they cover.
            const QRect pixels = toImagePixels(r, pixelRatio);
            painter.drawImage(QRectF(pixels.left() / pixelRatio, pixels.top() / pixelRatio,
                                     pixels.width() / pixelRatio, pixels.height() / pixelRatio),
                              image, QRectF(pixels));
        }
        return;
    }
    // Opaque 32-bit pixels are the same bits in all three formats.
    QRegion inside = toImageRegion(region, pixelRatio).translated(offset) & target->rect() &
                     image.rect().translated(offset);
    const QRegion systemClip = painter.paintEngine()->systemClip();
    if (!systemClip.isEmpty())
        inside &= systemClip;
    uchar* to = target->bits();
    const qsizetype toStride = target->bytesPerLine();
    const uchar* from = image.constBits();
    const qsizetype fromStride = image.bytesPerLine();
    // The rectangles of a region come in bands of equal rows. Band by band, row by row, so
    // that the pieces of one row, which lie on the same few memory pages, follow each other.
    const QRect* rect = inside.begin();
    const QRect* const end = inside.end();
    while (rect != end) {
        const QRect* bandEnd = rect;
        while (bandEnd != end && bandEnd->top() == rect->top() &&
               bandEnd->bottom() == rect->bottom())
            ++bandEnd;
        for (int y = rect->top(); y <= rect->bottom(); ++y) {
            uchar* toRow = to + y * toStride;
            const uchar* fromRow = from + (y - offset.y()) * fromStride - offset.x() * 4;
            for (const QRect* r = rect; r != bandEnd; ++r)
                std::memcpy(toRow + r->left() * 4, fromRow + r->left() * 4,
                            static_cast<std::size_t>(r->width()) * 4);
        }
        rect = bandEnd;
    }
}

} // namespace lindor::qtgui
