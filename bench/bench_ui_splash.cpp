// Start-up cost of the splash window: building it paints its whole picture (name,
// version, three curves through the graph code), against the least any splash window
// costs: a pixmap of the same size, filled, with one line of text, in a splash screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSplashScreen>
#include <cstdlib>

#include "lang/Language.h"
#include "ui/SplashScreen.h"

namespace {

using lindor::ui::TfrmSplash;

// The first one in the process, as at start-up: fonts and caches still cold. Run it on
// its own (--benchmark_filter=SplashFirst) for a cold start.
void BM_SplashFirst(benchmark::State& state) {
    for (auto _ : state) {
        TfrmSplash splash(lindor::lang::builtinEnglish());
        benchmark::DoNotOptimize(splash.pixmap().cacheKey());
    }
}
BENCHMARK(BM_SplashFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Splash(benchmark::State& state) {
    for (auto _ : state) {
        TfrmSplash splash(lindor::lang::builtinEnglish());
        benchmark::DoNotOptimize(splash.pixmap().cacheKey());
    }
}
BENCHMARK(BM_Splash)->Unit(benchmark::kMillisecond);

void plainSplash() {
    QPixmap pixmap(TfrmSplash::kWidth, TfrmSplash::kHeight);
    pixmap.fill(Qt::lightGray);
    QPainter painter(&pixmap);
    painter.drawText(24, 60, QStringLiteral("Lindor"));
    painter.end();
    QSplashScreen splash(pixmap);
    benchmark::DoNotOptimize(splash.pixmap().cacheKey());
}

void BM_SplashBaseline(benchmark::State& state) {
    for (auto _ : state)
        plainSplash();
}
BENCHMARK(BM_SplashBaseline)->Unit(benchmark::kMillisecond);

// The same when it is the first in the process; run it on its own
// (--benchmark_filter=BaselineFirst) to compare with BM_SplashFirst.
void BM_SplashBaselineFirst(benchmark::State& state) {
    for (auto _ : state)
        plainSplash();
}
BENCHMARK(BM_SplashBaselineFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

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
