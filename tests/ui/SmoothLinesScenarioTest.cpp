// Options -> Smooth Lines through the frame: off at first, on for the screen and the
// pictures, kept in the settings file for the next start.
#include "FrameFixture.h"
#include "UiTestSupport.h"

#include <QFile>

#include "graph/Color.h"

namespace lindor::ui::test {
namespace {

// Pixels of the picture in none of the graph's colours: the blends of antialiased lines.
int blended(const QImage& image) {
    QSet<QRgb> named = {
        qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0),
        qRgb(graph::colors::kSilver.r, graph::colors::kSilver.g, graph::colors::kSilver.b)};
    for (const graph::Color& c : graph::kFunctionColors)
        named.insert(qRgb(c.r, c.g, c.b));
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += !named.contains(image.pixel(x, y));
    return count;
}

TEST_F(FrameTest, SmoothLinesAreChosenInTheMenuAndKeptForTheNextStart) {
    plot("x^2/4-1");
    QAction* smooth = action("SmoothLines1");
    ASSERT_TRUE(smooth->isCheckable());
    EXPECT_FALSE(smooth->isChecked());
    EXPECT_EQ(blended(graph().bitmap()), 0);

    const bool modified = app->modified();
    const int steps = app->undoStack.count();
    smooth->trigger();
    EXPECT_TRUE(smooth->isChecked());
    EXPECT_GT(blended(graph().bitmap()), 0);
    EXPECT_GT(blended(graph().pictureSurfaces().image()), 0);
    // A setting of the program, not a change of the work: no undo step.
    EXPECT_EQ(app->modified(), modified);
    EXPECT_EQ(app->undoStack.count(), steps);
    QFile file(QString::fromStdString(dir.file("lindor.INI")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("SmoothLines=1"));
    file.close();

    restart({"x^2/4-1"});
    EXPECT_TRUE(action("SmoothLines1")->isChecked());
    EXPECT_GT(blended(graph().bitmap()), 0);

    action("SmoothLines1")->trigger();
    restart({"x^2/4-1"});
    EXPECT_FALSE(action("SmoothLines1")->isChecked());
    EXPECT_EQ(blended(graph().bitmap()), 0);

    // A settings file that cannot be written is said so; the screen follows all the same.
    app->settings = unwritableSettings(app->settings.path());
    questions.expectError("could not be written");
    action("SmoothLines1")->trigger();
    EXPECT_TRUE(questions.done());
    EXPECT_GT(blended(graph().bitmap()), 0);
}

} // namespace
} // namespace lindor::ui::test
