// The texts of Qt's own dialogs in the program's language: the standard buttons of message
// boxes and input queries (OK, Cancel, Yes, No, Save, Discard ...) come from the language
// file; where the system has Qt's own translation of the language installed, the file,
// font and page setup dialogs speak it too.
#pragma once

#include <QTranslator>
#include <memory>

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class QtDialogTexts : public QTranslator {
    Q_OBJECT
public:
    // Installs itself for the application; removes itself when destroyed.
    explicit QtDialogTexts(const lang::Language& language, QObject* parent = nullptr);
    ~QtDialogTexts() override;

    // After the translation table took another language: Qt's translation follows, and
    // every window is told to set its texts again (QEvent::LanguageChange).
    void languageChanged();

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    void loadQtTranslation();

    const lang::Language& m_language;
    std::unique_ptr<QTranslator> m_qt;
};

} // namespace lindor::ui
