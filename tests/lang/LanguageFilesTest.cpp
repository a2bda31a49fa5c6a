// Checks the shipped language files against each other and against the program's sources.
#include "lang/Language.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace lindor::lang {
namespace {

namespace fs = std::filesystem;

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Loads a shipped language file; a message (for instance a missing file) fails the test.
struct ShippedLanguage {
    std::vector<std::string> messages;
    Language language{[this](const std::string& m) { messages.push_back(m); }};
    bool loaded = false;

    explicit ShippedLanguage(const std::string& name) {
        loaded = language.LoadLanguage(name, LINDOR_DATA_DIR);
    }
};

// Every key the sources ask for with a literal: text("Key") and Translate("Key", ...).
std::map<std::string, std::string> keysUsedBySources() {
    static const std::regex textCall(R"re(\btext\(\s*"([^"\\]*)"\s*\))re");
    static const std::regex translateCall(R"re(\bTranslate\(\s*"([^"\\]*)")re");
    std::map<std::string, std::string> used; // key -> first file using it
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(LINDOR_SOURCE_DIR) / "src")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        const std::string source = readFile(entry.path());
        for (const std::regex* re : {&textCall, &translateCall}) {
            for (auto it = std::sregex_iterator(source.begin(), source.end(), *re);
                 it != std::sregex_iterator(); ++it)
                used.emplace((*it)[1].str(), entry.path().filename().string());
        }
    }
    return used;
}

// The printf-style placeholders of a text, in order.
std::string placeholders(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%') {
            result += text.substr(i, 2);
            ++i;
        }
    }
    return result;
}

TEST(ShippedLanguageFiles, LoadWithoutMessagesAndHoldTheSameKeys) {
    ShippedLanguage english("English");
    ShippedLanguage swedish("Swedish");
    ASSERT_TRUE(english.loaded);
    ASSERT_TRUE(swedish.loaded);
    EXPECT_TRUE(english.messages.empty());
    EXPECT_TRUE(swedish.messages.empty());

    std::set<std::string> englishKeys;
    std::set<std::string> swedishKeys;
    std::string duplicates;
    for (const std::string& k : english.language.keys())
        if (!englishKeys.insert(lower(k)).second)
            duplicates += " English:" + k;
    for (const std::string& k : swedish.language.keys())
        if (!swedishKeys.insert(lower(k)).second)
            duplicates += " Swedish:" + k;
    EXPECT_TRUE(duplicates.empty()) << "keys defined twice (only the first counts):" << duplicates;

    std::string onlyEnglish;
    std::string onlySwedish;
    for (const std::string& k : englishKeys)
        if (!swedishKeys.count(k))
            onlyEnglish += " " + k;
    for (const std::string& k : swedishKeys)
        if (!englishKeys.count(k))
            onlySwedish += " " + k;
    EXPECT_TRUE(onlyEnglish.empty()) << "missing in ldrSwedish.lng:" << onlyEnglish;
    EXPECT_TRUE(onlySwedish.empty()) << "missing in ldrEnglish.lng:" << onlySwedish;
}

TEST(ShippedLanguageFiles, TextsAreFilledAndAgreeOnPlaceholders) {
    ShippedLanguage english("English");
    ShippedLanguage swedish("Swedish");
    ASSERT_TRUE(english.loaded && swedish.loaded);
    for (const std::string& key : english.language.keys()) {
        EXPECT_EQ(key.find_first_of(" \t"), std::string::npos) << "blank in key '" << key << "'";
        const std::string en = english.language.text(key);
        EXPECT_FALSE(en.empty()) << key;
        if (!swedish.language.hasKey(key))
            continue; // reported by the test above
        const std::string sv = swedish.language.text(key);
        EXPECT_FALSE(sv.empty()) << key;
        EXPECT_EQ(placeholders(en), placeholders(sv)) << key;
    }
}

TEST(ShippedLanguageFiles, EveryKeyTheProgramAsksForExists) {
    const std::map<std::string, std::string> used = keysUsedBySources();
    ASSERT_FALSE(used.empty()) << "no lookups found under " << LINDOR_SOURCE_DIR "/src";
    ShippedLanguage english("English");
    ShippedLanguage swedish("Swedish");
    ASSERT_TRUE(english.loaded && swedish.loaded);
    std::string missing;
    for (const auto& [key, file] : used) {
        if (!english.language.hasKey(key))
            missing += "\n  " + key + " (asked for in " + file + ") is missing in ldrEnglish.lng";
        if (!swedish.language.hasKey(key))
            missing += "\n  " + key + " (asked for in " + file + ") is missing in ldrSwedish.lng";
    }
    EXPECT_TRUE(missing.empty()) << "translation keys used by the program but not defined:"
                                 << missing;
}

TEST(ShippedLanguageFiles, BuiltinEnglishIsTheEnglishFile) {
    ShippedLanguage english("English");
    ASSERT_TRUE(english.loaded);
    // The built-in copy is made at build time; a rebuild keeps it in step with the file.
    EXPECT_EQ(builtinEnglish().keys(), english.language.keys());
}

} // namespace
} // namespace lindor::lang
