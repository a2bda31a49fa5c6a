#include "ui/SplashScreen.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "lang/Language.h"
#include "ui/DialogParts.h"
#include "ui/GraphPicture.h"
#include "ui/ProductInfo.h"

namespace lindor::ui {

namespace {

constexpr int kBorder = 3;
constexpr int kMargin = 24;

QFont nameFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(48);
    return font;
}

QImage graphPicture(QSize size) {
    GraphPictureRequest entry;
    entry.functions = {"sin(2x)+1", "x^2/4-2", "3/(1+x^2)"};
    entry.range = {-6, 6, 1, -3, 3, 1};
    entry.size = size;
    entry.view.showScaleText = false;
    entry.view.showFunctionNames = false;
    return drawGraphPicture(entry);
}

} // namespace

TfrmSplash::TfrmSplash(const lang::Language& language)
    : QSplashScreen(paintPicture(language), Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
}

QPixmap TfrmSplash::paintPicture(const lang::Language& language) {
    QPixmap pixmap(kWidth, kHeight);
    const QPalette palette;
    pixmap.fill(palette.color(QPalette::Button));
    QPainter painter(&pixmap);

    // The panel: raised at its edge, then the border, then the lowered inner bevel.
    const QRect outer(0, 0, kWidth, kHeight);
    qDrawShadePanel(&painter, outer, palette, false, 1);
    const QRect inner = outer.adjusted(1 + kBorder, 1 + kBorder, -1 - kBorder, -1 - kBorder);
    qDrawShadePanel(&painter, inner, palette, true, 1);

    const QFont name = nameFont();
    painter.setFont(name);
    painter.setPen(QColor(0, 0, 255));
    const int nameTop = inner.top() + kMargin;
    const QRect nameRect(inner.left() + kMargin, nameTop, inner.width() - 2 * kMargin,
                         QFontMetrics(name).height());
    painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(kLindorProductName));

    QFont versionFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    versionFont.setBold(true);
    painter.setFont(versionFont);
    painter.setPen(palette.color(QPalette::ButtonText));
    const QString version =
        qtText(language.text("AboutVersion")).replace(QLatin1String("%s"), lindorVersion());
    const QRect versionRect(nameRect.left() + 4, nameRect.bottom() + 4, nameRect.width(),
                            QFontMetrics(versionFont).height());
    painter.drawText(versionRect, Qt::AlignLeft | Qt::AlignVCenter, version);

    // The picture fills the rest, in a sunken frame of its own.
    const QRect frame(inner.left() + kMargin, versionRect.bottom() + 16,
                      inner.width() - 2 * kMargin,
                      inner.bottom() - kMargin - versionRect.bottom() - 16);
    qDrawShadePanel(&painter, frame, palette, true, 1);
    const QRect area = frame.adjusted(1, 1, -1, -1);
    painter.drawImage(area.topLeft(), graphPicture(area.size()));
    painter.end();
    return pixmap;
}

void TfrmSplash::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace lindor::ui
