// Saving a full-screen graph as a GIF file through the desktop path (picture snapshot,
// wait cursor, progress window painted and events run at every report) against the bare
// writer without a progress hook, in the same run. Prints the ratio at the end.
#include "expr/FuncEval.h"
#include "graph/GraphView.h"
#include "lang/Language.h"
#include "qt/GifImage.h"
#include "qt/GraphSurfaces.h"
#include "ui/GifSave.h"
#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {
using namespace lindor;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A full-screen graph drawn by the graph view: grid, axes, scale text, six curves, names.
QImage renderedGraph() {
    const lang::Language& language = lang::builtinEnglish();
    expr::EngineContext engine;
    engine.language = &language;
    expr::TFunctionDB functions(engine);
    graph::GraphView view(functions, language);
    view.setClientSize(kWidth, kHeight);
    qtgui::GraphSurfaces surfaces;
    for (const char* text :
         {"sin x", "x^2/4-3", "2sin(x/2)+1", "sqrt(x+10)-2", "1/(x^2+1)", "abs x-5"})
        view.plotRequest(text, surfaces.canvas());
    view.redraw(surfaces.canvas());
    return surfaces.image().copy();
}

const QImage& picture() {
    static const QImage image = renderedGraph();
    return image;
}

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

void BM_SaveGifBare(benchmark::State& state) {
    const std::string path = folder().filePath(QStringLiteral("bare.gif")).toStdString();
    for (auto _ : state) {
        std::string error;
        if (!qtgui::saveGif(picture(), path, error))
            state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_SaveGifBare)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveGifWithProgressWindow(benchmark::State& state) {
    const QString path = folder().filePath(QStringLiteral("progress.gif"));
    ui::TProgressForm form;
    for (auto _ : state) {
        QString error;
        if (!ui::saveGifWithProgress(picture(), path, form, error, lang::builtinEnglish()))
            state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(BM_SaveGifWithProgressWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console output, and the ratio of the progress path to the bare writer at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto bare = m_times.find("BM_SaveGifBare");
        const auto progress = m_times.find("BM_SaveGifWithProgressWindow");
        if (bare != m_times.end() && progress != m_times.end() && bare->second > 0)
            std::printf("progress window path / bare writer: %.2fx\n",
                        progress->second / bare->second);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Both paths must write the same file; timing a wrong result is void.
    {
        std::string error;
        QString progressError;
        ui::TProgressForm form;
        const QString bare = folder().filePath(QStringLiteral("check-bare.gif"));
        const QString shown = folder().filePath(QStringLiteral("check-progress.gif"));
        if (picture().isNull() || !qtgui::saveGif(picture(), bare.toStdString(), error) ||
            !ui::saveGifWithProgress(picture(), shown, form, progressError,
                                     lang::builtinEnglish())) {
            std::fprintf(stderr, "bench_gif_progress: save failed: %s%s\n", error.c_str(),
                         progressError.toStdString().c_str());
            return 1;
        }
        QFile a(bare);
        QFile b(shown);
        if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) ||
            a.readAll() != b.readAll()) {
            std::fprintf(stderr, "bench_gif_progress: the two paths wrote different files\n");
            return 1;
        }
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
