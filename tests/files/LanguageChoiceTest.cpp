// The language command's decision: what is written to the settings file and which
// message follows.
#include <gtest/gtest.h>

#include <filesystem>

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

TEST_F(LanguageChoiceTest, OnlyAnotherLanguageIsWrittenAndAsksForARestart) {
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
    EXPECT_EQ(swedish.message, Message::RestartNeeded);
    EXPECT_FALSE(swedish.isError());
    EXPECT_EQ(swedish.text, english.text("ChangesMadePleaseRestart"));
    EXPECT_EQ(settings.language(), "Swedish");

    // Letter case counts: "english" is not the language in use.
    EXPECT_EQ(chooseLanguage(true, std::string("english"), "English", settings, english).message,
              Message::RestartNeeded);
}

TEST_F(LanguageChoiceTest, AFailedWriteIsAnErrorNamingTheFileNotARestart) {
    SettingsFile readOnly(path, [](const std::string&, const std::string&, std::string& e) {
        e = "Read-only file system";
        return false;
    });
    const LanguageChoice choice =
        chooseLanguage(true, std::string("Swedish"), "English", readOnly, english);
    EXPECT_EQ(choice.message, Message::CannotWrite);
    EXPECT_TRUE(choice.isError());
    EXPECT_NE(choice.text.find(path), std::string::npos) << choice.text;
    EXPECT_EQ(settings.language(), "English");
}

} // namespace
} // namespace lindor::files
