#include "lang/Language.h"

#include <cstddef>
#include <fstream>
#include <iostream>
#include <utility>

namespace lindor::lang {

extern const char kBuiltinEnglish[];
extern const std::size_t kBuiltinEnglishSize;

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

void printToStderr(const std::string& message) {
    std::cerr << message << '\n';
}

bool readWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return false;
    std::string result;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        result.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return false;
    content = std::move(result);
    return true;
}

std::string joinPath(const std::string& folder, const std::string& fileName) {
    if (folder.empty())
        return fileName;
    if (folder.back() == '/')
        return folder + fileName;
    return folder + "/" + fileName;
}

} // namespace

Language::Language() : m_onMessage(printToStderr) {}

Language::Language(MessageHandler onMessage) : m_onMessage(std::move(onMessage)) {}

void Language::setMessageHandler(MessageHandler onMessage) {
    m_onMessage = std::move(onMessage);
}

bool Language::LoadLanguage(const std::string& name, const std::string& folder) {
    m_currentName = name;
    const std::string path = joinPath(folder, "ldr" + name + ".lng");
    std::string content;
    // A directory opens but cannot be read; that counts as unreadable too.
    if (readWholeFile(path, content)) {
        loadFromText(content);
        return true;
    }
    // Without a language file every text would be missing: go on in English instead and
    // say once which file could not be read.
    loadFromText(std::string(kBuiltinEnglish, kBuiltinEnglishSize));
    std::string message = text("CannotReadLanguageFile");
    const std::size_t at = message.find("%s");
    if (at != std::string::npos)
        message.replace(at, 2, path);
    else
        message += " " + path;
    if (m_onMessage)
        m_onMessage(message);
    return false;
}

void Language::loadFromText(const std::string& content) {
    std::vector<std::string> keys;
    std::vector<std::string> texts;
    std::size_t start = 0;
    // A UTF-8 byte order mark is not part of the first key.
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && content[lineEnd - 1] == '\r')
            --lineEnd; // CR LF line end
        const std::string line = content.substr(start, lineEnd - start);
        start = end + 1;

        if (line.empty() || line[0] == ';')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        keys.push_back(line.substr(0, eq));
        texts.push_back(line.substr(eq + 1));
    }
    m_keys = std::move(keys);
    m_texts = std::move(texts);
}

bool Language::Translate(const std::string& key, std::string& text) const {
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (equalsIgnoringCase(m_keys[i], key)) {
            text = m_texts[i];
            return true;
        }
    }
    if (m_onMessage)
        m_onMessage("Translation not available: " + key);
    return false;
}

std::string Language::text(const std::string& key) const {
    std::string result = key;
    Translate(key, result);
    return result;
}

bool Language::hasKey(const std::string& key) const {
    for (const std::string& k : m_keys) {
        if (equalsIgnoringCase(k, key))
            return true;
    }
    return false;
}

const Language& builtinEnglish() {
    static const Language english = [] {
        Language result;
        result.loadFromText(std::string(kBuiltinEnglish, kBuiltinEnglishSize));
        return result;
    }();
    return english;
}

} // namespace lindor::lang
