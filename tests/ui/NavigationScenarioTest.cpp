// Moving the view with the pointer and the keys, walked through the real frame: a drag pans,
// the wheel zooms about the pointer, the middle button pans while a range is asked for, the
// arrow keys and Ctrl++ move the view, and each of these is a step of undo.
#include "FrameFixture.h"

#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QWheelEvent>
#include <cmath>

#include "graph/analysis/GridSteps.h"
#include "graph/analysis/PointerText.h"
#include "graph/analysis/ZoomTexts.h"

namespace lindor::ui::test {
namespace {

class NavigationTest : public FrameTest {
protected:
    void press(QPoint at, Qt::MouseButton button) {
        QMouseEvent event(QEvent::MouseButtonPress, at, graph().mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(&graph(), &event);
    }
    void moveTo(QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(QEvent::MouseMove, at, graph().mapToGlobal(at), Qt::NoButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&graph(), &event);
    }
    void release(QPoint at, Qt::MouseButton button) {
        QMouseEvent event(QEvent::MouseButtonRelease, at, graph().mapToGlobal(at), button,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&graph(), &event);
    }
    // A drag with one button, through a point halfway.
    void dragWith(Qt::MouseButton button, QPoint from, QPoint to) {
        press(from, button);
        moveTo((from + to) / 2, button);
        moveTo(to, button);
        release(to, button);
    }
    void wheel(QPoint at, int angle) {
        QWheelEvent event(QPointF(at), QPointF(graph().mapToGlobal(at)), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&graph(), &event);
    }
    // The plane point under a window pixel.
    std::pair<long double, long double> under(QPoint at) {
        return {state().PixelToX(at.x()), state().PixelToY(at.y())};
    }
    // One pixel of the plot in plane units, across and up.
    long double pixelWidth() {
        return (state().range().xMax - state().range().xMin) / state().area().width;
    }
    long double pixelHeight() {
        return (state().range().yMax - state().range().yMin) / state().area().height;
    }
    std::string written(long double value) {
        return formatGeneral(value, graph::analysis::kRangeTextDigits, app->locale());
    }
    bool marked() { return frame->windowTitle().endsWith("*"); }
};

TEST_F(NavigationTest, ADragPansAndTheWheelZoomsAboutThePointerAndBothUndo) {
    plot("x^2-2");
    questions.expectSaveFile(QString::fromStdString(dir.file("moved")));
    action("Save1")->trigger();
    ASSERT_FALSE(marked());

    // Nothing pending: the left button pans, the plane point under the press ends under the
    // release, and the steps stay. After the first frame, the curve's kept columns serve
    // every frame: only the columns that scroll in are worked out.
    const QPoint from = pixel(1, 1);
    const QPoint to = from + QPoint(57, -31);
    const QPoint halfway = from + QPoint(30, -10);
    const auto grabbed = under(from);
    press(from, Qt::LeftButton);
    moveTo(halfway, Qt::LeftButton);
    app->graph.columnCache().resetCounts();
    moveTo(to, Qt::LeftButton);
    EXPECT_EQ(app->graph.columnCache().counts().evaluated, to.x() - halfway.x());
    release(to, Qt::LeftButton);
    EXPECT_NEAR(double(under(to).first), double(grabbed.first), 1e-9);
    EXPECT_NEAR(double(under(to).second), double(grabbed.second), 1e-9);
    EXPECT_EQ(state().range().xStep, 1);
    const graph::Range panned = state().range();
    const graph::RangeTexts pannedTexts = frame->rangeWindow().texts();
    EXPECT_EQ(pannedTexts[0], written(panned.xMin));
    EXPECT_EQ(pannedTexts[4], written(panned.yMax));
    EXPECT_EQ(pannedTexts[2], "1");
    EXPECT_TRUE(marked());
    EXPECT_EQ(action("Undo1")->text(),
              text("MenuUndoStep").replace("%s", text("StepPan"))); // the whole drag, one step

    // One notch of the wheel zooms in by 1.2 about the pointer: its point stays within a
    // pixel, and the steps follow the new size.
    const QPoint at = pixel(3, 2) + QPoint(3, 1);
    const auto pointed = under(at);
    const long double span = panned.xMax - panned.xMin;
    wheel(at, 120);
    const graph::Range zoomed = state().range();
    EXPECT_NEAR(double(zoomed.xMax - zoomed.xMin), double(span / 1.2L), double(span) * 1e-6);
    EXPECT_NEAR(double(under(at).first), double(pointed.first), double(pixelWidth()));
    EXPECT_NEAR(double(under(at).second), double(pointed.second), double(pixelHeight()));
    EXPECT_EQ(zoomed.xStep,
              graph::analysis::gridStep(zoomed.xMax - zoomed.xMin, state().area().width));
    EXPECT_EQ(frame->rangeWindow().texts()[2], written(zoomed.xStep));

    // Undo both: back to the saved work; redo the pan.
    action("Undo1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), pannedTexts);
    action("Undo1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), graph::standardRangeTexts());
    EXPECT_EQ(state().range(), graph::Range::standard());
    EXPECT_FALSE(marked());
    action("Redo1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), pannedTexts);
    EXPECT_EQ(state().range(), panned);
    EXPECT_TRUE(marked());
    EXPECT_EQ(state().functionCount(), 1);
}

TEST_F(NavigationTest, TheMiddleButtonPansWhileARangeIsAskedFor) {
    plot("x^2-4");
    action("Root1")->trigger();
    const QString prompt = status();
    dragWith(Qt::MiddleButton, pixel(0, 0), pixel(0, 0) + QPoint(-40, 0));
    EXPECT_GT(state().range().xMin, -7);
    EXPECT_TRUE(state().isPending(graph::RangeOperation::Root));
    EXPECT_EQ(status(), prompt);
    // The left button still selects the range.
    drag(1, 1, 3, -1);
    EXPECT_EQ(log().last(), text("Root") + ": x = 2");

    // Over the graph the status bar shows where the pointer is when it has nothing else to say.
    moveTo(pixel(2, 1), Qt::NoButton);
    EXPECT_EQ(status(), QString::fromStdString(graph::analysis::pointerCoordinatesText(
                            state(), pixel(2, 1).x(), pixel(2, 1).y(), app->locale())));
    action("Max1")->trigger();
    moveTo(pixel(3, 1), Qt::NoButton);
    EXPECT_EQ(status(), text("Maximum") + ": " + text("SelectARangeOnTheGraph"));
}

TEST_F(NavigationTest, KeysMoveTheViewAndQuickNotchesAreOneZoom) {
    plot("x");
    graph().setFocus();
    QTest::keyClick(&graph(), Qt::Key_Right);
    EXPECT_NEAR(double(state().range().xMin), -7 + 1.4, 0.05); // a tenth of 14
    QTest::keyClick(&graph(), Qt::Key_Up);
    EXPECT_NEAR(double(state().range().yMin), -5 + 1, 0.05);
    // Typed characters still go to the entry box.
    entry().setText(QString());
    QTest::keyClicks(&graph(), "2x");
    EXPECT_EQ(entry().text(), "2x");

    qint64 now = 10000;
    frame->steps().setClock([&now] { return now; });
    const graph::RangeTexts before = frame->rangeWindow().texts();
    const QPoint centre(state().area().left + state().area().width / 2,
                        state().area().top + state().area().height / 2);
    const auto middle = under(centre);
    QTest::keyClick(&graph(), Qt::Key_Plus, Qt::ControlModifier); // about the middle
    EXPECT_NEAR(double(under(centre).first), double(middle.first), double(pixelWidth()));
    now += 300;
    wheel(pixel(1, 1), 240);
    now += 300;
    wheel(pixel(1, 1), -120);
    const graph::RangeTexts zoomed = frame->rangeWindow().texts();
    now += 600; // a pause: the next notch is a zoom of its own
    wheel(pixel(1, 1), 120);
    action("Undo1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), zoomed);
    action("Undo1")->trigger(); // the three notches together
    EXPECT_EQ(frame->rangeWindow().texts(), before);

    // Undo Zoom goes back to before the first of quick notches too.
    wheel(pixel(1, 1), 120);
    now += 100;
    wheel(pixel(1, 1), 120);
    action("UndoZoom1")->trigger();
    EXPECT_EQ(frame->rangeWindow().texts(), before);

    // A pinch on a touchpad zooms by the change of scale it reports, about where it is.
    const QPoint pinched = pixel(2, 1);
    const auto held = under(pinched);
    const long double width = state().range().xMax - state().range().xMin;
    QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                              QPointF(pinched), QPointF(pinched),
                              QPointF(graph().mapToGlobal(pinched)), 0.25, QPointF());
    QApplication::sendEvent(&graph(), &pinch);
    EXPECT_NEAR(double(width / (state().range().xMax - state().range().xMin)), 1.25, 1e-5);
    EXPECT_NEAR(double(under(pinched).first), double(held.first), double(pixelWidth()));
    EXPECT_NEAR(double(under(pinched).second), double(held.second), double(pixelHeight()));
}

TEST_F(NavigationTest, ZoomsBeyondWhatARangeCanHoldAreRefusedSilently) {
    plot("sin x");
    const QPoint at = pixel(1, 0.5);
    // In by 1.2^10 a notch until the bounds near 1 cannot be told apart in 15 digits, then
    // out by 1.2^1000 a notch until the numbers run out.
    for (const int angle : {1200, -120000}) {
        graph::Range last;
        for (int i = 0; i < 100; ++i) {
            last = state().range();
            wheel(at, angle);
        }
        // The last notches changed nothing, and what is shown can be drawn and written.
        EXPECT_EQ(state().range(), last);
        const long double span = last.xMax - last.xMin;
        EXPECT_TRUE(angle > 0 ? span < 1e-12L : span > 1e4800L);
        EXPECT_TRUE(graph::isUsableRange(state().range()));
        graph::Range read;
        std::string error;
        ASSERT_TRUE(
            graph::analysis::rangeFromTexts(frame->rangeWindow().texts(), read, app->engine, error))
            << error;
        EXPECT_LT(read.xMin, read.xMax);
        EXPECT_LT(read.yMin, read.yMax);
    }
    EXPECT_TRUE(questions.done());
}

} // namespace
} // namespace lindor::ui::test
