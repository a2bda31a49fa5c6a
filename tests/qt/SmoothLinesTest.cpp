// Smooth lines: the curves are antialiased, nothing else is, and the vector copy says so.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "expr/FuncEval.h"
#include "graph/GraphView.h"
#include "lang/Language.h"
#include "qt/GifImage.h"
#include "qt/GraphSurfaces.h"
#include "qt/SvgOutput.h"

namespace lindor::qtgui {
namespace {

struct Drawing {
    QImage bitmap;
    QByteArray vector;
};

Drawing draw(const std::vector<std::string>& texts, bool smooth,
             graph::LineStyle style = graph::LineStyle::Normal) {
    expr::EngineContext context;
    expr::TFunctionDB functions{context};
    graph::GraphView view{functions, lang::builtinEnglish()};
    GraphSurfaces surfaces;
    view.setClientSize(420, 320);
    view.setRendering(graph::Rendering{1.0, smooth});
    view.state().view.lineStyle = style;
    view.redraw(surfaces.canvas());
    for (const std::string& text : texts)
        EXPECT_EQ(view.plotRequest(text, surfaces.canvas()).status,
                  graph::PlotOutcome::Status::Plotted);
    return {surfaces.image().copy(), svgFromRecording(surfaces.recording())};
}

QRgb rgb(graph::Color c) {
    return qRgb(c.r, c.g, c.b);
}

// The pixels that are none of the colours the graph draws with.
std::vector<QPoint> blendedPixels(const QImage& image) {
    std::set<QRgb> named = {rgb(graph::colors::kWhite), rgb(graph::colors::kBlack),
                            rgb(graph::colors::kSilver), rgb(graph::colors::kRed)};
    for (const graph::Color& c : graph::kFunctionColors)
        named.insert(rgb(c));
    std::vector<QPoint> blended;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!named.count(image.pixel(x, y)))
                blended.emplace_back(x, y);
    return blended;
}

// True when a pixel of one of the curves' colours lies within `reach` of p.
bool nearCurve(const QImage& image, QPoint p, int reach) {
    const std::set<QRgb> curves = {rgb(graph::kFunctionColors[0]), rgb(graph::kFunctionColors[1])};
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (image.rect().contains(q) && curves.count(image.pixel(q)))
                return true;
        }
    return false;
}

class SmoothLinesTest : public ::testing::Test {
protected:
    void SetUp() override { testing::ensureGuiApplication(); }
};

TEST_F(SmoothLinesTest, OnlyCurvesAreBlendedAndOnlyWhenAskedFor) {
    const std::vector<std::string> curves = {"x^2/3-2", "sin(2x)*3"};
    for (graph::LineStyle style : {graph::LineStyle::Normal, graph::LineStyle::Bold}) {
        SCOPED_TRACE(style == graph::LineStyle::Bold ? "bold" : "normal");
        const Drawing smooth = draw(curves, true, style);
        const Drawing crisp = draw(curves, false, style);
        const std::vector<QPoint> blended = blendedPixels(smooth.bitmap);
        EXPECT_GT(blended.size(), 100u);
        // Blends lie along the curves as they are drawn crisp; grid, axes, ticks and texts
        // stay crisp.
        int away = 0;
        for (const QPoint& p : blended)
            away += !nearCurve(crisp.bitmap, p, 2);
        EXPECT_EQ(away, 0);
        EXPECT_TRUE(blendedPixels(draw({}, true, style).bitmap).empty());
        EXPECT_TRUE(blendedPixels(crisp.bitmap).empty());
    }
}

TEST_F(SmoothLinesTest, VectorCopyIsCrispWithSmoothCurvesOnlyWhenAskedFor) {
    const QByteArray smooth = draw({"x^2/3-2"}, true).vector;
    const QByteArray crisp = draw({"x^2/3-2"}, false).vector;
    EXPECT_TRUE(crisp.contains("shape-rendering=\"crispEdges\""));
    EXPECT_FALSE(crisp.contains("geometricPrecision"));
    EXPECT_TRUE(smooth.contains("shape-rendering=\"crispEdges\""));
    // One group: the curve's polyline.
    EXPECT_EQ(smooth.count("shape-rendering=\"geometricPrecision\""), 1);
}

TEST_F(SmoothLinesTest, GifPictureOfManySmoothCurvesKeepsTheNamedColours) {
    const std::vector<std::string> twelve = {"x",     "-x",    "x^2",   "x^2/4-3", "sin x", "cos x",
                                             "x^3/9", "2-x/3", "tan x", "sqrt x",  "ln x",  "1/x"};
    const QImage smooth = draw(twelve, true).bitmap;
    std::set<QRgb> before;
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x)
            before.insert(smooth.pixel(x, y));
    ASSERT_GT(before.size(), 256u); // more than a GIF holds
    std::string error;
    EXPECT_FALSE(saveGif(smooth, ::testing::TempDir() + "/smooth.gif", error));
    const QImage reduced = withAtMostColours(smooth, 256);
    std::set<QRgb> colours;
    int namedChanged = 0;
    const std::vector<QPoint> blended = blendedPixels(smooth);
    const std::set<std::pair<int, int>> blends = [&] {
        std::set<std::pair<int, int>> s;
        for (const QPoint& p : blended)
            s.emplace(p.x(), p.y());
        return s;
    }();
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x) {
            colours.insert(reduced.pixel(x, y));
            if (!blends.count({x, y}) && reduced.pixel(x, y) != smooth.pixel(x, y))
                ++namedChanged;
        }
    EXPECT_LE(colours.size(), 256u);
    EXPECT_EQ(namedChanged, 0);
    EXPECT_TRUE(saveGif(reduced, ::testing::TempDir() + "/smooth.gif", error)) << error;
}

} // namespace
} // namespace lindor::qtgui
