#include "qt/PdfOutput.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "qt/QtCanvas.h"

namespace lindor::qtgui {
namespace {

constexpr int kScreenDpi = 96;

} // namespace

bool savePdf(const graph::RecordingCanvas& recording, const std::string& path, std::string& error) {
    const QString name = QString::fromStdString(path);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    const int width = recording.width() > 0 ? recording.width() : 1;
    const int height = recording.height() > 0 ? recording.height() : 1;
    bool painted = false;
    {
        QPdfWriter writer(&file);
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
    if (!painted) {
        file.cancelWriting();
        error = "Cannot write " + path + ": the PDF document could not be made";
        return false;
    }
    if (!file.commit()) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace lindor::qtgui
