// The language selection: English or Svenska, used at once and from then on.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "files/LanguageChoice.h"
#include "ui/DialogParts.h"

class QListWidget;

namespace lindor::lang {
class Language;
}
namespace lindor::files {
class SettingsFile;
}

namespace lindor::ui {

class Questions;

class TdlgSelectLanguage : public QDialog {
    Q_OBJECT
public:
    explicit TdlgSelectLanguage(const lang::Language& language, QWidget* parent = nullptr);

    // The selected language's name as stored in the settings file ("Swedish"), if one is
    // selected.
    std::optional<QString> selectedLanguage() const;
    // Selects the language of that name ("Swedish"; none when it is not listed).
    void selectLanguage(const QString& name);

    QListWidget* list() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const lang::Language& m_language;
    QListWidget* m_list = nullptr;
    OkCancelButtons m_buttons;
};

// The language command: shows the dialog with the language in use selected, stores the
// choice and shows the message that goes with it (an error when the settings file could
// not be written). A new language is handed to `useLanguage` at once, before any message.
// Returns what was decided.
files::LanguageChoice
runLanguageCommand(TdlgSelectLanguage& dialog, Questions& questions, const lang::Language& language,
                   files::SettingsFile& settings,
                   const std::function<void(const std::string&)>& useLanguage = nullptr);

} // namespace lindor::ui
