#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <set>

#include "QtTestApp.h"
#include "graph/Background.h"
#include "graph/CurvePlotter.h"
#include "graph/Integral.h"
#include "qt/GraphSurfaces.h"
#include "qt/QtCanvas.h"
#include "qt/SvgOutput.h"

namespace lindor::qtgui {
namespace {

using graph::Color;
namespace colors = graph::colors;

class QtCanvasTest : public ::testing::Test {
protected:
    void SetUp() override { testing::ensureGuiApplication(); }
};

QRgb rgb(Color c) {
    return qRgb(c.r, c.g, c.b);
}

bool isColor(const QImage& image, int x, int y, Color c) {
    return image.pixel(x, y) == rgb(c);
}

TEST_F(QtCanvasTest, LinesLeaveOutTheirEndPixel) {
    QtCanvas c;
    c.clear(20, 12, colors::kWhite);
    c.setPen({colors::kBlack, 1, graph::PenStyle::Solid});
    c.moveTo(2, 2);
    c.lineTo(8, 2);
    c.moveTo(15, 1);
    c.lineTo(15, 9);
    const QImage& image = c.image();
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    for (int x = 2; x < 8; ++x)
        EXPECT_TRUE(isColor(image, x, 2, colors::kBlack)) << x;
    EXPECT_TRUE(isColor(image, 8, 2, colors::kWhite));
    EXPECT_TRUE(isColor(image, 1, 2, colors::kWhite));
    EXPECT_TRUE(isColor(image, 15, 8, colors::kBlack));
    EXPECT_TRUE(isColor(image, 15, 9, colors::kWhite));
}

TEST_F(QtCanvasTest, LinesInEveryDirectionStartAtTheirStartAndStopBeforeTheirEnd) {
    const graph::Point centre{20, 20};
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            for (int length : {1, 7, 13}) {
                const graph::Point end{centre.x + dx * length, centre.y + dy * (length / 2 + 1)};
                QtCanvas c;
                c.clear(41, 41, colors::kWhite);
                c.setPen({colors::kBlack, 1, graph::PenStyle::Solid});
                c.moveTo(centre.x, centre.y);
                c.lineTo(end.x, end.y);
                const QImage& image = c.image();
                EXPECT_TRUE(isColor(image, centre.x, centre.y, colors::kBlack));
                EXPECT_TRUE(isColor(image, end.x, end.y, colors::kWhite))
                    << dx << "," << dy << " " << length;
            }
        }
}

TEST_F(QtCanvasTest, PolylinesSetEveryPointTheLastOneIncluded) {
    for (int width : {1, 2}) {
        QtCanvas c;
        c.clear(30, 20, colors::kWhite);
        c.setPen({colors::kBlack, width, graph::PenStyle::Solid});
        c.polyline({{2, 2}, {10, 2}, {10, 12}, {20, 17}});
        c.polyline({{25, 5}}); // one point: one pixel
        const QImage& image = c.image();
        for (int x = 2; x <= 10; ++x)
            EXPECT_TRUE(isColor(image, x, 2, colors::kBlack)) << x << " width " << width;
        for (int y = 2; y <= 12; ++y)
            EXPECT_TRUE(isColor(image, 10, y, colors::kBlack)) << y << " width " << width;
        EXPECT_TRUE(isColor(image, 20, 17, colors::kBlack)) << width;
        EXPECT_TRUE(isColor(image, 25, 5, colors::kBlack)) << width;
        // A bold line's square caps reach a pixel beyond its ends.
        EXPECT_TRUE(isColor(image, 2 - width, 2, colors::kWhite)) << width;
        EXPECT_TRUE(isColor(image, 21 + width, 17, colors::kWhite)) << width;
        EXPECT_TRUE(isColor(image, 27, 5, colors::kWhite)) << width;
    }
    // Points far beyond the image are left to the painter, which clips the lines.
    QtCanvas far;
    far.clear(10, 10, colors::kWhite);
    far.setPen({colors::kBlack, 1, graph::PenStyle::Solid});
    far.polyline({{-2147483646, 5}, {2147483647, 5}});
    EXPECT_TRUE(isColor(far.image(), 0, 5, colors::kBlack));
    EXPECT_TRUE(isColor(far.image(), 9, 5, colors::kBlack));
}

TEST_F(QtCanvasTest, PixelsOutsideTheImageAreIgnored) {
    QtCanvas c;
    c.clear(10, 10, colors::kWhite);
    c.setPixel(-1, 3, colors::kRed);
    c.setPixel(3, 2147483647, colors::kRed);
    c.setPixel(4, 4, colors::kRed);
    c.setPen({colors::kBlack, 1, graph::PenStyle::Solid});
    c.moveTo(-2147483646, 5);
    c.lineTo(2147483647, 5);
    const QImage& image = c.image();
    EXPECT_TRUE(isColor(image, 4, 4, colors::kRed));
    EXPECT_TRUE(isColor(image, 0, 5, colors::kBlack));
    EXPECT_TRUE(isColor(image, 9, 5, colors::kBlack));
}

TEST_F(QtCanvasTest, OpaqueTextHidesWhatIsBeneath) {
    QtCanvas c;
    c.clear(120, 40, colors::kWhite);
    c.setPen({colors::kSilver, 1, graph::PenStyle::Solid});
    c.moveTo(0, 15);
    c.lineTo(120, 15);
    c.setFont(graph::Font{});
    c.setBrush({colors::kWhite, false});
    c.textOut(10, 8, "1.23E3");
    const int w = c.textWidth("1.23E3");
    const int h = c.textHeight("1.23E3");
    ASSERT_GT(w, 10);
    ASSERT_GT(h, 8); // the text's box, rows 8 to 8 + h, covers the line's row 15
    const QImage& image = c.image();
    int black = 0;
    for (int y = 8; y < 8 + h; ++y)
        for (int x = 10; x < 10 + w; ++x) {
            EXPECT_FALSE(isColor(image, x, y, colors::kSilver)) << x << "," << y;
            black += isColor(image, x, y, colors::kBlack);
        }
    EXPECT_GT(black, 10);
    EXPECT_TRUE(isColor(image, 5, 15, colors::kSilver));
}

TEST_F(QtCanvasTest, MarkerCircleCoversTenPixels) {
    QtCanvas c;
    c.clear(30, 30, colors::kWhite);
    c.setPen({colors::kRed, 1, graph::PenStyle::Solid});
    c.setBrush({colors::kWhite, true});
    c.ellipse(10, 10, 20, 20);
    const QImage& image = c.image();
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (isColor(image, x, y, colors::kRed)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_EQ(minX, 10);
    EXPECT_EQ(maxX, 19);
    EXPECT_EQ(minY, 10);
    EXPECT_EQ(maxY, 19);
    EXPECT_TRUE(isColor(image, 15, 15, colors::kWhite)); // a clear brush fills nothing
}

// A full picture: background, two curves with their names, an integral's shading.
void drawPicture(graph::Canvas& canvas, graph::GraphState& state) {
    state.setRange(graph::Range{-7, 7, 1, -5, 5, 1});
    state.setClientSize(640, 480);
    canvas.clear(640, 480, colors::kWhite);
    drawBackground(state, canvas, NumberLocale{});
    graph::plotCurve(
        state, canvas,
        [](long double x, long double& y) {
            y = x * x - 2;
            return true;
        },
        {}, 0, "x^2-2");
    auto sine = [](long double x, long double& y) {
        y = std::sin(x);
        return true;
    };
    graph::plotCurve(state, canvas, sine, {}, 1, "sin x");
    // A bold curve goes through the painter.
    state.view.lineStyle = graph::LineStyle::Bold;
    graph::plotCurve(
        state, canvas,
        [](long double x, long double& y) {
            y = 3 - x;
            return x < 1;
        },
        {}, 0, "3-x");
    state.view.lineStyle = graph::LineStyle::Normal;
    canvas.setPen({graph::kFunctionColors[1], 1, graph::PenStyle::Solid});
    graph::shadeIntegral(state, canvas, sine, 0, 3);
    graph::drawResultMarker(state, canvas, 1, 1);
    canvas.flush();
}

TEST_F(QtCanvasTest, EveryPixelIsANamedColour) {
    GraphSurfaces surfaces;
    graph::GraphState state;
    drawPicture(surfaces.canvas(), state);
    const QImage& image = surfaces.image();
    ASSERT_EQ(image.size(), QSize(640, 480));
    const std::set<QRgb> allowed = {rgb(colors::kWhite),
                                    rgb(colors::kBlack),
                                    rgb(colors::kSilver),
                                    rgb(colors::kRed),
                                    rgb(graph::kFunctionColors[0]),
                                    rgb(graph::kFunctionColors[1])};
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xff000000u;
            ASSERT_TRUE(allowed.count(p)) << x << "," << y << " " << std::hex << p;
            seen.insert(p);
        }
    EXPECT_EQ(seen, allowed);
    // The curve of x^2 - 2 passes the y axis at y = -2.
    const int col = state.area().yAxisColumn + 1;
    EXPECT_TRUE(isColor(image, col,
                        state.YToRow(state.ColumnToX(col - 15) * state.ColumnToX(col - 15) - 2),
                        graph::kFunctionColors[0]));
}

TEST_F(QtCanvasTest, ReplayingTheRecordingGivesTheSamePicture) {
    GraphSurfaces surfaces;
    graph::GraphState state;
    drawPicture(surfaces.canvas(), state);
    QtCanvas replayed;
    surfaces.recording().replay(replayed);
    EXPECT_EQ(replayed.image(), surfaces.image());
}

TEST_F(QtCanvasTest, SvgHoldsTheWholePicture) {
    GraphSurfaces surfaces;
    graph::GraphState state;
    drawPicture(surfaces.canvas(), state);
    // Drawing after the picture is part of the same vector copy.
    surfaces.canvas().setFont(graph::Font{});
    surfaces.canvas().textOut(30, 30, "later");
    const QByteArray svg = svgFromRecording(surfaces.recording());
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("width=\"640"));
    EXPECT_TRUE(svg.contains("sin x"));
    EXPECT_TRUE(svg.contains("later"));
    EXPECT_TRUE(svg.contains("#0000ff"));
    EXPECT_TRUE(svg.contains("#c0c0c0"));
    EXPECT_TRUE(svg.contains("<polyline")); // each curve is one polyline
    // A new picture replaces the old one entirely.
    surfaces.canvas().clear(100, 80, colors::kWhite);
    const QByteArray fresh = svgFromRecording(surfaces.recording());
    EXPECT_FALSE(fresh.contains("later"));
    EXPECT_TRUE(fresh.contains("width=\"100"));
}

TEST_F(QtCanvasTest, SaveSvgReportsAnUnwritableFile) {
    graph::RecordingCanvas recording;
    recording.clear(10, 10, colors::kWhite);
    std::string error;
    EXPECT_FALSE(saveSvg(recording, "/nonexistent-folder/graph.svg", error));
    EXPECT_NE(error.find("graph.svg"), std::string::npos);
}

} // namespace
} // namespace lindor::qtgui
