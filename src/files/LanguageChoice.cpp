#include "files/LanguageChoice.h"

#include "files/FileError.h"
#include "files/SettingsFile.h"
#include "lang/Language.h"

namespace lindor::files {

std::string languageForLocale(const std::string& localeName) {
    for (const ShippedLanguage& shipped : kShippedLanguages) {
        const std::string prefix = shipped.localePrefix;
        // "sv", "sv_SE", "sv_SE.UTF-8", "sv@euro"; not "svx".
        if (localeName.compare(0, prefix.size(), prefix) == 0 &&
            (localeName.size() == prefix.size() || localeName[prefix.size()] == '_' ||
             localeName[prefix.size()] == '.' || localeName[prefix.size()] == '@'))
            return shipped.name;
    }
    return kShippedLanguages[0].name;
}

std::string languageOfEnvironment(const std::function<const char*(const char*)>& lookup) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = lookup(variable);
        if (value != nullptr && *value != '\0')
            return languageForLocale(value);
    }
    return kShippedLanguages[0].name;
}

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
    choice.language = *selected;
    if (!settings.setLanguage(*selected)) {
        choice.message = LanguageChoice::Message::CannotWrite;
        choice.text = settingsNotWritten(settings.path(), language);
        return choice;
    }
    choice.message = LanguageChoice::Message::Changed;
    return choice;
}

} // namespace lindor::files
