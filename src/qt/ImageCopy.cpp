#include "qt/ImageCopy.h"

#include <QPaintEngine>
#include <cmath>
#include <cstring>

namespace lindor::qtgui {

namespace {

// The image the painter writes to, when rows may be copied into it directly, and the
// painter's offset on it.
QImage* directTarget(QPainter& painter, const QImage& image, QPoint& offset) {
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
        !target->isDetached() || target->devicePixelRatio() != 1.0)
        return nullptr;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) ||
        t.dy() != std::floor(t.dy()))
        return nullptr;
    offset = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    return target;
}

} // namespace

void copyImageRegion(QPainter& painter, const QImage& image, const QRegion& region) {
    QPoint offset;
    QImage* target = directTarget(painter, image, offset);
    if (!target) {
        for (const QRect& r : region)
            painter.drawImage(r.topLeft(), image, r);
        return;
    }
    // Opaque 32-bit pixels are the same bits in all three formats.
    QRegion inside = region.translated(offset) & target->rect() & image.rect().translated(offset);
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
