// The language command from the user's side: the dialog, the settings file and the
// message that follows each choice.
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ScriptedQuestions.h"
#include "UiTestSupport.h"
#include "ui/LanguageDialog.h"

namespace lindor::ui::test {
namespace {

using Message = files::LanguageChoice::Message;

// Plays the user: picks `row` (or nothing when -1) and presses OK, or Cancel.
std::function<int(QDialog&)> choose(int row, bool ok = true) {
    return [row, ok](QDialog& dialog) {
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>("lstboxLanguages");
        if (row >= 0)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
        else
            list->clearSelection();
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "OKBtn" : "CancelBtn"),
                          Qt::LeftButton);
        return dialog.result();
    };
}

TEST(LanguageCommand, EachChoiceWritesAndSaysWhatItShould) {
    const auto english = shippedLanguage("English");
    TempSettings temp;
    ScriptedQuestions questions;
    TdlgSelectLanguage dialog(*english);
    // Each language under its own name; the settings file keeps the file's name.
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), "English");
    EXPECT_EQ(dialog.list()->item(1)->text(), "Svenska");
    std::vector<std::string> used;
    const auto use = [&used](const std::string& name) { used.push_back(name); };

    // The language in use is selected when the dialog opens; OK on it writes nothing.
    questions.expectDialog("TdlgSelectLanguage", [](QDialog& dialog) {
        auto& languages = static_cast<TdlgSelectLanguage&>(dialog);
        EXPECT_EQ(languages.selectedLanguage(), std::optional<QString>("English"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, temp.settings, use).message,
              Message::None);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(temp.path)));

    // Cancel after choosing Svenska: nothing either.
    questions.expectDialog("TdlgSelectLanguage", choose(1, false));
    runLanguageCommand(dialog, questions, *english, temp.settings, use);
    EXPECT_EQ(dialog.windowTitle(), "Language");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(temp.path)));

    questions.expectDialog("TdlgSelectLanguage", choose(-1))
        .expectInformation("You did not select a language");
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, temp.settings, use).message,
              Message::NothingSelected);
    EXPECT_TRUE(used.empty());

    // Svenska: stored, put to use at once, and nothing to say about a restart.
    questions.expectDialog("TdlgSelectLanguage", choose(1));
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, temp.settings, use).message,
              Message::Changed);
    EXPECT_EQ(temp.settings.language(), "Swedish");
    EXPECT_EQ(used, std::vector<std::string>{"Swedish"});
    EXPECT_TRUE(questions.done());
}

TEST(LanguageCommand, AnUnwritableSettingsFileIsAnErrorNamingIt) {
    const auto english = shippedLanguage("English");
    TempSettings temp;
    files::SettingsFile settings = unwritableSettings(temp.path);
    ScriptedQuestions questions;
    TdlgSelectLanguage dialog(*english);
    questions
        .expectDialog("TdlgSelectLanguage",
                      [](QDialog& dialog) {
                          static_cast<TdlgSelectLanguage&>(dialog).selectLanguage("Swedish");
                          return int(QDialog::Accepted);
                      })
        .expectError(QString::fromStdString(temp.path));
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, settings).message,
              Message::CannotWrite);
    EXPECT_TRUE(questions.done());
}

} // namespace
} // namespace lindor::ui::test
