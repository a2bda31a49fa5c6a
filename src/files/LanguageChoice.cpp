#include "files/LanguageChoice.h"

#include "files/FileError.h"
#include "files/SettingsFile.h"
#include "lang/Language.h"

namespace lindor::files {

LanguageChoice chooseLanguage(bool accepted, const std::optional<std::string>& selected,
                              const std::string& current, SettingsFile& settings,
                              const lang::Language& language) {
    LanguageChoice choice;
    if (!accepted)
        return choice;
    if (!selected) {
        choice.message = LanguageChoice::Message::NothingSelected;
        choice.text = language.text("YouDidNotSelectALanguage");
        return choice;
    }
    if (*selected == current)
        return choice;
    if (!settings.setLanguage(*selected)) {
        choice.message = LanguageChoice::Message::CannotWrite;
        choice.text = settingsNotWritten(settings.path(), language);
        return choice;
    }
    choice.message = LanguageChoice::Message::RestartNeeded;
    choice.text = language.text("ChangesMadePleaseRestart");
    return choice;
}

} // namespace lindor::files
