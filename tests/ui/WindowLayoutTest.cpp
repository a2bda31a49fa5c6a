// The window arrangement as plain geometry: the default layout on a tall and a low frame,
// the square graph window, and saved positions coming back onto the screen.
#include "ui/WindowLayout.h"

#include <gtest/gtest.h>

#include "files/TempDir.h"

static void PrintTo(const QRect& r, std::ostream* out) {
    *out << "(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}

namespace lindor::ui::test {
namespace {

DefaultLayoutInput frameOfHeight(int height) {
    DefaultLayoutInput in;
    in.frameClient = QSize(800, height);
    in.padReference = QRect(165, 140, 20, 20); // pad client area 186 x 162
    in.rangeGridBottom = 114;                  // range client area 186 x 116
    in.childFrame = QMargins(4, 24, 4, 4);     // child windows are 8 wider and 28 higher
    return in;
}

TEST(DefaultLayout, PlacesTheRangeWindowBelowThePadOnlyAbove500Pixels) {
    const DefaultLayout tall = defaultLayout(frameOfHeight(501));
    EXPECT_EQ(tall.functionPad, QRect(3, 3, 194, 190));
    // Right of the pad; the three panels (84) and 10 pixels are taken off the height.
    EXPECT_EQ(tall.graph, QRect(207, 3, 800 - 3 - 194 - 17, 501 - 84 - 10));
    EXPECT_EQ(tall.range, QRect(3, 196, 194, 144));
    EXPECT_EQ(tall.log, QRect(3, 343, 194, 501 - 84 - 343 - 7));

    const DefaultLayout low = defaultLayout(frameOfHeight(500));
    EXPECT_EQ(low.functionPad, tall.functionPad);
    EXPECT_EQ(low.range, QRect(10, 63, 194, 144)); // over the pad's lower part
    EXPECT_EQ(low.log, QRect(3, 210, 194, 500 - 84 - 210 - 7));
}

TEST(DefaultLayout, KeepsEveryWindowUsableOnATinyFrame) {
    const DefaultLayout tiny = defaultLayout(frameOfHeight(120));
    for (const QRect& r : {tiny.functionPad, tiny.graph, tiny.range, tiny.log}) {
        EXPECT_GE(r.width(), kMinimumChildSide);
        EXPECT_GE(r.height(), kMinimumChildSide);
    }
}

TEST(WindowLayout, MakeQuadraticCutsTheLongerSide) {
    EXPECT_EQ(quadraticClientSize(QSize(400, 300)), QSize(300, 300));
    EXPECT_EQ(quadraticClientSize(QSize(300, 400)), QSize(300, 300));
    EXPECT_EQ(quadraticClientSize(QSize(250, 250)), QSize(250, 250));
}

TEST(WindowLayout, SavedPositionsComeBackOnScreenAndNothingSavedKeepsTheWindow) {
    const QRect screen(0, 0, 1920, 1080);
    const QRect current(50, 60, 700, 500);
    auto saved = [](int left, int top, int width, int height) {
        files::WindowPosition p;
        p.left = left;
        p.top = top;
        p.width = width;
        p.height = height;
        return std::optional<files::WindowPosition>(p);
    };
    EXPECT_EQ(restoredGeometry(saved(2500, 1300, 800, 600), current, screen),
              QRect(1120, 480, 800, 600)); // saved on a larger screen
    EXPECT_EQ(restoredGeometry(saved(-50, -50, 3000, 2000), current, screen), screen);
    EXPECT_EQ(restoredGeometry(saved(100, 100, 400, 300), current, QRect(1920, 0, 1280, 1024)),
              QRect(1920, 100, 400, 300)); // a second monitor to the right
    EXPECT_EQ(restoredGeometry(saved(10, 10, 0, 0), current, screen), current);
    EXPECT_EQ(restoredGeometry(saved(10, 10, 300, -5), current, screen), current);
    EXPECT_EQ(restoredGeometry(std::nullopt, current, screen), current);
}

TEST(WindowLayout, LoadBeforeSaveKeepsTheWindowsAndSaveThenLoadRestoresExactly) {
    files::testing::TempDir dir;
    files::SettingsFile settings(dir.file("lindor.INI"));
    const QRect area(0, 0, 1000, 700);
    const QRect graph(207, 3, 586, 407);

    // Nothing saved yet: the windows keep their places instead of shrinking to nothing.
    EXPECT_EQ(restoredGeometry(savedPosition(settings, files::kGraphWindow), graph, area), graph);
    EXPECT_EQ(restoredGeometry(savedPosition(settings, files::kFrameWindow), area, area), area);

    const QRect moved(300, 40, 500, 420);
    ASSERT_TRUE(settings.saveWindowPosition(files::kGraphWindow, toWindowPosition(moved)));
    EXPECT_EQ(restoredGeometry(savedPosition(settings, files::kGraphWindow), graph, area), moved);
    EXPECT_FALSE(savedPosition(settings, files::kLogWindow).has_value());
}

} // namespace
} // namespace lindor::ui::test
