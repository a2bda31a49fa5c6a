// A user's paths through the graph commands, with the real windows and mouse events.
#include "FrameFixture.h"

namespace lindor::ui::test {
namespace {

using graph::Mode;

TEST_F(FrameTest, TypicalRequestFindsTheRootAndMarksIt) {
    plot("x^2-2");
    ASSERT_EQ(state().functionCount(), 1);
    EXPECT_EQ(entry().history().front(), "x^2-2");
    EXPECT_EQ(entry().text(), "x^2-2"); // the entry keeps its text after Enter

    action("Root1")->trigger();
    EXPECT_EQ(status(), text("Root") + ": " + text("SelectARangeOnTheGraph"));
    drag(1, 1, 2, -1);
    EXPECT_EQ(log(), (QStringList{"", "y = x^2-2", text("Root") + ": x = 1.414213562"}));
    EXPECT_TRUE(markedAt(1.414213562L, 0));
    EXPECT_FALSE(state().anyPending());
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(FrameTest, EveryAnalysisWritesItsLines) {
    plot("4-x^2");
    plot("x");
    plot("(x-4)^2-3");
    const QString for_ = " " + text("for") + " ";
    action("Max1")->trigger();
    drag(-1, 5, 1, 3); // only 4-x^2 passes through: no question
    EXPECT_EQ(log().last(), text("Maximum") + ": " + text("Ymax") + "=4" + for_ + "x = 0");
    EXPECT_TRUE(markedAt(0, 4));

    action("Min1")->trigger();
    drag(3, -2.5, 5, -3.5);
    EXPECT_EQ(log().last(), text("Minimum") + ": " + text("Ymin") + "=-3" + for_ + "x = 4");

    // All three pass: the user is asked, cancels, and nothing is logged.
    const int before = log().size();
    questions.expectDialog("TSelectGraphWindow", [](QDialog&) { return QDialog::Rejected; });
    action("Min1")->trigger();
    drag(-3, 0, 3, -6);
    EXPECT_EQ(log().size(), before);

    action("YIntersection1")->trigger();
    drag(-0.5, 0.5, 0.5, -0.5);
    EXPECT_EQ(log().last(), text("YIntersection") + ": y = 0");

    action("Intersection1")->trigger();
    drag(1.4, 1.8, 1.7, 1.3);
    EXPECT_EQ(log().mid(log().size() - 2),
              (QStringList{"y1=4-x^2 " + text("and") + " y2=x",
                           text("Intersection") + ": y = 1.561552813" + for_ + "x = 1.561552813"}));

    questions.expectInput(QString("3"), text("YCalc"));
    action("YCalc1")->trigger();
    drag(2, 4, 4, 2);
    EXPECT_EQ(log().last(), text("YCalc") + ": y = 3" + for_ + "x = 3");
    EXPECT_TRUE(markedAt(3, 3));

    questions.expectInput(QString("-2"), text("XCalc"));
    action("XCalc1")->trigger();
    drag(4.5, -1.5, 5.5, -2.5);
    EXPECT_EQ(log().last(), text("XCalc") + ": y = -2" + for_ + "x = 5");
    EXPECT_EQ(log().size(), 18);
}

} // namespace
} // namespace lindor::ui::test
