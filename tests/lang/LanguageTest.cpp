#include "lang/Language.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lindor::lang {
namespace {

namespace fs = std::filesystem;

// A language whose messages are collected for inspection.
struct Recorder {
    std::vector<std::string> messages;
    Language language{[this](const std::string& m) { messages.push_back(m); }};
};

// A private folder holding language files, removed afterwards.
class LanguageFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() /
            ("lindor-lang-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void write(const std::string& fileName, const std::string& content) {
        std::ofstream out(m_folder / fileName, std::ios::binary);
        out << content;
    }
    std::string folder() const { return m_folder.string(); }

    fs::path m_folder;
};

TEST(LanguageLookup, CommentsLinesWithoutEqualsAndFirstMatch) {
    Recorder r;
    r.language.loadFromText(";OK=Nein\nOK=Ok\nok=Okay\nCancel\n");
    ASSERT_EQ(r.language.keys().size(), 2u);
    std::string text;
    EXPECT_TRUE(r.language.Translate("OK", text));
    EXPECT_EQ(text, "Ok");
    EXPECT_TRUE(r.language.Translate("ok", text));
    EXPECT_EQ(text, "Ok");
    EXPECT_FALSE(r.language.Translate("Cancel", text));
    EXPECT_EQ(text, "Ok"); // left unchanged
    EXPECT_FALSE(r.language.hasKey(";OK"));
}

TEST(LanguageLookup, EqualsSignsAndEmptyTexts) {
    Recorder r;
    r.language.loadFromText("Hint=a=b\nEmpty=\n=NoKey\n\n");
    EXPECT_EQ(r.language.text("Hint"), "a=b");
    std::string text = "before";
    EXPECT_TRUE(r.language.Translate("Empty", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(r.language.hasKey(""));
    EXPECT_TRUE(r.messages.empty());
}

TEST(LanguageLookup, NothingIsTrimmed) {
    Recorder r;
    r.language.loadFromText("Key = Text\n");
    EXPECT_EQ(r.language.text("Key "), " Text");
    std::string text = "unchanged";
    EXPECT_FALSE(r.language.Translate("Key", text));
    EXPECT_EQ(text, "unchanged");
}

TEST(LanguageLookup, MissingKeyIsReportedEachTime) {
    Recorder r;
    r.language.loadFromText("A=1\n");
    EXPECT_EQ(r.language.text("Nope"), "Nope");
    std::string text;
    r.language.Translate("Nope", text);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0], "Translation not available: Nope");
    EXPECT_EQ(r.messages[1], "Translation not available: Nope");
    EXPECT_FALSE(r.language.hasKey("Nope"));
    EXPECT_EQ(r.messages.size(), 2u); // hasKey stays silent
}

TEST(LanguageLookup, LineEndsByteOrderMarkAndUtf8) {
    Recorder r;
    r.language.loadFromText("\xEF\xBB\xBF"
                            "First=1\r\nSecond=2\r\n;c\r\nÅr=Nollställe\r\nLast=3");
    EXPECT_EQ(r.language.text("first"), "1");
    EXPECT_EQ(r.language.text("SECOND"), "2");
    EXPECT_EQ(r.language.text("Last"), "3");
    EXPECT_EQ(r.language.text("år"), "år"); // only ASCII letters change case
    EXPECT_EQ(r.language.text("År"), "Nollställe");
    EXPECT_EQ(r.messages.size(), 1u); // only the lookup of "år" failed
}

TEST_F(LanguageFolder, LoadsFileNamedAfterTheLanguageFromTheFolder) {
    write("ldrSwedish.lng", "; svenska\nRoot=Nollställe\n");
    write("ldrEnglish.lng", "Root=Root\n");
    Recorder r;
    // The current folder must not matter.
    const fs::path previous = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    const bool loaded = r.language.LoadLanguage("Swedish", folder());
    fs::current_path(previous);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(r.language.currentName(), "Swedish");
    EXPECT_EQ(r.language.text("Root"), "Nollställe");
    EXPECT_TRUE(r.language.LoadLanguage("English", folder() + "/"));
    EXPECT_EQ(r.language.text("Root"), "Root");
    EXPECT_TRUE(r.messages.empty());
}

TEST_F(LanguageFolder, MissingFileFallsBackToBuiltinEnglishAndSaysSoOnce) {
    Recorder r;
    r.language.loadFromText("Root=Old\n");
    EXPECT_FALSE(r.language.LoadLanguage("Klingon", folder()));
    EXPECT_EQ(r.language.currentName(), "Klingon");
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find("ldrKlingon.lng"), std::string::npos) << r.messages[0];
    EXPECT_EQ(r.messages[0].find("Translation not available"), std::string::npos);
    // The built-in English texts answer now.
    ASSERT_FALSE(builtinEnglish().keys().empty());
    const std::string key = builtinEnglish().keys().front();
    EXPECT_EQ(r.language.text(key), builtinEnglish().text(key));
    EXPECT_EQ(r.messages.size(), 1u);
}

TEST_F(LanguageFolder, UnreadableFileIsReportedLikeAMissingOne) {
    fs::create_directories(m_folder / "ldrFolder.lng"); // opens, but cannot be read
    Recorder r;
    EXPECT_FALSE(r.language.LoadLanguage("Folder", folder()));
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find("ldrFolder.lng"), std::string::npos);
}

} // namespace
} // namespace lindor::lang
