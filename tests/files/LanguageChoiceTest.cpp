// The language command's decision: what is written to the settings file and which
// message follows.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TempDir.h"
#include "files/LanguageChoice.h"
#include "files/SettingsFile.h"
#include "lang/Language.h"

namespace lindor::files {
namespace {

using Message = LanguageChoice::Message;

struct LanguageChoiceTest : ::testing::Test {
    testing::TempDir dir;
    std::string path = dir.file("lindor.INI");
    SettingsFile settings{path};
    lang::Language english;

    void SetUp() override { ASSERT_TRUE(english.LoadLanguage("English", LINDOR_DATA_DIR)); }
};

TEST_F(LanguageChoiceTest, OnlyAnotherLanguageIsWrittenAndTakesEffectAtOnce) {
    // Cancel, and OK on the language in use, write nothing and say nothing.
    EXPECT_EQ(chooseLanguage(false, std::string("Swedish"), "English", settings, english).message,
              Message::None);
    const LanguageChoice same =
        chooseLanguage(true, std::string("English"), "English", settings, english);
    EXPECT_EQ(same.message, Message::None);
    EXPECT_TRUE(same.text.empty());
    EXPECT_FALSE(std::filesystem::exists(path));

    const LanguageChoice none = chooseLanguage(true, std::nullopt, "English", settings, english);
    EXPECT_EQ(none.message, Message::NothingSelected);
    EXPECT_EQ(none.text, english.text("YouDidNotSelectALanguage"));
    EXPECT_FALSE(std::filesystem::exists(path));

    const LanguageChoice swedish =
        chooseLanguage(true, std::string("Swedish"), "English", settings, english);
    EXPECT_EQ(swedish.message, Message::Changed);
    EXPECT_FALSE(swedish.isError());
    EXPECT_TRUE(swedish.text.empty());
    EXPECT_EQ(swedish.language, "Swedish");
    EXPECT_EQ(settings.language(), "Swedish");
    EXPECT_TRUE(same.language.empty());

    // Letter case counts: "english" is not the language in use.
    EXPECT_EQ(chooseLanguage(true, std::string("english"), "English", settings, english).message,
              Message::Changed);
}

TEST_F(LanguageChoiceTest, AFailedWriteIsAnErrorNamingTheFileButTheLanguageStillChanges) {
    SettingsFile readOnly(path, [](const std::string&, const std::string&, std::string& e) {
        e = "Read-only file system";
        return false;
    });
    const LanguageChoice choice =
        chooseLanguage(true, std::string("Swedish"), "English", readOnly, english);
    EXPECT_EQ(choice.message, Message::CannotWrite);
    EXPECT_TRUE(choice.isError());
    EXPECT_NE(choice.text.find(path), std::string::npos) << choice.text;
    EXPECT_EQ(choice.language, "Swedish");
    EXPECT_EQ(settings.language(), "English");
}

TEST(FirstLanguage, FollowsTheLocaleOfTheMessages) {
    EXPECT_EQ(languageForLocale("sv_SE.UTF-8"), "Swedish");
    EXPECT_EQ(languageForLocale("sv_FI"), "Swedish");
    EXPECT_EQ(languageForLocale("sv"), "Swedish");
    EXPECT_EQ(languageForLocale("svx_XX"), "English");
    EXPECT_EQ(languageForLocale("de_DE.UTF-8"), "English");
    EXPECT_EQ(languageForLocale("C"), "English");
    EXPECT_EQ(languageForLocale(""), "English");

    std::map<std::string, const char*> env;
    const auto lookup = [&env](const char* name) -> const char* {
        const auto found = env.find(name);
        return found == env.end() ? nullptr : found->second;
    };
    EXPECT_EQ(languageOfEnvironment(lookup), "English");
    env["LANG"] = "sv_SE.UTF-8";
    EXPECT_EQ(languageOfEnvironment(lookup), "Swedish");
    env["LC_MESSAGES"] = "en_GB.UTF-8"; // messages in English on a Swedish desktop
    EXPECT_EQ(languageOfEnvironment(lookup), "English");
    env["LC_ALL"] = "sv_SE.UTF-8";
    EXPECT_EQ(languageOfEnvironment(lookup), "Swedish");
    env["LC_ALL"] = ""; // set but empty: the next one counts
    EXPECT_EQ(languageOfEnvironment(lookup), "English");
}

} // namespace
} // namespace lindor::files
