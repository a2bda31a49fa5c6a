// Speed of a full graph redraw: twelve functions on a 1920 by 1080 client area through
// the engine, the graph core, the bitmap canvas and the recording, against the same
// samples from hand-written functions drawn as one QPainter polyline per curve; and the
// redraw of twelve functions whose gaps, jumps, poles and domain ends make the curves
// refine between their columns.
#include <benchmark/benchmark.h>

#include "BenchExpressions.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
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
#include "lang/Language.h"
#include "qt/GraphSurfaces.h"

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
        view.redraw(surfaces.canvas());
        benchmark::DoNotOptimize(surfaces.image().constBits());
    }
    state.counters["primitives"] = static_cast<double>(surfaces.recording().primitives().size());
}

void BM_Redraw12(benchmark::State& state) {
    redrawFunctions(state, kTexts);
}
BENCHMARK(BM_Redraw12)->Unit(benchmark::kMillisecond);

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

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
