// A redraw after the view moved reuses the curves' column samples and wipes only what the
// last picture painted; whatever it saves, its bitmap and its vector copy must be those of a
// full redraw of the same view, and the region it reports changed must hold every pixel
// that changed.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "expr/FuncEval.h"
#include "graph/GraphView.h"
#include "graph/analysis/RangeMoves.h"
#include "lang/Language.h"
#include "qt/GraphSurfaces.h"
#include "qt/ImageCopy.h"
#include "qt/SvgOutput.h"

namespace lindor::qtgui {
namespace {

// Gaps, jumps, poles, domain ends, a function with a range of its own, a derivative and
// random numbers.
const std::vector<std::string> kTexts = {
    "tan x",    "int x",   "sqrt(4-x^2)",  "1/x",         "ln x",         "(x-1)/sqrt(x^2-1)",
    "abs(x)/x", "x^(1/3)", "sin(x)[-2;5]", "d/dx(x^3/3)", "x/4+random/2", "sin(3*x)*cos(x)"};

// A graph with its own engine and surfaces.
struct Work {
    explicit Work(int width = 900, int height = 640) {
        context.random.seed(19);
        view.setClientSize(width, height);
    }

    void plot(const std::vector<std::string>& texts) {
        for (const std::string& text : texts)
            ASSERT_EQ(view.plotRequest(text, surfaces.canvas()).status,
                      graph::PlotOutcome::Status::Plotted)
                << text;
    }

