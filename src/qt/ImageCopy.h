// Copying parts of a picture onto a painter's device as fast as the device allows.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>

namespace lindor::qtgui {

// Paints the parts `region` (in the painter's coordinates) of `image`, placed at (0, 0),
// through `painter`, as QPainter::drawImage would. `image` holds `pixelRatio` pixels to
// one unit of the painter's coordinates (2 for a picture drawn in the device pixels of a
// screen at 200 %); each part takes the whole image pixels it touches. When the painter is
// the raster engine on a 32-bit image of the same pixel ratio (a window's backing store),
// with no clip of its own, full opacity and no transformation but that ratio and a move by
// whole pixels, the rows are copied straight into that image, inside the painter's system
// clip: many times faster than drawImage for a region of many small parts, whose clip
// QPainter follows span by span. Otherwise, or when `image` is not Format_RGB32, through
// drawImage.
void copyImageRegion(QPainter& painter, const QImage& image, const QRegion& region,
                     double pixelRatio = 1.0);

// The rectangle of image pixels that a rectangle of units covers at `pixelRatio` image
// pixels to a unit (whole pixels, rounded outwards), and the reverse.
QRect toImagePixels(const QRect& units, double pixelRatio);
QRect toUnits(const QRect& pixels, double pixelRatio);

} // namespace lindor::qtgui
