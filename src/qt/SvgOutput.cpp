#include "qt/SvgOutput.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "qt/PictureWrite.h"
#include "qt/QtCanvas.h"

namespace lindor::qtgui {

QByteArray svgFromRecording(const graph::RecordingCanvas& recording) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    const int width = recording.width() > 0 ? recording.width() : 1;
    const int height = recording.height() > 0 ? recording.height() : 1;
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    // Fonts are sized in pixels, so the resolution only names the unit of the document.
    generator.setResolution(96);
    generator.setTitle(QStringLiteral("Lindor graph"));
    {
        QPainter painter(&generator);
        // Pixel (x, y) covers x..x+1 in the picture; lines run through the pixel centres,
        // so that one-pixel lines stay one pixel wide when the picture is shown 1:1.
        painter.translate(0.5, 0.5);
        PainterCanvas canvas(&painter);
        recording.replay(canvas);
    }
    // The generator writes no rendering hints. The picture is crisp as the bitmap is; the
    // curves of smooth pens, the only lines that join round, are drawn antialiased.
    bytes.replace("<svg ", "<svg shape-rendering=\"crispEdges\" ");
    bytes.replace("stroke-linejoin=\"round\"",
                  "stroke-linejoin=\"round\" shape-rendering=\"geometricPrecision\"");
    return bytes;
}

bool saveSvg(const graph::RecordingCanvas& recording, const std::string& path, std::string& error,
             const lang::Language* translations) {
    return writePictureFile(path, svgFromRecording(recording), error, translations);
}

} // namespace lindor::qtgui
