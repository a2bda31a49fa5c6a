// The splash window shown while the program starts: the name, the version and a small
// graph, painted once into a pixmap so that showing it costs nothing more.
#pragma once

#include <QPixmap>
#include <QSplashScreen>

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TfrmSplash : public QSplashScreen {
    Q_OBJECT
public:
    // `language` gives the version line; at start-up that is the built-in English table.
    explicit TfrmSplash(const lang::Language& language);

    static constexpr int kWidth = 546;
    static constexpr int kHeight = 403;

    // The picture the window shows.
    static QPixmap paintPicture(const lang::Language& language);

protected:
    // The window takes no input: a click does not close it.
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace lindor::ui