    expr::EngineContext context;
    expr::TFunctionDB functions{context};
    graph::GraphView view{functions, lang::builtinEnglish()};
    GraphSurfaces surfaces;
};

struct Picture {
    QImage bitmap;
    QByteArray vector;
};

Picture pictureOf(GraphSurfaces& surfaces) {
    return {surfaces.image().copy(), svgFromRecording(surfaces.recording())};
}

// What a view with nothing kept draws for the state of `shown`, whose work is `texts`,
// drawing the random numbers that `shown`'s engine would draw next.
Picture fullRedrawOf(const Work& shown, const std::vector<std::string>& texts) {
    Work fresh(shown.view.clientWidth(), shown.view.clientHeight());
    fresh.context.angleMode = shown.context.angleMode;
    fresh.view.state().view = shown.view.state().view;
    fresh.view.setMode(shown.view.state().mode(), fresh.surfaces.canvas());
    std::string error;
    EXPECT_TRUE(fresh.view.applyRange(shown.view.state().range(), error)) << error;
    fresh.plot(texts);
    fresh.context.random = shown.context.random;
    fresh.view.redraw(fresh.surfaces.canvas());
    return pictureOf(fresh.surfaces);
}

// Redraws `w` and checks it against a full redraw, and that `changed` (what the surfaces
// report after the redraw) holds every pixel that differs from `before`.
void expectRedrawLikeAFullOne(Work& w, const std::vector<std::string>& texts,
                              const QImage& before) {
    const Picture expected = fullRedrawOf(w, texts);
    w.view.redraw(w.surfaces.canvas());
    const Picture drawn = pictureOf(w.surfaces);
    ASSERT_EQ(drawn.bitmap.size(), expected.bitmap.size());
    EXPECT_TRUE(drawn.bitmap == expected.bitmap) << "the bitmap differs from a full redraw";
    EXPECT_EQ(drawn.vector, expected.vector) << "the vector copy differs from a full redraw";
    const QRegion changed = w.surfaces.takeChangedRegion();
    if (before.size() != drawn.bitmap.size()) {
        EXPECT_TRUE(changed.contains(drawn.bitmap.rect()));
        return;
    }
    QImage unchanged = drawn.bitmap.copy();
    {
        // Where the region says nothing changed, the picture must still be the old one.
        QPainter p(&unchanged);
        p.setClipRegion(changed);
        p.drawImage(0, 0, before);
    }
    EXPECT_TRUE(unchanged == before) << "pixels changed outside the changed region";
}

class NavigationRedrawTest : public ::testing::Test {
protected:
    void SetUp() override { testing::ensureGuiApplication(); }
};

TEST_F(NavigationRedrawTest, PanFramesAreFullRedrawsAndEvaluateOnlyTheColumnsScrolledIn) {
    Work w;
    w.plot(kTexts);
    w.view.redraw(w.surfaces.canvas());
    w.surfaces.takeChangedRegion();
    const int columns = w.view.state().area().width + 1;
    const struct {
        int dx;
        int dy;
    } moves[] = {{3, 0}, {-5, 2}, {0, -4}, {1, 1}, {12, -7}, {-11, 8}, {0, 0}, {40, 30}};
    bool onLattice = false;
    for (const auto& move : moves) {
        SCOPED_TRACE(::testing::Message() << "pan by " << move.dx << ", " << move.dy);
        const graph::GraphState& s = w.view.state();
        const std::optional<graph::Range> moved =
            graph::analysis::panRange(s.range(), s.area(), move.dx, move.dy);
        ASSERT_TRUE(moved);
        std::string error;
        ASSERT_TRUE(w.view.applyRange(*moved, error));
        const QImage before = w.surfaces.image().copy();
        w.view.columnCache().resetCounts();
        expectRedrawLikeAFullOne(w, kTexts, before);
        // After the first move puts the Range on its lattice, the eleven functions without
        // random numbers evaluate only the columns that came into view.
        const graph::ColumnCache::Counts counts = w.view.columnCache().counts();
        if (onLattice) {
            EXPECT_EQ(counts.evaluated, 11LL * std::abs(move.dx) + columns);
        }
        EXPECT_EQ(counts.evaluated + counts.reused, 12LL * columns);
        onLattice = true;
    }
}

TEST_F(NavigationRedrawTest, NothingKeptOutlivesAChangeOfWorkOrView) {
    Work w;
    std::vector<std::string> texts = {"sin x", "tan x", "sqrt(4-x^2)", "x^2-2"};
    w.plot(texts);
    w.view.redraw(w.surfaces.canvas());
    const auto step = [&](const char* what, const std::function<void()>& change) {
        SCOPED_TRACE(what);
        const QImage before = w.surfaces.image().copy();
        w.view.columnCache().resetCounts();
        change();
        expectRedrawLikeAFullOne(w, texts, before);
    };
    const auto pan = [&](int dx, int dy) {
        const graph::GraphState& s = w.view.state();
        std::string error;
        w.view.applyRange(*graph::analysis::panRange(s.range(), s.area(), dx, dy), error);
    };
    step("pan", [&] { pan(4, 3); });
    step("degrees", [&] {
        w.context.angleMode = expr::AngleMode::Degrees;
        pan(-2, 0);
    });
    EXPECT_EQ(w.view.columnCache().counts().reused, 0);
    step("radians", [&] { w.context.angleMode = expr::AngleMode::Radians; });
    step("zoom", [&] {
        const graph::GraphState& s = w.view.state();
        std::string error;
        w.view.applyRange(*graph::analysis::zoomRangeAbout(s.range(), s.area(), 200, 150, 1.2L),
                          error);
    });
    step("size", [&] { w.view.setClientSize(870, 655); });
    step("bold lines", [&] { w.view.state().view.lineStyle = graph::LineStyle::Bold; });
    step("dotted lines", [&] {
        w.view.state().view.lineStyle = graph::LineStyle::Dotted;
        pan(-3, 1);
    });
    step("no grid, no names", [&] {
        w.view.state().view.lineStyle = graph::LineStyle::Normal;
        w.view.state().view.showGrid = false;
        w.view.state().view.showFunctionNames = false;
        pan(5, 5);
    });
    step("a function erased and another plotted", [&] {
        w.view.eraseFunctions({0}, w.surfaces.canvas());
        texts.erase(texts.begin());
        w.plot({"cos x"});
        texts.push_back("cos x");
        pan(1, 0);
    });
    step("integral mode", [&] {
        w.view.setMode(graph::Mode::Integral, w.surfaces.canvas());
        texts = {"x^2-1;-1;2"};
        w.plot(texts);
        pan(-6, 2);
    });
}

TEST_F(NavigationRedrawTest, AClearWipesWhatWasPaintedWhateverPaintedIt) {
    // Everything the canvas draws, with wide pens, italics and an underline that reach
    // beyond their points and text boxes, then a second picture on the same canvas.
    const auto paintFirst = [](graph::Canvas& c) {
        c.clear(300, 200, graph::colors::kWhite);
        c.setPen({graph::colors::kBlack, 3, graph::PenStyle::Solid});
        c.polyline({{10, 10}, {120, 60}, {20, 150}, {200, 12}});
        c.setPen({graph::colors::kRed, 1, graph::PenStyle::Dotted});
        c.moveTo(5, 190);
        c.lineTo(290, 100);
        c.setPen({graph::colors::kBlack, 2, graph::PenStyle::Solid});
        c.setBrush({graph::colors::kRed, false});
        c.ellipse(150, 120, 210, 170);
        c.polygon({{250, 20}, {290, 80}, {230, 70}});
        graph::Font font;
        font.size = 28;
        font.italic = true;
        font.underline = true;
        c.setFont(font);
        c.setBrush({graph::colors::kWhite, true});
        c.textOut(40, 90, "fjy/Q");
        c.setPixel(299, 199, graph::colors::kRed);
        c.setPen({graph::colors::kRed, 1, graph::PenStyle::Solid});
        c.polyline({{-50, 40}, {150, 40}, {150, 400}});
    };
    const auto paintSecond = [](graph::Canvas& c) {
        c.clear(300, 200, graph::colors::kWhite);
        c.setPen({graph::colors::kBlack, 1, graph::PenStyle::Solid});
        c.polyline({{0, 100}, {299, 101}});
    };
    QtCanvas reused;
    paintFirst(reused);
    const QImage first = reused.image().copy();
    reused.takeChangedRegion();
    paintSecond(reused);
    QtCanvas fresh;
    paintSecond(fresh);
    EXPECT_TRUE(reused.image() == fresh.image());
    const QRegion changed = reused.takeChangedRegion();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            if (first.pixel(x, y) != fresh.image().pixel(x, y)) {
                ASSERT_TRUE(changed.contains(QPoint(x, y))) << x << ", " << y;
            }
    // Another background colour is a new picture.
    reused.clear(300, 200, graph::colors::kRed);
    EXPECT_EQ(reused.image().pixel(150, 100), qRgb(255, 0, 0));
    EXPECT_TRUE(reused.takeChangedRegion().contains(QRect(0, 0, 300, 200)));
}

TEST_F(NavigationRedrawTest, ACopiedRegionLooksAsDrawnImage) {
    QImage picture(120, 80, QImage::Format_RGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            picture.setPixel(x, y, qRgb(x * 2, y * 3, (x * y) % 256));
    QRegion region(QRect(0, 0, 30, 10));
    region += QRect(50, 20, 100, 7); // reaches beyond the picture
    region += QRect(5, 60, 2, 30);
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
        for (const bool clipped : {false, true}) {
            SCOPED_TRACE(::testing::Message() << format << (clipped ? " clipped" : ""));
            QImage copied(140, 100, format);
            copied.fill(Qt::blue);
            QImage drawn = copied.copy();
            {
                QPainter p(&copied);
                p.translate(7, 3);
                if (clipped)
                    p.setClipRect(0, 0, 60, 40);
                copyImageRegion(p, picture, region);
            }
            {
                QPainter p(&drawn);
                p.translate(7, 3);
                if (clipped)
                    p.setClipRect(0, 0, 60, 40);
                for (const QRect& r : region)
                    p.drawImage(r.topLeft(), picture, r);
            }
            EXPECT_TRUE(copied == drawn);
        }
    }
}

} // namespace
} // namespace lindor::qtgui
