#include "ui/NeedleGauge.h"

#include <QFontMetrics>
#include <QPainter>
#include <string>

namespace lindor::ui {
namespace {

// Inverts the colour of every pixel of `picture` where `mask` is drawn (the mask lies at
// `at`), so the mask's shape shows in the opposite colour of whatever lies beneath it.
void invertUnder(QImage& picture, const QImage& mask, QPoint at) {
    const QRect area = QRect(at, mask.size()).intersected(picture.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const auto* shape = reinterpret_cast<const QRgb*>(mask.constScanLine(y - at.y()));
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(shape[x - at.x()]) >= 128)
                line[x] ^= 0x00FFFFFFu;
    }
}

} // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Gauge1"));
    QFont bold = font();
    bold.setBold(true);
    if (bold.pointSizeF() > 0)
        bold.setPointSizeF(bold.pointSizeF() * 1.3);
    bold.setStyleStrategy(QFont::NoAntialias);
    setFont(bold);
}

void TGauge::setProgress(int value) {
    if (m_model.setProgress(value))
        update();
}

void TGauge::setRange(int minimum, int maximum) {
    const int before = percentDone();
    const int value = progress();
    m_model = gif::GaugeModel(minimum, maximum);
    m_model.setProgress(value);
    if (percentDone() != before)
        update();
}

QImage TGauge::dialPicture(QSize size) const {
    QImage picture(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    picture.fill(palette().color(QPalette::Window));
    const int width = picture.width();
    const int bottom = picture.height();
    const int percent = percentDone();
    {
        QPainter painter(&picture);
        painter.setPen(QPen(m_foreColor, 1));
        painter.setBrush(m_backColor);
        // The upper half of an ellipse as wide as the dial and twice as high.
        painter.drawEllipse(0, 0, width - 1, 2 * bottom - 1);
        painter.drawLine(0, bottom - 1, width - 1, bottom - 1);
        if (percent > 0) {
            const gif::NeedleLine needle = gif::needleLine(percent, width, bottom);
            painter.drawLine(needle.fromX, needle.fromY, needle.toX, needle.toY);
        }
    }

    // The text is drawn only where it lies, as the dial is painted at every percent.
    const QString label = QString::fromStdString(std::to_string(percent) + "%");
    const QRect textArea = QFontMetrics(font())
                               .boundingRect(picture.rect(), Qt::AlignCenter, label)
                               .intersected(picture.rect());
    if (!textArea.isEmpty()) {
        QImage text(textArea.size(), QImage::Format_ARGB32_Premultiplied);
        text.fill(Qt::transparent);
        {
            QPainter painter(&text);
            painter.setFont(font());
            painter.setPen(Qt::black);
            painter.drawText(picture.rect().translated(-textArea.topLeft()), Qt::AlignCenter,
                             label);
        }
        invertUnder(picture, text, textArea.topLeft());
    }
    return picture;
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A one-pixel border around the dial.
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawImage(1, 1, dialPicture(size() - QSize(2, 2)));
}

} // namespace lindor::ui
