// The graph window repaints only what changed in the picture, straight into the frame's
// backing store: after every move the window must show the picture as drawn.
#include "FrameFixture.h"

#include <QScreen>
#include <QWindow>

#include "graph/analysis/RangeMoves.h"

namespace lindor::ui::test {
namespace {

// What the screen shows of the graph window, where no other window covers it, differs
// nowhere from the graph's bitmap.
void expectWindowShowsBitmap(TMDIFrame& frame, TGraphWindow& graph) {
    QApplication::processEvents();
    const QImage screen = frame.windowHandle()
                              ->screen()
                              ->grabWindow(frame.winId())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    const QPoint origin = graph.mapTo(&frame, QPoint(0, 0));
    const QImage& bitmap = graph.bitmap();
    int differing = 0;
    for (const QRect& r : graph.visibleRegion())
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (screen.pixel(origin + QPoint(x, y)) != bitmap.pixel(x, y))
                    ++differing;
    EXPECT_EQ(differing, 0);
    EXPECT_GT(graph.visibleRegion().boundingRect().width(), 100);
}

TEST_F(FrameTest, EveryPanFrameReachesTheScreenAsDrawn) {
    plot("tan x");
    plot("sqrt(9-x^2)");
    plot("int x");
    expectWindowShowsBitmap(*frame, graph());
    for (const auto& [dx, dy] :
         {std::pair{4, 0}, std::pair{-9, 3}, std::pair{0, -6}, std::pair{25, 17}}) {
        SCOPED_TRACE(::testing::Message() << dx << ", " << dy);
        const auto moved = graph::analysis::panRange(state().range(), state().area(), dx, dy);
        ASSERT_TRUE(moved);
        std::string error;
        ASSERT_TRUE(app->graph.applyRange(*moved, error));
        graph().redraw();
        expectWindowShowsBitmap(*frame, graph());
    }
}

} // namespace
} // namespace lindor::ui::test
