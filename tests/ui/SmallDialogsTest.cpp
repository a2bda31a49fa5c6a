// The small dialogs and the log window on their own, driven through their widgets: the
// function selection's refusal, the zoom factors' both-or-neither rule, the axis texts,
// the "do not show again" boxes and the log's lines.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "ScriptedQuestions.h"
#include "UiTestSupport.h"
#include "ui/AxisTextDialog.h"
#include "ui/ClipboardNotice.h"
#include "ui/InstructionsDialog.h"
#include "ui/LogWindow.h"
#include "ui/SelectFunctionDialog.h"
#include "ui/ZoomFactorDialog.h"

namespace lindor::ui::test {
namespace {

void clickButton(QWidget& dialog, const char* name) {
    QTest::mouseClick(child<QPushButton>(dialog, name), Qt::LeftButton);
}

void clickRow(QListWidget* list, int row, bool twice = false) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

struct SelectDialogFixture : ::testing::Test {
    std::unique_ptr<lang::Language> language = shippedLanguage("English");
    ScriptedQuestions questions;
    TSelectGraphWindow dialog{*language, questions};

    void SetUp() override {
        dialog.setItems({{"x^2-2", Qt::blue}, {"sin x", Qt::darkGreen}, {"cos x", Qt::red}});
        dialog.setWindowTitle("Select Function");
        dialog.show();
    }
};

TEST_F(SelectDialogFixture, OkWithNothingSelectedIsRefusedUntilAFunctionIsChosen) {
    EXPECT_TRUE(dialog.selectedRows().empty()); // showing it selects nothing
    questions.expectError("You must select a function");
    clickButton(dialog, "OKBtn");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(questions.done());

    clickRow(dialog.list(), 1);
    clickButton(dialog, "OKBtn");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedRows(), std::vector<int>{1});
    EXPECT_EQ(dialog.windowTitle(), "Select Function"); // the caller's caption stays
}

TEST_F(SelectDialogFixture, EraseSelectsSeveralInListOrderAndSingleSelectionComesBack) {
    dialog.setMultiSelection(true);
    clickRow(dialog.list(), 2);
    clickRow(dialog.list(), 0);
    EXPECT_EQ(dialog.selectedRows(), (std::vector<int>{0, 2}));
    clickRow(dialog.list(), 2); // a second click takes it back out
    EXPECT_EQ(dialog.selectedRows(), std::vector<int>{0});

    dialog.setMultiSelection(false);
    EXPECT_FALSE(dialog.isMultiSelection());
    EXPECT_TRUE(dialog.selectedRows().empty());
    clickRow(dialog.list(), 0);
    clickRow(dialog.list(), 2);
    EXPECT_EQ(dialog.selectedRows(), std::vector<int>{2});

    // A double-click is OK on that function.
    clickRow(dialog.list(), 1, true);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedRows(), std::vector<int>{1});
}

TEST(ZoomFactorDialog, OkTakesBothFactorsOrNeither) {
    const auto language = shippedLanguage("English");
    ScriptedQuestions questions;
    NumberLocale comma;
    comma.decimalSeparator = ',';
    TdlgZoomFactor dialog(*language, questions, comma);
    dialog.setFactors(2, 1.5);
    dialog.show();
    EXPECT_EQ(dialog.editX()->text(), "2");
    EXPECT_EQ(dialog.editY()->text(), "1,5");
    EXPECT_EQ(dialog.windowTitle(), "Zoom Factor");

    // A good X with a bad Y changes neither factor, and the dialog stays open.
    retype(dialog.editX(), "3");
    retype(dialog.editY(), "abc");
    questions.expectError("'abc' is not a number.");
    clickButton(dialog, "OKBtn");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.editY()->selectedText(), "abc"); // ready to be typed over
    EXPECT_EQ(dialog.factorX(), 2);
    EXPECT_EQ(dialog.factorY(), 1.5);

    // Factors that would break zooming are refused by name.
    for (const char* bad : {"0", "-2", "1e-400"}) {
        retype(dialog.editY(), bad);
        questions.expectError(QString("'%1' cannot be a zoom factor").arg(bad));
        clickButton(dialog, "OKBtn");
        EXPECT_TRUE(dialog.isVisible()) << bad;
    }
    EXPECT_EQ(dialog.factorX(), 2);

    retype(dialog.editX(), "1,5");
    retype(dialog.editY(), "sqrt 16");
    clickButton(dialog, "OKBtn");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.factorX(), 1.5);
    EXPECT_EQ(dialog.factorY(), 4);
    EXPECT_TRUE(questions.done());
}

