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
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), "English");
    EXPECT_EQ(dialog.list()->item(1)->text(), "Swedish");

    // The language in use: nothing written, nothing said.
    questions.expectDialog("TdlgSelectLanguage", choose(0));
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, temp.settings).message,
              Message::None);
    EXPECT_EQ(dialog.windowTitle(), "Language");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(temp.path)));

    // Cancel after choosing Swedish: nothing either.
    questions.expectDialog("TdlgSelectLanguage", choose(1, false));
    runLanguageCommand(dialog, questions, *english, temp.settings);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(temp.path)));

    questions.expectDialog("TdlgSelectLanguage", choose(-1))
        .expectInformation("You did not select a language");
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, temp.settings).message,
              Message::NothingSelected);

    questions.expectDialog("TdlgSelectLanguage", choose(1))
        .expectInformation("next time you start Lindor");
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, temp.settings).message,
              Message::RestartNeeded);
    EXPECT_EQ(temp.settings.language(), "Swedish");
    EXPECT_EQ(english->text("OK"), "OK"); // the running program keeps its language
    EXPECT_TRUE(questions.done());
}

TEST(LanguageCommand, AnUnwritableSettingsFileIsAnErrorNamingIt) {
    const auto english = shippedLanguage("English");
    TempSettings temp;
    files::SettingsFile settings = unwritableSettings(temp.path);
    ScriptedQuestions questions;
    TdlgSelectLanguage dialog(*english);
    dialog.selectLanguage("Swedish");
    EXPECT_EQ(dialog.selectedLanguage(), std::optional<QString>("Swedish"));
    questions.expectDialog("TdlgSelectLanguage", [](QDialog&) { return QDialog::Accepted; })
        .expectError(QString::fromStdString(temp.path));
    EXPECT_EQ(runLanguageCommand(dialog, questions, *english, settings).message,
              Message::CannotWrite);
    EXPECT_TRUE(questions.done());
}

} // namespace
} // namespace lindor::ui::test
