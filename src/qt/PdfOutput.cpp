#include "qt/PdfOutput.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "qt/PictureWrite.h"
#include "qt/QtCanvas.h"

namespace lindor::qtgui {
namespace {

constexpr int kScreenDpi = 96;

} // namespace

QByteArray pdfFromRecording(const graph::RecordingCanvas& recording) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int width = recording.width() > 0 ? recording.width() : 1;
    const int height = recording.height() > 0 ? recording.height() : 1;
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Lindor"));
        writer.setTitle(QStringLiteral("Lindor graph"));
        writer.setResolution(kScreenDpi);
        writer.setPageLayout(
            QPageLayout(QPageSize(QSizeF(width * 72.0 / kScreenDpi, height * 72.0 / kScreenDpi),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (painter.begin(&writer)) {
            // Lines run through the pixel centres, as on the screen.
            painter.translate(0.5, 0.5);
            PainterCanvas canvas(&painter);
            recording.replay(canvas);
            painted = painter.end();
        }
    }
    return painted ? bytes : QByteArray();
}

bool savePdf(const graph::RecordingCanvas& recording, const std::string& path, std::string& error,
             const lang::Language* translations) {
    const QByteArray bytes = pdfFromRecording(recording);
    if (bytes.isEmpty()) {
        error = pictureWriteError(path, "the PDF document could not be made", translations);
        return false;
    }
    return writePictureFile(path, bytes, error, translations);
}

} // namespace lindor::qtgui
