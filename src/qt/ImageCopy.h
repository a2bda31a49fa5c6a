// Copying parts of a picture onto a painter's device as fast as the device allows.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>

namespace lindor::qtgui {

// Paints the parts `region` (in the painter's coordinates) of `image`, placed at (0, 0),
// through `painter`, as QPainter::drawImage would. When the painter paints without
// antialiasing transformation onto a 32-bit image (a window's backing store) and is only
// moved by whole pixels, the rows are copied straight into that image, inside the
// painter's system clip; this is many times faster than drawImage for a region of many
// small parts, whose clip QPainter would otherwise follow span by span. `image` must be
// Format_RGB32.
void copyImageRegion(QPainter& painter, const QImage& image, const QRegion& region);

} // namespace lindor::qtgui
