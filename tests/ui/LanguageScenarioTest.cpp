// A language chosen while the program runs, and the underlined letters of the menus, through
// the real frame.
#include "FrameFixture.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>

#include "ui/HelpWindow.h"
#include "ui/LanguageDialog.h"
#include "ui/OutputCommands.h"

namespace lindor::ui::test {
namespace {

// The letter after the one "&" of a caption ("&&" is a plain "&"); 0 when there is none, and
// '?' when there are several.
QChar mnemonic(const QString& caption) {
    QChar found;
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        if (!found.isNull())
            return '?';
        found = caption[i + 1].toLower();
    }
    return found;
}

// Every entry of `menu` (its submenus included, each on its own) and every menu of the bar
// can be chosen by a letter of its own.
void expectMnemonics(const QList<QAction*>& entries, const QString& where) {
    QSet<QChar> letters;
    for (QAction* a : entries) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QChar letter = mnemonic(a->text());
        EXPECT_FALSE(letter.isNull() || letter == '?')
            << where.toStdString() << ": " << a->text().toStdString();
        EXPECT_FALSE(letters.contains(letter))
            << where.toStdString() << ": " << a->text().toStdString() << " repeats "
            << QString(letter).toStdString();
        letters.insert(letter);
        if (a->menu())
            expectMnemonics(a->menu()->actions(), where + " > " + a->text());
    }
}

TEST_F(FrameTest, EveryMenuEntryHasALetterOfItsOwnInBothLanguages) {
    for (const char* language : {"English", "Swedish"}) {
        app->settings.setLanguage(language);
        restart();
        ASSERT_EQ(app->language.currentName(), language);
        expectMnemonics(frame->menuBar()->actions(), QString::fromLatin1(language));
    }
}

TEST_F(FrameTest, ANewLanguageAppliesAtOnceToEveryWindowAndIsKept) {
    plot("x^2-4");
    action("Root1")->trigger();
    frame->showHelp(QString());
    QMap<QAction*, QString> before;
    for (QAction* a : frame->findChildren<QAction*>())
        before[a] = a->text();
    lang::Language swedish;
    swedish.LoadLanguage("Swedish", LINDOR_DATA_DIR);

    questions.expectDialog("TdlgSelectLanguage", [](QDialog& dialog) {
        auto& languages = static_cast<TdlgSelectLanguage&>(dialog);
        EXPECT_EQ(languages.selectedLanguage(), std::optional<QString>("English"));
        EXPECT_EQ(languages.list()->item(1)->text(), "Svenska");
        languages.selectLanguage("Swedish");
        return int(QDialog::Accepted);
    });
    action("Language1")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(questions.done());
    EXPECT_EQ(app->settings.language(), "Swedish");

    // Every menu and every entry whose text differs between the languages has changed.
    int changed = 0;
    for (auto it = before.begin(); it != before.end(); ++it) {
        const ActionEntry* entry = FrameActions::find(it.key()->objectName().toLatin1().data());
        const char* key = entry ? entry->key : nullptr;
        if (!key)
            continue;
        EXPECT_EQ(it.key()->text().toStdString(), swedish.text(key)) << entry->name;
        if (it.value().toStdString() != swedish.text(key))
            ++changed;
    }
    EXPECT_GT(changed, 45);
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>()) {
        const std::string key = menu->property("captionKey").toByteArray().toStdString();
        if (key.empty())
            continue; // Qt's own menus of the bar
        EXPECT_EQ(menu->title().toStdString(), swedish.text(key));
    }
    EXPECT_EQ(frame->output().findChild<QAction*>("PrintSetup1")->text().toStdString(),
              swedish.text("PrintSetup"));

    // The windows, the status bar, the help and the buttons of Qt's own dialogs follow.
    EXPECT_EQ(frame->subWindowOf(&frame->rangeWindow())->windowTitle(), "Intervall");
    EXPECT_EQ(frame->rangeWindow().windowTitle(), "Intervall");
    EXPECT_EQ(status(), text("Root") + ": " + text("SelectARangeOnTheGraph"));
    EXPECT_TRUE(status().startsWith("Nollställe"));
    EXPECT_TRUE(frame->helpWindow()->browser()->source().path().endsWith("ldrSwedish.html"));
    EXPECT_EQ(frame->helpWindow()->windowTitle().toStdString(), swedish.text("HelpWindow"));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Avbryt");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(),
              swedish.text("ButtonYes"));

    // Dialogs made later speak it too, and the next start keeps it.
    questions.expectDialog("TAboutBox", [](QDialog& dialog) {
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Om Lindor");
        return int(QDialog::Rejected);
    });
    action("About1")->trigger();
    restart();
    EXPECT_EQ(app->language.currentName(), "Swedish");
}

} // namespace
} // namespace lindor::ui::test
