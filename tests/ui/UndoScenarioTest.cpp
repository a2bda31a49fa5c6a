// Undo and redo of the work through the real frame: the steps, their names in the Edit
// menu, the saved state and the entry box's own undo.
#include "FrameFixture.h"

namespace lindor::ui::test {
namespace {

using graph::Mode;

class UndoTest : public FrameTest {
protected:
    std::vector<std::string> plotted() { return state().plottedTexts(); }
    QString undoCaption() { return action("Undo1")->text(); }
    static QString step(QString caption, const QString& name) {
        return caption.replace("%s", name);
    }
    void undo() { action("Undo1")->trigger(); }
    void redo() { action("Redo1")->trigger(); }
};

TEST_F(UndoTest, EachChangeOfTheWorkIsAStepBackAndForth) {
    EXPECT_FALSE(action("Undo1")->isEnabled());
    EXPECT_EQ(undoCaption(), text("MenuUndo"));
    plot("x^2-2");
    EXPECT_EQ(undoCaption(), step(text("MenuUndoStep"), step(text("StepPlot"), "x^2-2")));
    plot("sin x");
    questions.expectDialog("TSelectGraphWindow", choose({0}));
    action("toolbtnEraseFunction")->trigger();
    action("Grid1")->trigger();
    EXPECT_EQ(undoCaption(),
              step(text("MenuUndoStep"), WorkSteps::stepName(action("Grid1")->text())));
    action("toolbtnIntegralMode")->trigger();
    plot("x;0;1");
    const QImage integral = graph().bitmap().copy();
    const QStringList logged = log();
    ASSERT_EQ(logged.size(), 3);

    undo(); // the integral
    EXPECT_EQ(state().mode(), Mode::Integral);
    EXPECT_TRUE(plotted().empty());
    undo(); // the mode: function mode with its history and what it had plotted
    EXPECT_EQ(state().mode(), Mode::Function);
    EXPECT_EQ(plotted(), std::vector<std::string>{"sin x"});
    EXPECT_EQ(entry().history(), (std::vector<std::string>{"sin x", "x^2-2"}));
    EXPECT_TRUE(action("toolbtnFunctionMode")->isChecked());
    undo(); // the grid
    EXPECT_TRUE(action("Grid1")->isChecked());
    EXPECT_TRUE(state().view.showGrid);
    undo(); // the erase
    EXPECT_EQ(plotted(), (std::vector<std::string>{"x^2-2", "sin x"}));
    EXPECT_EQ(step(text("MenuRedoStep"), text("StepErase")), action("Redo1")->text());
    // A function plotted again is one the engine can evaluate.
    long double y = 0;
    ASSERT_TRUE(state().functions()[0].compiled->Evaluate(2, y));
    EXPECT_EQ(y, 2);

    for (int i = 0; i < 4; ++i)
        redo();
    EXPECT_FALSE(action("Redo1")->isEnabled());
    EXPECT_EQ(state().mode(), Mode::Integral);
    EXPECT_EQ(plotted(), std::vector<std::string>{"x;0;1"});
    EXPECT_FALSE(action("Grid1")->isChecked());
    EXPECT_EQ(graph().bitmap(), integral);
    EXPECT_EQ(log(), logged); // shown again, not worked out again

    // A new change after undo drops what could have been redone.
    undo();
    plot("x^2;0;2");
    EXPECT_FALSE(action("Redo1")->isEnabled());
}

TEST_F(UndoTest, TheMarkOfChangesFollowsTheSavedState) {
    plot("x");
    questions.expectSaveFile(QString::fromStdString(dir.file("saved")));
    action("Save1")->trigger();
    EXPECT_FALSE(frame->windowTitle().endsWith("*"));
    action("Zoomin1")->trigger();
    EXPECT_TRUE(frame->windowTitle().endsWith("*"));
    undo(); // back to what was saved
    EXPECT_FALSE(frame->windowTitle().endsWith("*"));
    EXPECT_FALSE(app->modified());
    EXPECT_EQ(frame->rangeWindow().texts(), graph::standardRangeTexts());
    undo(); // before the save: changed again
    EXPECT_TRUE(frame->windowTitle().endsWith("*"));
    EXPECT_EQ(state().functionCount(), 0);
    redo();
    EXPECT_FALSE(app->modified());

    // New and Open start afresh: nothing to undo.
    plot("x^2");
    questions.expectSaveChanges(Questions::Answer::Discard);
    action("New1")->trigger();
    EXPECT_FALSE(action("Undo1")->isEnabled());
    EXPECT_FALSE(frame->windowTitle().endsWith("*"));
}

TEST_F(UndoTest, UndoInTheEntryBoxTakesBackTheTypingFirst) {
    plot("x");
    entry().setFocus();
    QTest::keyClicks(entry().lineEdit(), "x^2");
    QTest::keyClick(entry().lineEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(entry().text(), "x"); // the typing went, the plot stays
    EXPECT_EQ(state().functionCount(), 1);
    QTest::keyClick(entry().lineEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state().functionCount(), 0); // nothing typed to undo: the plot went
    // Redo the same way: the typing first, then the work.
    const auto redoKey = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::keyClick(entry().lineEdit(), Qt::Key_Z, redoKey);
    EXPECT_EQ(entry().text(), "x^2");
    EXPECT_EQ(state().functionCount(), 0);
    QTest::keyClick(entry().lineEdit(), Qt::Key_Z, redoKey);
    EXPECT_EQ(state().functionCount(), 1);
    // Ctrl+Y stays Y-Calc.
    graph().setFocus();
    QTest::keyClick(&graph(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(state().isPending(graph::RangeOperation::YCalc));
}

} // namespace
} // namespace lindor::ui::test
