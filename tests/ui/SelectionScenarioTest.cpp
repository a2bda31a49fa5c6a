// Ranges dragged in every direction, clicks and Escape, the messages of an empty range, and
// what enters the entry box's history, walked through the real frame.
#include "FrameFixture.h"

#include <QAbstractButton>
#include <QLineEdit>

#include "graph/analysis/GridSteps.h"
#include "ui/FunctionPad.h"

namespace lindor::ui::test {
namespace {

using graph::RangeOperation;

class SelectionTest : public FrameTest {
protected:
    // A press and release at the same point, as a careless user clicks.
    void click(long double x, long double y) {
        const QPoint at = pixel(x, y);
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    // The four ways of dragging the rectangle with corners (x0, y0) and (x1, y1).
    static std::vector<std::array<long double, 4>> everyDirection(long double x0, long double y0,
                                                                  long double x1, long double y1) {
        return {{x0, y0, x1, y1}, {x1, y1, x0, y0}, {x1, y0, x0, y1}, {x0, y1, x1, y0}};
    }
};

TEST_F(SelectionTest, RootIsFoundWhicheverWayTheRangeIsDraggedAndAClickWaits) {
    plot("x^2-4");
    for (const auto& d : everyDirection(1, 1, 3, -1)) {
        action("Root1")->trigger();
        drag(d[0], d[1], d[2], d[3]);
        EXPECT_EQ(log().last(), text("Root") + ": x = 2") << d[0] << "," << d[1];
        EXPECT_FALSE(state().anyPending());
    }
    const int lines = log().size();

    // A click is no range: nothing is asked, the operation waits and the status bar says so.
    action("Root1")->trigger();
    click(2, 0);
    EXPECT_TRUE(state().isPending(RangeOperation::Root));
    EXPECT_EQ(status(), text("Root") + ": " + text("DragARangeNotAClick"));
    EXPECT_EQ(log().size(), lines);
    drag(3, -1, 1, 1);
    EXPECT_EQ(log().last(), text("Root") + ": x = 2");
}

TEST_F(SelectionTest, ZoomBoxTakesTheRectangleInEveryDirectionAndIgnoresAClick) {
    plot("x");
    for (const auto& d : everyDirection(-2, 3, 4, -1)) {
        action("ZoomBox1")->trigger();
        drag(d[0], d[1], d[2], d[3]);
        const graph::Range r = state().range();
        EXPECT_NEAR(double(r.xMin), -2, 0.05);
        EXPECT_NEAR(double(r.xMax), 4, 0.05);
        EXPECT_NEAR(double(r.yMin), -1, 0.05);
        EXPECT_NEAR(double(r.yMax), 3, 0.05);
        action("UndoZoom1")->trigger();
        ASSERT_EQ(state().range(), graph::Range::standard());
    }
    // A click used to mirror the view; now it changes nothing and the zoom box waits.
    action("ZoomBox1")->trigger();
    click(1, 1);
    EXPECT_EQ(state().range(), graph::Range::standard());
    EXPECT_TRUE(state().isPending(RangeOperation::ZoomBox));
    EXPECT_EQ(status(), text("ZoomBox") + ": " + text("DragARangeNotAClick"));

    // A box around a root: the steps shrink with it, so that grid and scale text remain.
    drag(1.3L, 0.2L, 1.6L, -0.1L);
    const graph::Range zoomed = state().range();
    EXPECT_LT(zoomed.xStep, 0.3L);
    EXPECT_GE(zoomed.xStep / (zoomed.xMax - zoomed.xMin) * state().area().width,
              graph::analysis::kSmallestStepPixels);
}

TEST_F(SelectionTest, EscapeEndsADragAndGivesUpThePendingOperation) {
    plot("x^2-4");
    action("Root1")->trigger();
    graph().setFocus();
    QTest::keyClick(&graph(), Qt::Key_Escape);
    EXPECT_FALSE(state().anyPending());
    EXPECT_TRUE(status().isEmpty());

    // In the middle of a drag: the release that follows runs nothing.
    action("ZoomBox1")->trigger();
    mouse(QEvent::MouseButtonPress, pixel(-2, 3), Qt::LeftButton);
    mouse(QEvent::MouseMove, pixel(4, -1), Qt::LeftButton);
    EXPECT_TRUE(graph().isRangeRectangleShown());
    QTest::keyClick(&graph(), Qt::Key_Escape);
    EXPECT_FALSE(graph().isRangeRectangleShown());
    mouse(QEvent::MouseButtonRelease, pixel(4, -1), Qt::NoButton);
    EXPECT_EQ(state().range(), graph::Range::standard());

    // From the entry box as well.
    action("Max1")->trigger();
    QTest::keyClick(&entry(), Qt::Key_Escape);
    EXPECT_FALSE(state().anyPending());
}

TEST_F(SelectionTest, AnEmptyRangeSaysWhetherNothingIsPlottedOrNothingPassesThrough) {
    questions.expectError(text("AtLeastOneFunctionMustBePlotted"));
    action("Root1")->trigger();
    drag(1, 1, 3, -1);
    plot("x^2-4");
    questions.expectError(text("NoFunctionInTheRange"));
    action("Root1")->trigger();
    drag(-6, -4, -5, -3); // far from the curve
    plot("x");
    questions.expectError(text("TwoFunctionsNotInTheRange"));
    action("Intersection1")->trigger();
    drag(1, 1, 3, -1); // only x^2-4 passes here
    EXPECT_TRUE(questions.done());
}

TEST_F(SelectionTest, TheNextFunctionTypedReplacesThePlottedOne) {
    EXPECT_EQ(entry().lineEdit()->placeholderText(), text("EntryExampleFunction"));
    entry().setFocus();
    QTest::keyClicks(entry().lineEdit(), "x^2-2");
    QTest::keyClick(entry().lineEdit(), Qt::Key_Return);
    EXPECT_EQ(entry().lineEdit()->selectedText(), "x^2-2");
    QTest::keyClicks(entry().lineEdit(), "sin x");
    QTest::keyClick(entry().lineEdit(), Qt::Key_Return);
    ASSERT_EQ(state().functionCount(), 2);
    EXPECT_EQ(state().functions()[1].text, "sin x");
    action("toolbtnIntegralMode")->trigger();
    EXPECT_EQ(entry().lineEdit()->placeholderText(), text("EntryExampleIntegral"));
}

TEST_F(SelectionTest, ARefusedThirteenthFunctionStaysInTheBoxAndOutOfTheHistory) {
    for (int p = 0; p < graph::kMaxFunctions; ++p)
        plot(QString("x+%1").arg(p));
    questions.expectInformation(text("functionsSupported"));
    plot("x^3");
    EXPECT_EQ(entry().history().size(), 12u);
    EXPECT_EQ(entry().history().front(), "x+11");
    EXPECT_EQ(entry().text(), "x^3");

    // The pad's EXE keeps it as well; a derivative refused at the limit stays out too.
    questions.expectInformation(text("functionsSupported"));
    QTest::mouseClick(frame->functionPad().findChild<QAbstractButton*>("spdbtnEXE"),
                      Qt::LeftButton);
    EXPECT_EQ(entry().text(), "x^3");
    questions.expectDialog("TSelectGraphWindow", choose({0}))
        .expectInformation(text("functionsSupported"));
    action("Derivative1")->trigger();
    EXPECT_EQ(entry().history().size(), 12u);
    EXPECT_TRUE(questions.done());
}

TEST_F(SelectionTest, ATypoInIntegralModeKeepsTheIntegralShown) {
    action("toolbtnIntegralMode")->trigger();
    plot("x^2;0;1");
    const QImage shown = graph().bitmap().copy();
    questions.expectDialog("TdlgIntegralInstructions", [](QDialog&) { return QDialog::Rejected; });
    plot("x^2;0");
    questions.expectError();
    plot("x^^2;0;1");
    ASSERT_TRUE(state().integral());
    EXPECT_EQ(state().integral()->text, "x^2;0;1");
    EXPECT_EQ(graph().bitmap(), shown);
    EXPECT_EQ(entry().text(), "x^^2;0;1"); // there to be corrected
    EXPECT_EQ(entry().history(), std::vector<std::string>{"x^2;0;1"});
}

} // namespace
} // namespace lindor::ui::test
