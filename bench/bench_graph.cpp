// Speed of a full graph redraw: twelve functions on a 1920 by 1080 client area through
// the engine, the graph core, the bitmap canvas and the recording, against the same
// samples from hand-written functions drawn as one QPainter polyline per curve; the
// redraw of twelve functions whose gaps, jumps, poles and domain ends make the curves
// refine between their columns; and the frames of navigation on a 3840 by 2160 graph
// window: a pan by a few pixels and a wheel zoom, each redrawn and painted into the
// window under the offscreen platform. Frames and the full redraw measure the CPU time
// of the whole process, so that work Qt hands to its own threads counts as well.
#include <benchmark/benchmark.h>

#include "BenchExpressions.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "graph/GraphView.h"
#include "graph/analysis/RangeMoves.h"
#include "lang/Language.h"
#include "qt/GraphSurfaces.h"
#include "ui/AppState.h"
#include "ui/GraphWindow.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The six engine benchmark expressions and six more.
std::vector<std::string> benchTexts() {
    std::vector<std::string> texts(std::begin(lindor::bench::kBenchExpressions),
                                   std::end(lindor::bench::kBenchExpressions));
    for (const char* more : {"cos(x)", "x^2-2", "1/x", "tan(x)", "e^x-3", "sqrt(9-x^2)"})
        texts.emplace_back(more);
    return texts;
}

const std::vector<std::string> kTexts = benchTexts();

// Twelve functions that the column samples alone would draw wrongly.
const std::vector<std::string> kHardTexts = {
    "tan x",    "int x",      "1/x",      "sqrt(4-x^2)", "ln x",      "(x-1)/sqrt(x^2-1)",
    "abs(x)/x", "log(x^2-1)", "arcsin x", "x^(1/3)",     "1/(x^2-4)", "x-int x",
};

using Sample = std::function<bool(long double, long double&)>;

// The same twelve functions written by hand.
const std::vector<Sample>& handWritten() {
    static const std::vector<Sample> f = {
        [](long double x, long double& y) { return y = x, true; },
        [](long double x, long double& y) { return y = 2 * x * x - 3, true; },
        [](long double x, long double& y) {
            return y = std::sin(3 * x) * std::cos(x) + x * x * x / 7, true;
        },
        [](long double x, long double& y) {
            return y = std::sqrt(std::fabs(x)) + std::log(x * x + 1) - std::exp(-x * x), true;
        },
        [](long double x, long double& y) {
            return y = ((x + 1) * (x - 1)) / (x * x + 2 * x + 5) + std::atan(x), true;
        },
        [](long double x, long double& y) {
            y = std::pow(x, 5) - 4 * std::pow(x, 4) + 3 * x * x * x - 2 * x * x + x - 1 +
                std::sin(x) * std::cos(2 * x) * std::tan(x / 3) + std::sqrt(x * x + 1);
            return true;
        },
        [](long double x, long double& y) { return y = std::cos(x), true; },
        [](long double x, long double& y) { return y = x * x - 2, true; },
        [](long double x, long double& y) { return x != 0 && (y = 1 / x, true); },
        [](long double x, long double& y) { return y = std::tan(x), true; },
        [](long double x, long double& y) { return y = std::exp(x) - 3, true; },
        [](long double x, long double& y) {
            return 9 - x * x >= 0 && (y = std::sqrt(9 - x * x), true);
        },
    };
    return f;
}

// Redraws the graph with these functions in the standard Range, once per iteration.
void redrawFunctions(benchmark::State& state, const std::vector<std::string>& texts) {
    lindor::expr::EngineContext context;
    lindor::expr::TFunctionDB functions(context);
    const lindor::lang::Language& language = lindor::lang::builtinEnglish();
    lindor::graph::GraphView view(functions, language);
    view.setClientSize(kWidth, kHeight);
    std::string error;
    view.applyRange(lindor::graph::Range::standard(), error);
    lindor::qtgui::GraphSurfaces surfaces;
    for (const std::string& text : texts) {
        const auto outcome = view.plotRequest(text, surfaces.canvas());
        if (outcome.status != lindor::graph::PlotOutcome::Status::Plotted) {
            state.SkipWithError(("cannot plot " + text + ": " + outcome.message).c_str());
            return;
        }
    }
    for (auto _ : state) {
        // A full redraw evaluates every column, as after a new function or Range: nothing
        // is taken from the samples the last redraw kept.
        view.columnCache().clear();
        view.redraw(surfaces.canvas());
        benchmark::DoNotOptimize(surfaces.image().constBits());
    }
    state.counters["primitives"] = static_cast<double>(surfaces.recording().primitives().size());
}

