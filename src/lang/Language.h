// The translation table: every user-visible text is looked up here by key.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lindor::lang {

class Language {
public:
    // Called with "Translation not available: <key>" when a lookup fails, and with a
    // clear message (once) when a language file cannot be loaded.
    using MessageHandler = std::function<void(const std::string& message)>;

    Language();
    explicit Language(MessageHandler onMessage);

    void setMessageHandler(MessageHandler onMessage);

    // Loads "ldr" + name + ".lng" from `folder` (the program's folder). On failure the
    // table falls back to the built-in English texts, the failure is reported once
    // through the handler, and false is returned.
    bool LoadLanguage(const std::string& name, const std::string& folder);

    // Loads a table from text (the content of a language file), replacing the table.
    void loadFromText(const std::string& content);

    // Looks up `key` (case-insensitive, first match wins). On success sets `text`;
    // otherwise reports the missing key and leaves `text` unchanged.
    bool Translate(const std::string& key, std::string& text) const;

    // Convenience: the text of `key`; a missing key is reported and the key itself returned.
    std::string text(const std::string& key) const;

    // True when the table holds `key`, without reporting anything.
    bool hasKey(const std::string& key) const;

    const std::string& currentName() const { return m_currentName; }
    const std::vector<std::string>& keys() const { return m_keys; }

private:
    std::vector<std::string> m_keys;
    std::vector<std::string> m_texts;
    std::string m_currentName;
    MessageHandler m_onMessage;
};

// The texts built into the program (a copy of the English language file).
const Language& builtinEnglish();

} // namespace lindor::lang
