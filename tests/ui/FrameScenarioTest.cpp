// Modes, erase, zoom, trace, the range, shortcuts and what survives a restart, walked
// through the real frame.
#include "FrameFixture.h"

#include <QClipboard>
#include <QMimeData>
#include <cmath>

#include "graph/analysis/PointerText.h"

namespace lindor::ui::test {
namespace {

using graph::Mode;

TEST_F(FrameTest, ModesKeepTheirOwnHistoriesAndForgetTheGraph) {
    plot("x^2");
    plot("sin x");
    action("toolbtnIntegralMode")->trigger();
    EXPECT_EQ(state().mode(), Mode::Integral);
    EXPECT_EQ(state().functionCount(), 0);
    EXPECT_TRUE(entry().history().empty());
    EXPECT_FALSE(action("Root1")->isEnabled());

    plot("x^2;0;1");
    EXPECT_EQ(log(), (QStringList{"", "y = x^2;0;1", text("Integral") + "=0.3333333333"}));
    // Limits as expressions; a diverging integral says so instead of giving a number; a
    // limit that depends on x is refused with the reason.
    plot("1/x;-1;sqrt 2");
    EXPECT_EQ(log().mid(3),
              (QStringList{"", "y = 1/x;-1;sqrt 2", text("IntegralUnbounded").replace("%s", "0")}));
    questions.expectError("'x'");
    plot("x;0;x");
    EXPECT_TRUE(questions.done());
    // Enter on an empty box shows the instructions and logs nothing again.
    questions.expectDialog("TdlgIntegralInstructions", [](QDialog&) { return QDialog::Rejected; });
    plot("");
    graph().resize(graph().width() + 20, graph().height());
    QApplication::processEvents();
    EXPECT_EQ(log().size(), 6);

    action("toolbtnFunctionMode")->trigger();
    EXPECT_EQ(entry().history(), (std::vector<std::string>{"sin x", "x^2"}));
    EXPECT_TRUE(log().isEmpty());
    action("toolbtnIntegralMode")->trigger();
    EXPECT_EQ(entry().history(), (std::vector<std::string>{"1/x;-1;sqrt 2", "x^2;0;1"}));
}

TEST_F(FrameTest, EraseTwoOfThreeLeavesTheThirdWorking) {
    plot("x+1");
    plot("x^2-4");
    plot("x-1");
    questions.expectDialog("TSelectGraphWindow", [this](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), text("SelectFunctionToErase"));
        return choose({0, 2})(dialog);
    });
    action("toolbtnEraseFunction")->trigger();
    ASSERT_EQ(state().functionCount(), 1);
    EXPECT_EQ(state().functions()[0].text, "x^2-4");

    action("Root1")->trigger();
    drag(1, 1, 3, -1);
    EXPECT_EQ(log().last(), text("Root") + ": x = 2");
}

