// Putting the graph picture and the log lines on paper (a printer or a PDF document).
#pragma once

#include <QImage>
#include <QSize>
#include <QStringList>

class QPagedPaintDevice;

namespace lindor::ui {

// The size, in device pixels, of a picture of `picture` screen pixels printed at its size
// on the screen: each side times deviceDpi / screenDpi. When that does not fit in `page`
// (the printable area in device pixels), both sides are scaled down by the same factor
// until it does.
QSize printedPictureSize(QSize picture, double screenDpi, double deviceDpiX, double deviceDpiY,
                         QSize page);

// Prints `picture` on one page of `device`, at the top-left corner of the printable area,
// at printedPictureSize. False when the device cannot be painted on.
bool printPicture(QPagedPaintDevice& device, const QImage& picture, double screenDpi);

// Prints the lines in order, one printed line each, in the default font, starting a new
// page when a page is full. No lines print one empty page. False when the device cannot
// be painted on.
bool printLines(QPagedPaintDevice& device, const QStringList& lines);

} // namespace lindor::ui
