// The languages the program ships, the language a first run starts in, and the language
// command's decision once the language dialog has closed: what to store in the settings
// file and what to tell the user. A new language applies at once.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace lindor::lang {
class Language;
}

namespace lindor::files {

class SettingsFile;

// A shipped language: its name (the language file "ldr" + name + ".lng" and the value
// stored in the settings file), its name in itself, and the start of the locale names
// that speak it ("sv" for sv_SE, sv_FI ...).
struct ShippedLanguage {
    const char* name;
    const char* nativeName;
    const char* localePrefix;
};
constexpr ShippedLanguage kShippedLanguages[] = {
    {"English", "English", "en"},
    {"Swedish", "Svenska", "sv"},
};

// The shipped language a locale name such as "sv_SE.UTF-8" speaks; English for every other.
std::string languageForLocale(const std::string& localeName);
// The language of the user's messages as the environment names it (LC_ALL, else
// LC_MESSAGES, else LANG); `lookup` reads one variable (nullptr when it is not set).
std::string languageOfEnvironment(const std::function<const char*(const char*)>& lookup);

struct LanguageChoice {
    enum class Message {
        None,            // cancelled, or the language in use was chosen: nothing written
        NothingSelected, // OK without a selection: "YouDidNotSelectALanguage"
        Changed,         // stored; the new language applies at once, nothing to say
        CannotWrite,     // applies for this run, but could not be stored (an error naming
                         // the settings file)
    };
    Message message = Message::None;
    std::string text;     // the translated text to show; empty for None and Changed
    std::string language; // the language to use from now on; empty when it stays
    bool isError() const { return message == Message::CannotWrite; }
};

// `accepted`: the dialog closed with OK; `selected`: the chosen language name, if any;
// `current`: the name of the language in use (letter case counts).
LanguageChoice chooseLanguage(bool accepted, const std::optional<std::string>& selected,
                              const std::string& current, SettingsFile& settings,
                              const lang::Language& language);

} // namespace lindor::files
