// The range window on its own: the ready-made ranges, keys in the grid, the saved range
// and Redraw, driven through its real widgets.
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <stdexcept>

#include "ScriptedQuestions.h"
#include "UiTestSupport.h"
#include "expr/FuncEval.h"
#include "ui/RangeWindow.h"

namespace lindor::ui::test {
namespace {

using Texts = graph::RangeTexts;

struct RangeWindowFixture : ::testing::Test {
    std::unique_ptr<lang::Language> language = shippedLanguage("English");
    TempSettings temp;
    expr::EngineContext engine;
    ScriptedQuestions questions;
    TRangeWindow window{*language, temp.settings, engine, questions};
    int applied = 0;
    bool applyAccepts = true;

    void SetUp() override {
        window.setApplyRange([this] {
            ++applied;
            return applyAccepts;
        });
        window.show();
        window.setRedrawEnabled(false); // as the frame leaves it after start-up
    }

    void click(const char* button) {
        QTest::mouseClick(child<QToolButton>(window, button), Qt::LeftButton);
    }
    // The editor of the current value cell: it is open whenever the window is shown.
    QLineEdit* editor() {
        QTableWidget* grid = window.grid();
        auto* line = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
        EXPECT_NE(line, nullptr) << "no editor open on row " << grid->currentRow();
        return line;
    }
};

TEST_F(RangeWindowFixture, ReadyMadeRangesFollowTheAngleModeAtTheClick) {
    EXPECT_EQ(window.texts(), graph::standardRangeTexts()); // the first show
    click("spdbtnRangeTrigonometry");
    EXPECT_EQ(window.texts(), (Texts{"-9.42477796076938", "9.42477796076938", "1.5707963267949",
                                     "-3.14159265358979", "3.14159265358979", "1"}));
    EXPECT_TRUE(window.isRedrawEnabled());
    EXPECT_EQ(applied, 0); // filling never redraws

    engine.angleMode = expr::AngleMode::Degrees;
    engine.locale.decimalSeparator = ',';
    window.setRedrawEnabled(false);
    click("spdbtnRangeTrigonometry");
    EXPECT_EQ(window.texts(),
              (Texts{"-540", "540", "90", "-3,14159265358979", "3,14159265358979", "1"}));
    EXPECT_TRUE(window.isRedrawEnabled());

    window.setRedrawEnabled(false);
    click("spdbtnRangeStandard");
    EXPECT_EQ(window.texts(), (Texts{"-7", "7", "1", "-5", "5", "1"}));
    EXPECT_TRUE(window.isRedrawEnabled());
    EXPECT_EQ(applied, 0);
}

TEST_F(RangeWindowFixture, EnterAndEscapeMoveDownAndEnterOnTheLastRowRedraws) {
    QTableWidget* grid = window.grid();
    ASSERT_EQ(grid->currentRow(), 0);
    editor()->selectAll();
    QTest::keyClicks(editor(), "-3");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(window.texts()[0], "-3");
    EXPECT_TRUE(window.isRedrawEnabled());

    // Escape keeps what was typed and moves on as Enter does.
    window.setRedrawEnabled(false);
    editor()->selectAll();
    QTest::keyClicks(editor(), "abc");
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(window.texts()[1], "abc");
    EXPECT_TRUE(window.isRedrawEnabled());

    // A key reaching the grid itself (no editor open) does the same.
    QTest::keyClick(grid, Qt::Key_Enter);
    EXPECT_EQ(grid->currentRow(), 3);
    for (int row = 3; row < 5; ++row)
        QTest::keyClick(editor(), Qt::Key_Return);
    ASSERT_EQ(grid->currentRow(), 5);
    EXPECT_EQ(applied, 0);

    // On Ystep Enter applies the texts; the key itself then marks them not applied again.
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(grid->currentRow(), 5);
    EXPECT_TRUE(window.isRedrawEnabled());

    // Any other key only marks the texts as not applied.
    window.setRedrawEnabled(false);
    QTest::keyClick(editor(), Qt::Key_5);
    EXPECT_TRUE(window.isRedrawEnabled());
    EXPECT_EQ(window.texts()[5], "5"); // a cell's text is selected when it is entered
    EXPECT_TRUE(questions.done());
}

TEST_F(RangeWindowFixture, SaveThenOpenGivesBackTheTextsAsTyped) {
    click("spdbtnRangeOpen"); // nothing saved yet: the standard range
    EXPECT_EQ(window.texts(), graph::standardRangeTexts());
    EXPECT_TRUE(window.isRedrawEnabled());

    const Texts typed{"2e1", "-1,5", "", "abc", " 5 ", "0.25"};
    window.setTexts(typed);
    window.setRedrawEnabled(false);
    click("spdbtnRangeSpara");
    EXPECT_FALSE(window.isRedrawEnabled()); // saving leaves it as it was
    EXPECT_EQ(temp.settings.savedRange().value_or(Texts{}), typed);

    click("spdbtnRangeStandard");
    click("spdbtnRangeOpen");
    EXPECT_EQ(window.texts(), typed);
}

TEST(RangeWindow, AFailedSaveNamesTheSettingsFile) {
    const auto language = shippedLanguage("English");
    TempSettings temp;
    files::SettingsFile settings = unwritableSettings(temp.path);
    expr::EngineContext engine;
    ScriptedQuestions questions;
    TRangeWindow window(*language, settings, engine, questions);
    window.show();
    questions.expectError(QString::fromStdString(temp.path));
    QTest::mouseClick(child<QToolButton>(window, "spdbtnRangeSpara"), Qt::LeftButton);
    EXPECT_TRUE(questions.done());
}

TEST_F(RangeWindowFixture, ARefusedApplyKeepsRedrawEnabled) {
    window.setRedrawEnabled(true);
    applyAccepts = false;
    click("spdbtnRedraw");
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(window.isRedrawEnabled());

    // An exception from the apply step is shown, never thrown through the event loop.
    window.setApplyRange([]() -> bool { throw std::runtime_error("out of memory"); });
    questions.expectError("out of memory");
    click("spdbtnRedraw");
    EXPECT_TRUE(window.isRedrawEnabled());

    applyAccepts = true;
    window.setApplyRange([this] { return ++applied > 0; });
    click("spdbtnRedraw");
    EXPECT_FALSE(window.isRedrawEnabled());
    EXPECT_TRUE(questions.done());
}

TEST(RangeWindow, TextsComeFromTheLanguageWhenShown) {
    const auto swedish = shippedLanguage("Swedish");
    TempSettings temp;
    expr::EngineContext engine;
    ScriptedQuestions questions;
    TRangeWindow window(*swedish, temp.settings, engine, questions);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Intervall");
    EXPECT_EQ(window.grid()->item(5, 0)->text(), "Ysteg");
    EXPECT_EQ(child<QToolButton>(window, "spdbtnRangeSpara")->toolTip(), "Spara intervallvärdena");
    // The labels cannot be edited or become the current cell.
    EXPECT_FALSE(window.grid()->item(0, 0)->flags() & Qt::ItemIsEditable);
    QTest::mouseClick(window.grid()->viewport(), Qt::LeftButton, {},
                      window.grid()->visualItemRect(window.grid()->item(3, 0)).center());
    EXPECT_EQ(window.grid()->currentColumn(), 1);
}

} // namespace
} // namespace lindor::ui::test
