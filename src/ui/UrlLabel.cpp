#include "ui/UrlLabel.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

#include "lang/Language.h"
#include "ui/DialogParts.h"

namespace lindor::ui {

TUrlLabel::TUrlLabel(QWidget* parent, const lang::Language* language)
    : QLabel(parent), m_language(language),
      m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setTextColor(m_normalColor);
}

QUrl TUrlLabel::target() const {
    QString address = m_url.trimmed();
    if (address.isEmpty())
        address = text().trimmed();
    if (address.isEmpty())
        return {};
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return url.path().isEmpty() ? QUrl() : url;
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
        !url.host().isEmpty())
        return url;
    // Anything else (a file, a program, a scheme some other program claims) is not
    // something a label should start.
    return {};
}

bool TUrlLabel::openTarget() {
    const QUrl url = target();
    if (url.isEmpty() || !m_opener)
        return false;
    return m_opener(url);
}

void TUrlLabel::copyText() const {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text());
}

QMenu* TUrlLabel::createContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("UrlLabelMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString caption = m_language ? qtText(m_language->text("Copy")) : QStringLiteral("&Copy");
    menu->addAction(caption, this, [this] { copyText(); });
    return menu;
}

void TUrlLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        setTextColor(m_activeColor);
    }
    QLabel::mousePressEvent(event);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        setTextColor(m_normalColor);
        // A press dragged off the label and released elsewhere is no click.
        if (rect().contains(event->position().toPoint()))
            openTarget();
    }
    QLabel::mouseReleaseEvent(event);
}

void TUrlLabel::contextMenuEvent(QContextMenuEvent* event) {
    createContextMenu()->popup(event->globalPos());
}

void TUrlLabel::setTextColor(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

} // namespace lindor::ui
