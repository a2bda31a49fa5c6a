// The help window: shows the program's help file (HTML, one per language) with back,
// forward and contents buttons. It is not modal; it opens at the contents or at a topic
// (an anchor of the file).
#pragma once

#include <QString>
#include <QWidget>

#include "lang/Language.h"

class QPushButton;
class QTextBrowser;

namespace lindor::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `dataFolder` holds the help files "ldr" + language name + ".html" (and their pictures).
    HelpWindow(const lang::Language& language, QString dataFolder, QWidget* parent = nullptr);

    // Shows the window (raised) at the contents or at `topic`. When no help file is found,
    // the window says so and names the file it looked for.
    void showContents();
    void showTopic(const QString& topic);

    // The help file for the current language, else the English one; empty when neither
    // exists.
    QString helpFile() const;

    QTextBrowser* browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;      // a new language: texts and file follow
    void keyPressEvent(QKeyEvent* event) override; // Escape closes the window

private:
    QString text(const char* key) const; // the text of a translation key
    void setTexts();
    QString fileFor(const std::string& languageName) const;

    const lang::Language& m_language;
    QString m_dataFolder;
    QTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_forward;
    QPushButton* m_contents;
};

} // namespace lindor::ui
