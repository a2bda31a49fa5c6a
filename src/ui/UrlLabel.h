// A label that works as a link: blue and underlined, a hand cursor, the active colour
// while the left button is held down on it. A click opens the target address (or the
// shown text when no address is set) in the system's browser or mail program; only
// http, https and mailto addresses are opened. The right-click menu copies the shown
// text.
#pragma once

#include <QColor>
#include <QLabel>
#include <QUrl>
#include <functional>

class QMenu;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TUrlLabel : public QLabel {
    Q_OBJECT
public:
    using Opener = std::function<bool(const QUrl&)>;

    // `language` gives the text of the menu entry; without it the entry reads "Copy".
    explicit TUrlLabel(QWidget* parent = nullptr, const lang::Language* language = nullptr);

    void setUrl(const QString& url) { m_url = url; }
    const QString& url() const { return m_url; }
    void setActiveColor(const QColor& color) { m_activeColor = color; }
    const QColor& activeColor() const { return m_activeColor; }
    // How addresses are opened; QDesktopServices::openUrl unless replaced (tests).
    void setOpener(Opener opener) { m_opener = std::move(opener); }

    // The address a click opens: the trimmed target address, or the shown text when that
    // is blank. Empty when it is not an http, https or mailto address.
    QUrl target() const;
    // Opens the target; false when there is none or it could not be opened.
    bool openTarget();
    // Puts the shown text on the clipboard.
    void copyText() const;
    // The right-click menu, with its one entry.
    QMenu* createContextMenu();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setTextColor(const QColor& color);

    const lang::Language* m_language;
    QString m_url;
    QColor m_activeColor{128, 0, 128};
    QColor m_normalColor{0, 0, 255};
    Opener m_opener;
    bool m_pressed = false;
};

} // namespace lindor::ui