TEST(AxisTextDialog, GivesBackTheTextsAsTypedAndCancelsWithEscape) {
    const auto swedish = shippedLanguage("Swedish");
    TdlgAxisText dialog(*swedish);
    dialog.setTexts("x", "y");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Axeltext");
    EXPECT_EQ(child<QPushButton>(dialog, "CancelBtn")->text(), "Avbryt");
    retype(dialog.editX(), " t (s) ");
    EXPECT_EQ(dialog.xText(), " t (s) ");
    EXPECT_EQ(dialog.yText(), "y");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// The instructions and the clipboard notice only report the box; the caller stores it.
TEST(NoticeDialogs, NeverShowBoxAndHelp) {
    const auto language = shippedLanguage("English");
    TdlgFunctionInstructions functions(*language);
    TdlgIntegralInstructions integrals(*language);
    TCopy2ClipboardMessage clipboard(*language);
    functions.setNeverShow(true);
    EXPECT_TRUE(functions.neverShow());
    functions.setNeverShow(false);
    functions.show();
    QTest::mouseClick(functions.neverShowBox(), Qt::LeftButton);
    EXPECT_TRUE(functions.neverShow());
    EXPECT_EQ(functions.windowTitle(), "Instructions for Function Mode");
    EXPECT_EQ(functions.neverShowBox()->text(), "Do not show this message any more");

    // Help stays hidden until there is a help window; then it names the topic.
    auto* help = child<QPushButton>(functions, "HelpBtn");
    EXPECT_FALSE(help->isVisible());
    functions.setHelpAvailable(true);
    QSignalSpy asked(&functions, &InstructionsDialog::helpRequested);
    QTest::mouseClick(help, Qt::LeftButton);
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.front().front().toString(), "How_To_Plot_A_Function");
    EXPECT_TRUE(functions.isVisible());
    EXPECT_EQ(integrals.helpTopic(), "How_To_Calculate_The_Value_Of_An_Integral");

    clipboard.show();
    EXPECT_FALSE(clipboard.neverShow());
    QTest::keyClick(clipboard.neverShowBox(), Qt::Key_Space);
    EXPECT_TRUE(clipboard.neverShow());
    EXPECT_EQ(clipboard.windowTitle(), "Copy to Clipboard");
}

TEST(InstructionsDialog, ExamplePicturesShowTheirCurves) {
    // Each example's picture is drawn by the graph code: its curve's blue is in it.
    const auto language = shippedLanguage("English");
    TdlgFunctionInstructions functions(*language);
    TdlgIntegralInstructions integrals(*language);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&functions, &integrals}) {
        const QList<QLabel*> pictures =
            dialog->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^imgExample")));
        ASSERT_EQ(pictures.size(), dialog == &functions ? 2 : 1);
        for (QLabel* picture : pictures) {
            const QImage image = picture->pixmap().toImage();
            ASSERT_FALSE(image.isNull());
            int blue = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    blue += image.pixelColor(x, y) == QColor(0, 0, 255);
            EXPECT_GT(blue, 40) << picture->objectName().toStdString();
        }
    }
}

TEST(LogWindow, KeepsEmptyLinesAndAppendsAfterTypedText) {
    const auto language = shippedLanguage("English");
    TLogWindow log(*language);
    log.show();
    EXPECT_EQ(log.windowTitle(), "Log");
    EXPECT_TRUE(log.lines().isEmpty());
    log.appendLines({"", "y = x^2-2", "Root: x = 1.414213562"});
    EXPECT_EQ(log.lines(), (QStringList{"", "y = x^2-2", "Root: x = 1.414213562"}));

    // The user types a note on the last line; the next result goes below it.
    log.memo()->moveCursor(QTextCursor::End);
    QTest::keyClicks(log.memo(), "note");
    log.appendLines({"", "y = sin x"});
    EXPECT_EQ(log.lines(),
              (QStringList{"", "y = x^2-2", "Root: x = 1.414213562", "note", "", "y = sin x"}));
    log.clear();
    EXPECT_TRUE(log.lines().isEmpty());
}

} // namespace
} // namespace lindor::ui::test
