// The language command's decision once the language dialog has closed: what to store in
// the settings file and which message to show. The new language takes effect at the
// next start.
#pragma once

#include <optional>
#include <string>

namespace lindor::lang {
class Language;
}

namespace lindor::files {

class SettingsFile;

struct LanguageChoice {
    enum class Message {
        None,            // cancelled, or the language in use was chosen: nothing written
        NothingSelected, // OK without a selection: "YouDidNotSelectALanguage"
        RestartNeeded,   // written: "ChangesMadePleaseRestart"
        CannotWrite,     // the settings file could not be written (an error, naming it)
    };
    Message message = Message::None;
    std::string text; // the translated text to show; empty for None
    bool isError() const { return message == Message::CannotWrite; }
};

// `accepted`: the dialog closed with OK; `selected`: the chosen language name, if any;
// `current`: the name of the language in use (letter case counts).
LanguageChoice chooseLanguage(bool accepted, const std::optional<std::string>& selected,
                              const std::string& current, SettingsFile& settings,
                              const lang::Language& language);

} // namespace lindor::files
