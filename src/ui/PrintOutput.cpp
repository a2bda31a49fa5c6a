#include "ui/PrintOutput.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace lindor::ui {

QSize printedPictureSize(QSize picture, double screenDpi, double deviceDpiX, double deviceDpiY,
                         QSize page) {
    if (picture.isEmpty() || page.isEmpty() || screenDpi <= 0)
        return {};
    double width = picture.width() * deviceDpiX / screenDpi;
    double height = picture.height() * deviceDpiY / screenDpi;
    const double shrink = std::min({1.0, page.width() / width, page.height() / height});
    width *= shrink;
    height *= shrink;
    return {std::max(1, static_cast<int>(std::floor(width))),
            std::max(1, static_cast<int>(std::floor(height)))};
}

bool printPicture(QPagedPaintDevice& device, const QImage& picture, double screenDpi) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSize size =
        printedPictureSize(picture.size(), screenDpi, device.logicalDpiX(), device.logicalDpiY(),
                           QSize(device.width(), device.height()));
    // Every screen pixel becomes a sharp square on paper.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!size.isEmpty())
        painter.drawImage(QRect(QPoint(0, 0), size), picture);
    return painter.end();
}

bool printLines(QPagedPaintDevice& device, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Laid out at the device's resolution on pages of its printable area; a line never
    // straddles two pages.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(QFont());
    const QSizeF page(device.width(), device.height());
    document.setPageSize(page);
    document.setPlainText(lines.join(QLatin1Char('\n')));
    const int pages = std::max(1, document.pageCount());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        const QRectF area(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -area.top());
        document.drawContents(&painter, area);
        painter.restore();
    }
    return painter.end();
}

} // namespace lindor::ui