TEST_F(FrameTest, CellsHoldingConstantsApplyAndZoom) {
    plot("sin x");
    frame->rangeWindow().setTexts({"-2pi", "2pi", "pi/2", "-1,000/1,000", "1", "0.5"});
    ASSERT_TRUE(frame->ranges().applyRange());
    EXPECT_NEAR(double(state().range().xMax), 2 * M_PI, 1e-13);
    EXPECT_EQ(state().range().yMin, -1);
    action("ZoomOut1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(),
              (graph::RangeTexts{"-12.5663706143592", "12.5663706143592", "3.14159265358979", "-2",
                                 "2", "1"}));
    action("UndoZoom1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts()[0], "-2pi");
}

TEST_F(FrameTest, ZoomInUndoAndZoomBox) {
    plot("x");
    action("Zoomin1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(),
              (graph::RangeTexts{"-3.5", "3.5", "0.5", "-2.5", "2.5", "0.5"}));
    EXPECT_EQ(state().range().xMax, 3.5L);
    action("UndoZoom1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), graph::standardRangeTexts());
    EXPECT_EQ(state().range().xMax, 7);

    action("ZoomBox1")->trigger();
    drag(-2, 3, 4, -1);
    const graph::Range r = state().range();
    EXPECT_NEAR(double(r.xMin), -2, 0.05);
    EXPECT_NEAR(double(r.xMax), 4, 0.05);
    EXPECT_NEAR(double(r.yMin), -1, 0.05);
    EXPECT_NEAR(double(r.yMax), 3, 0.05);
    // The steps suit the new view: grid lines 40 to 100 pixels apart.
    const graph::PlotArea& a = state().area();
    EXPECT_GE(r.xStep / (r.xMax - r.xMin) * a.width, 40);
    EXPECT_LT(r.xStep / (r.xMax - r.xMin) * a.width, 100);
    EXPECT_GE(r.yStep / (r.yMax - r.yMin) * a.height, 40);
    EXPECT_LT(r.yStep / (r.yMax - r.yMin) * a.height, 100);
    action("UndoZoom1")->trigger();
    EXPECT_EQ(state().range(), graph::Range::standard());
}

TEST_F(FrameTest, RefusedRangesChangeNothing) {
    plot("x");
    const QImage before = graph().bitmap().copy();
    graph::RangeTexts texts = graph::standardRangeTexts();
    texts[2] = "abc";
    frame->rangeWindow().setTexts(texts);
    questions.expectError("'abc'");
    EXPECT_FALSE(frame->ranges().applyRange());
    texts[2] = "0";
    frame->rangeWindow().setTexts(texts);
    questions.expectError(text("RangeNotUsable"));
    EXPECT_FALSE(frame->ranges().applyRange());
    EXPECT_EQ(state().range(), graph::Range::standard());
    EXPECT_EQ(frame->rangeWindow().texts(), texts);
    EXPECT_EQ(graph().bitmap(), before);

    // Bounds out of order are refused by name; nothing changes.
    frame->rangeWindow().setTexts({"7", "-7", "1", "-5", "5", "1"});
    questions.expectError(text("XminNotBelowXmax"));
    EXPECT_FALSE(frame->ranges().applyRange());
    frame->rangeWindow().setTexts({"-7", "7", "1", "pi", "pi", "1"});
    questions.expectError(text("YminNotBelowYmax"));
    EXPECT_FALSE(frame->ranges().applyRange());
    EXPECT_EQ(state().range(), graph::Range::standard());
    EXPECT_EQ(graph().bitmap(), before);

    // A zoom that would leave the numbers the program can hold changes nothing either.
    app->view().zoomFactorX = 1e300;
    frame->rangeWindow().setTexts({"-1E4900", "7", "1", "-5", "5", "1"});
    questions.expectError(text("ZoomNotPossible"));
    action("ZoomOut1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts()[0], "-1E4900");
    EXPECT_EQ(state().range(), graph::Range::standard());
}

TEST_F(FrameTest, TraceFollowsTheCurveAndStops) {
    plot("x^2");
    action("toolbtnTrace")->trigger();
    EXPECT_TRUE(action("toolbtnTrace")->isChecked());
    mouse(QEvent::MouseMove, pixel(2, 0), Qt::NoButton);
    EXPECT_TRUE(graph().isTraceMarkerVisible());
    // The point of the curve above the pointer's column, with five digits.
    const long double x = state().PixelToX(pixel(2, 0).x());
    EXPECT_EQ(status().toStdString(), "(" + formatGeneral(x, 5, NumberLocale{}) + ", " +
                                          formatGeneral(x * x, 5, NumberLocale{}) + ")");
    EXPECT_EQ(graph().traceMarkerPosition(), pixel(x, x * x) - QPoint(4, 4));
    // A zoom moves the point under the same column: the marker follows without a move.
    const int column = pixel(2, 0).x();
    action("Zoomin1")->trigger();
    const long double zoomedX = state().PixelToX(column);
    EXPECT_EQ(graph().traceMarkerPosition(), pixel(zoomedX, zoomedX * zoomedX) - QPoint(4, 4));
    action("toolbtnTrace")->trigger();
    EXPECT_FALSE(graph().isTraceMarkerVisible());
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(FrameTest, ShortcutsReachTheGraphCommands) {
    plot("x");
    graph().setFocus();
    QTest::keyClick(&graph(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(state().isPending(graph::RangeOperation::Maximum));
    QTest::keyClick(&graph(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(state().isPending(graph::RangeOperation::Root));
    EXPECT_FALSE(state().isPending(graph::RangeOperation::Maximum));
    // In the entry box Ctrl+X cuts text instead.
    entry().setFocus();
    entry().lineEdit()->selectAll();
    QTest::keyClick(entry().lineEdit(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(entry().text().isEmpty());
    EXPECT_TRUE(state().isPending(graph::RangeOperation::Root));
}

TEST_F(FrameTest, HistoriesAndViewSettingsSurviveARestart) {
    plot("x^3");
    action("Grid1")->trigger();
    action("BoldLines1")->trigger();
    action("Degrees1")->trigger();
    restart({"2x", "x^2"});
    EXPECT_EQ(entry().history(), (std::vector<std::string>{"x^2", "2x", "x^3"}));
    EXPECT_EQ(state().functionCount(), 2);
    EXPECT_FALSE(action("Grid1")->isChecked());
    EXPECT_TRUE(action("BoldLines1")->isChecked());
    EXPECT_TRUE(action("Degrees1")->isChecked());
    EXPECT_EQ(app->engine.angleMode, expr::AngleMode::Degrees);
}

TEST_F(FrameTest, FirstRunAsksForTheLanguageOnce) {
    app->settings.update([](files::Profile& p) { p.writeInteger("Prog", "FirstTime", 1); });
    questions.expectDialog("TdlgSelectLanguage", [](QDialog&) { return QDialog::Rejected; });
    frame->Timer1Timer();
    EXPECT_FALSE(app->settings.firstTime());
    restart();
    frame->Timer1Timer(); // nothing asked this time
}

} // namespace
} // namespace lindor::ui::test

namespace lindor::ui::test {
namespace {

TEST_F(FrameTest, DerivativeTangentAndNormalBecomeFunctions) {
    plot("x^2");
    graph().setFocus();
    questions.expectInput(QString("1"), text("Tangent"));
    QTest::keyClick(&graph(), Qt::Key_T, Qt::ControlModifier);
    // Two plotted functions now: the user is asked which, and picks x^2 each time.
    questions.expectDialog("TSelectGraphWindow", choose({0}));
    questions.expectInput(QString("2/2"), text("Normal")); // a constant expression
    QTest::keyClick(&graph(), Qt::Key_N, Qt::ControlModifier);
    questions.expectDialog("TSelectGraphWindow", choose({0}));
    action("Derivative1")->trigger();
    ASSERT_EQ(state().functionCount(), 4);
    EXPECT_EQ(state().functions()[1].text, "2x-1");
    EXPECT_EQ(state().functions()[2].text, "-0.5x+1.5");
    EXPECT_EQ(state().functions()[3].text, "d/dx(x^2)");
    EXPECT_EQ(entry().history().front(), "d/dx(x^2)");
    EXPECT_EQ(questions.prompts().front(),
              text("TangentOfTheFunctionY") + "x^2 " + text("ThroughThePointWhereX"));

    questions.expectDialog("TSelectGraphWindow", choose({0}));
    questions.expectInput(QString("0"), text("Normal"));
    questions.expectInformation(text("NormalDoesNotExist"));
    action("Normal1")->trigger();
    EXPECT_EQ(state().functionCount(), 4);

    // A point that is not a number is refused with a sentence, not a programmer's text.
    questions.expectDialog("TSelectGraphWindow", choose({0}));
    questions.expectInput(QString("1,5"), text("Tangent"));
    questions.expectError("\",\" is not the decimal separator here");
    action("Tangent1")->trigger();
    EXPECT_EQ(state().functionCount(), 4);
}

TEST_F(FrameTest, CopyShortcutCopiesTheGraphOnlyFromTheGraph) {
    plot("x");
    QApplication::clipboard()->clear();
    entry().setFocus();
    entry().lineEdit()->selectAll();
    QTest::keyClick(entry().lineEdit(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "x"); // the text field's own copy

    graph().setFocus();
    questions.expectDialog("TCopy2ClipboardMessage", [](QDialog&) { return QDialog::Rejected; });
    QTest::keyClick(&graph(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat("image/svg+xml"));
    EXPECT_TRUE(copied->hasImage());
}

} // namespace
} // namespace lindor::ui::test