void BM_Redraw12(benchmark::State& state) {
    redrawFunctions(state, kTexts);
}
BENCHMARK(BM_Redraw12)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_RedrawHard12(benchmark::State& state) {
    redrawFunctions(state, kHardTexts);
}
BENCHMARK(BM_RedrawHard12)->Unit(benchmark::kMillisecond);

void BM_RedrawBaseline(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const int left = 15;
    const int top = 22;
    const int w = kWidth - 22 - left;
    const int h = kHeight - 15 - top;
    const lindor::graph::Range r = lindor::graph::Range::standard();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        for (std::size_t k = 0; k < handWritten().size(); ++k) {
            const auto c = lindor::graph::kFunctionColors[k];
            painter.setPen(QPen(QColor(c.r, c.g, c.b), 1));
            QPolygon curve;
            curve.reserve(w + 1);
            for (int i = 0; i <= w; ++i) {
                const long double x =
                    r.xMin + (static_cast<long double>(i) / w) * (r.xMax - r.xMin);
                long double y = 0;
                if (!handWritten()[k](x, y))
                    continue;
                const double row = static_cast<double>((r.yMax - y) / (r.yMax - r.yMin) * h + top);
                curve << QPoint(left + i,
                                static_cast<int>(std::fmin(std::fmax(row, top), top + h)));
            }
            painter.drawPolyline(curve);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RedrawBaseline)->Unit(benchmark::kMillisecond);

constexpr int kWindowWidth = 3840;
constexpr int kWindowHeight = 2160;

// The graph window of the program at 4K with the twelve functions of BM_Redraw12, shown on
// the offscreen platform and painted once.
struct FourKWindow {
    explicit FourKWindow(benchmark::State& state)
        : app(lindor::ui::AppPaths{"", "", folder.filePath("lindor.INI").toStdString()},
              lindor::NumberLocale{}),
          window(app) {
        window.resize(kWindowWidth, kWindowHeight);
        window.show();
        QApplication::processEvents();
        for (const std::string& text : kTexts) {
            const auto outcome = app.graph.plotRequest(text, window.canvas());
            if (outcome.status != lindor::graph::PlotOutcome::Status::Plotted)
                state.SkipWithError(("cannot plot " + text + ": " + outcome.message).c_str());
        }
        window.redraw();
        QApplication::processEvents();
    }

    // Takes the new Range, redraws and lets the event loop paint the window.
    void show(const lindor::graph::Range& range) {
        std::string error;
        app.graph.applyRange(range, error);
        window.redraw();
        QApplication::processEvents();
    }

    void report(benchmark::State& state) {
        const auto& counts = app.graph.columnCache().counts();
        const double frames = static_cast<double>(state.iterations());
        state.counters["evaluated/frame"] = static_cast<double>(counts.evaluated) / frames;
        state.counters["reused/frame"] = static_cast<double>(counts.reused) / frames;
    }

    QTemporaryDir folder;
    lindor::ui::AppState app;
    lindor::ui::TGraphWindow window;
};

// A drag by a few pixels per frame, to and fro so that the view stays where it is. The
// drag's first frame, which puts the Range on its lattice and so evaluates every column
// as a zoom frame does, comes before the measured ones.
void BM_PanFrame12(benchmark::State& state) {
    FourKWindow w(state);
    const lindor::graph::GraphState& start = w.app.graphState();
    w.show(*lindor::graph::analysis::panRange(start.range(), start.area(), 0, 0));
    int direction = 1;
    w.app.graph.columnCache().resetCounts();
    for (auto _ : state) {
        const lindor::graph::GraphState& s = w.app.graphState();
        const auto moved =
            lindor::graph::analysis::panRange(s.range(), s.area(), 3 * direction, 2 * direction);
        if (!moved) {
            state.SkipWithError("the pan was refused");
            return;
        }
        w.show(*moved);
        direction = -direction;
    }
    w.report(state);
}
BENCHMARK(BM_PanFrame12)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// A wheel notch about a point off the centre per frame, in and out in turn: every column
// is evaluated.
void BM_WheelZoomFrame12(benchmark::State& state) {
    FourKWindow w(state);
    bool in = true;
    w.app.graph.columnCache().resetCounts();
    for (auto _ : state) {
        const lindor::graph::GraphState& s = w.app.graphState();
        const auto zoomed = lindor::graph::analysis::zoomRangeAbout(s.range(), s.area(), 1234.0L,
                                                                    567.0L, in ? 1.2L : 1 / 1.2L);
        if (!zoomed) {
            state.SkipWithError("the zoom was refused");
            return;
        }
        w.show(*zoomed);
        in = !in;
    }
    w.report(state);
}
BENCHMARK(BM_WheelZoomFrame12)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
