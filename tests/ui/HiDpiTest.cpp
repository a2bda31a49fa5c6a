// The graph on a screen of any pixel ratio: drawn in device pixels, lines a pixel of the
// window wide, mouse positions read in device pixels, pictures at the window's size. CTest
// runs these at the ratio of the offscreen screen (1) and again at 2 and 1.5.
#include "FrameFixture.h"

#include <QWheelEvent>
#include <cmath>

#include "graph/Color.h"
#include "graph/analysis/RangeMoves.h"

namespace lindor::ui::test {
namespace {

class HiDpiTest : public FrameTest {
protected:
    double ratio() { return graph().pixelRatio(); }
    // The run's ratio is the one CTest asked for.
    void SetUp() override {
        const QByteArray asked = qgetenv("QT_SCALE_FACTOR");
        if (!asked.isEmpty()) {
            ASSERT_DOUBLE_EQ(ratio(), asked.toDouble());
        }
    }
    // Pixels where the window, painted into an image of its size in device pixels, differs
    // from the bitmap.
    int differingFromShown() {
        const QImage& bitmap = graph().bitmap();
        QImage shown(bitmap.size(), QImage::Format_RGB32);
        shown.setDevicePixelRatio(ratio());
        shown.fill(Qt::magenta);
        graph().render(&shown);
        int differing = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x)
                differing += shown.pixel(x, y) != bitmap.pixel(x, y);
        return differing;
    }
    // Silver pixels in a row of the bitmap from column `from` on, one after the other.
    int silverRun(int row, int from) {
        const QImage& image = graph().bitmap();
        const QRgb silver =
            qRgb(graph::colors::kSilver.r, graph::colors::kSilver.g, graph::colors::kSilver.b);
        int x = from;
        while (x < image.width() && image.pixel(x, row) != silver)
            ++x;
        int run = 0;
        while (x + run < image.width() && image.pixel(x + run, row) == silver)
            ++run;
        return run;
    }
};

TEST_F(HiDpiTest, GraphIsDrawnInDevicePixelsWithLinesOneWindowPixelWide) {
    plot("x^2-2");
    const double r = ratio();
    const QImage& bitmap = graph().bitmap();
    EXPECT_EQ(bitmap.width(), std::lround(graph().width() * r));
    EXPECT_EQ(bitmap.height(), std::lround(graph().height() * r));
    EXPECT_EQ(state().clientWidth(), bitmap.width());
    EXPECT_DOUBLE_EQ(state().rendering().pixelRatio, r);

    // A vertical grid line, between two horizontal ones, is as wide as a window pixel.
    const graph::Range& range = state().range();
    const int row = state().YToRow(range.yMax - range.yStep / 2);
    const int lineWidth = static_cast<int>(std::max(1L, std::lround(r)));
    EXPECT_EQ(silverRun(row, state().area().left + 1), lineWidth);

    // The window paints the bitmap pixel for pixel into an image of the screen's ratio, the
    // way it paints its backing store.
    EXPECT_EQ(differingFromShown(), 0);
    // And again after a pan, which wiped and drew only parts of the picture.
    const auto moved = graph::analysis::panRange(state().range(), state().area(), 7, -5);
    ASSERT_TRUE(moved);
    std::string error;
    ASSERT_TRUE(app->graph.applyRange(*moved, error));
    graph().redraw();
    EXPECT_EQ(differingFromShown(), 0);
}

TEST_F(HiDpiTest, ZoomBoxWheelAndDragFollowThePointerInWindowPixels) {
    plot("x^2-2");
    QTest::keyClick(&entry(), Qt::Key_Escape);
    const double r = ratio();
    const graph::PlotArea& a = state().area();
    // The plane point at a window position, by the window's own geometry, and the plane
    // size of one window pixel.
    const auto planeAt = [&](QPointF windowAt) {
        const graph::Range& v = state().range();
        return std::pair<double, double>(
            double(v.xMin + (windowAt.x() * r - a.left) / a.width * (v.xMax - v.xMin)),
            double(v.yMax - (windowAt.y() * r - a.top) / a.height * (v.yMax - v.yMin)));
    };
    const auto windowPixel = [&] {
        const graph::Range& v = state().range();
        return std::pair<double, double>(double((v.xMax - v.xMin) / a.width * r),
                                         double((v.yMax - v.yMin) / a.height * r));
    };

    // The zoom box spans the plane between the press and the release.
    const QPoint corner(graph().width() / 4, graph().height() / 4);
    const QPoint centre(graph().width() / 2, graph().height() / 2);
    const double left = planeAt(corner).first;
    const double right = planeAt(centre).first;
    const double boxPixel = windowPixel().first;
    action("ZoomBox1")->trigger();
    mouse(QEvent::MouseButtonPress, corner, Qt::LeftButton);
    mouse(QEvent::MouseMove, centre, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, centre, Qt::NoButton);
    EXPECT_NEAR(double(state().range().xMin), left, boxPixel);
    EXPECT_NEAR(double(state().range().xMax), right, boxPixel);

    // A notch of the wheel keeps the point under the pointer within a window pixel, and the
    // new grid lines lie 40 to 100 window pixels apart.
    const QPoint at(graph().width() / 3, graph().height() / 3);
    const auto pointed = planeAt(at);
    const long double span = state().range().xMax - state().range().xMin;
    QWheelEvent notch(QPointF(at), QPointF(graph().mapToGlobal(at)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&graph(), &notch);
    const graph::Range zoomed = state().range();
    ASSERT_NEAR(double(zoomed.xMax - zoomed.xMin), double(span / 1.2L), double(span) * 1e-6);
    EXPECT_NEAR(planeAt(at).first, pointed.first, windowPixel().first);
    EXPECT_NEAR(planeAt(at).second, pointed.second, windowPixel().second);
    const double xGap = double(zoomed.xStep / (zoomed.xMax - zoomed.xMin)) * a.width / r;
    const double yGap = double(zoomed.yStep / (zoomed.yMax - zoomed.yMin)) * a.height / r;
    EXPECT_GE(xGap, 40);
    EXPECT_LE(xGap, 100);
    EXPECT_GE(yGap, 40);
    EXPECT_LE(yGap, 100);

    // A drag with the left button pans: the point under the press ends under the release.
    const QPoint from(graph().width() / 4, graph().height() / 2);
    const QPoint to = from + QPoint(37, -23);
    const auto grabbed = planeAt(from);
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(QEvent::MouseMove, from + QPoint(11, -5), Qt::LeftButton);
    mouse(QEvent::MouseMove, to, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_NEAR(planeAt(to).first, grabbed.first, windowPixel().first);
    EXPECT_NEAR(planeAt(to).second, grabbed.second, windowPixel().second);
    EXPECT_EQ(state().range().xStep, zoomed.xStep);
}

TEST_F(HiDpiTest, PicturesKeepTheWindowSize) {
    plot("x^3-x");
    qtgui::GraphSurfaces& picture = graph().pictureSurfaces();
    EXPECT_EQ(picture.image().size(), graph().size());
    EXPECT_EQ(picture.recording().width(), graph().width());
    // The picture holds the curve in its colour, as the window does.
    const QRgb blue =
        qRgb(graph::kFunctionColors[0].r, graph::kFunctionColors[0].g, graph::kFunctionColors[0].b);
    int curvePixels = 0;
    for (int y = 0; y < picture.image().height(); ++y)
        for (int x = 0; x < picture.image().width(); ++x)
            curvePixels += picture.image().pixel(x, y) == blue;
    EXPECT_GT(curvePixels, graph().height() / 2);
}

} // namespace
} // namespace lindor::ui::test
