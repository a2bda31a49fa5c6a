// GIF coding speed on a full-screen graph picture: the writer (scan plus LZW coding to
// memory) against giflib coding the same colour indices, and against the plain
// linear-search coder the tests compare bytes with.
#include "../tests/gif/LinearGifCoder.h"

#include "expr/FuncEval.h"
#include "gif/GifFile.h"
#include "gif/ReadBitmapPixels.h"
#include "graph/Color.h"
#include "graph/GraphView.h"
#include "lang/Language.h"
#include "qt/GifImage.h"
#include "qt/GraphSurfaces.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {
using namespace lindor;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A full-screen graph drawn by the graph view: twelve functions with grid, axes, scale
// text and names. Empty when the view cannot draw them all.
QImage renderedGraph() {
    lang::Language language = lang::builtinEnglish();
    expr::EngineContext engine;
    engine.language = &language;
    expr::TFunctionDB functions(engine);
    graph::GraphView view(functions, language);
    view.setClientSize(kWidth, kHeight);
    qtgui::GraphSurfaces surfaces;
    const char* const texts[graph::kMaxFunctions] = {
        "sin x",    "cos(2x)", "x^2/4-3",   "2sin(x/2)+1", "sqrt(x+10)-2", "-x/3",
        "3cos x-1", "x^3/20",  "e^(x/4)-4", "ln(x+10)",    "1/(x^2+1)",    "abs x-5"};
    for (const char* text : texts) {
        const graph::PlotOutcome outcome = view.plotRequest(text, surfaces.canvas());
        if (outcome.status != graph::PlotOutcome::Status::Plotted) {
            std::fprintf(stderr, "bench_gif: %s: %s\n", text, outcome.message.c_str());
            return QImage();
        }
    }
    view.redraw(surfaces.canvas());
    return surfaces.image().copy();
}

// Stand-in for the graph view's picture: white ground, silver grid, black axes with scale
// text, twelve curves in the function colours and their names; no antialiasing.
QImage graphPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont font("Sans", 9);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);

    const int x0 = kWidth / 2;
    const int y0 = kHeight / 2;
    const int unit = 96;
    p.setPen(QColor(192, 192, 192));
    for (int x = x0 % unit; x < kWidth; x += unit)
        p.drawLine(x, 0, x, kHeight - 1);
    for (int y = y0 % unit; y < kHeight; y += unit)
        p.drawLine(0, y, kWidth - 1, y);
    p.setPen(Qt::black);
    p.drawLine(0, y0, kWidth - 1, y0);
    p.drawLine(x0, 0, x0, kHeight - 1);
    for (int x = x0 % unit; x < kWidth; x += unit) {
        p.drawLine(x, y0 - 3, x, y0 + 3);
        p.drawText(x + 2, y0 + 14, QString::number((x - x0) / unit));
    }
    for (int y = y0 % unit; y < kHeight; y += unit) {
        p.drawLine(x0 - 3, y, x0 + 3, y);
        p.drawText(x0 + 5, y - 2, QString::number((y0 - y) / unit));
    }
    p.drawText(kWidth - 20, y0 - 6, "x");
    p.drawText(x0 + 8, 14, "y");

    for (int k = 0; k < graph::kMaxFunctions; ++k) {
        const graph::Color c = graph::kFunctionColors[static_cast<std::size_t>(k)];
        p.setPen(QPen(QColor(c.r, c.g, c.b), 1));
        QPolygon curve;
        for (int x = 0; x < kWidth; ++x) {
            const double t = static_cast<double>(x - x0) / unit;
            const double v =
                (k + 1) * 0.4 * std::sin(t * (0.3 + 0.15 * k) + k) + 0.05 * (k - 6) * t;
            curve << QPoint(x, y0 - static_cast<int>(std::lround(v * unit)));
        }
        p.drawPolyline(curve);
        p.drawText(kWidth - 260, 20 + 16 * k,
                   QString("y = %1*sin(%2x + %3)").arg(k + 1).arg(0.3 + 0.15 * k).arg(k));
    }
    return image;
}

struct Picture {
    gif::Bitmap24 bitmap;
    gif::TColorTable table;
    gif::TByteArray2D matrix;
};

const Picture& picture() {
    static const Picture p = [] {
        Picture q;
        QImage image = renderedGraph();
        if (image.width() != kWidth || image.height() != kHeight) {
            std::fprintf(stderr, "bench_gif: graph view unavailable, using a drawn picture\n");
            image = graphPicture();
        }
        q.bitmap = qtgui::bitmapFromImage(image);
        gif::ReadBitmapPixels(q.bitmap, q.table, q.matrix);
        return q;
    }();
    return p;
}

void BM_GifEncode1080p(benchmark::State& state) {
    const Picture& pic = picture();
    std::size_t size = 0;
    for (auto _ : state) {
        gif::TColorTable table;
        gif::TByteArray2D matrix;
        gif::ReadBitmapPixels(pic.bitmap, table, matrix);
        gif::TGifFile file;
        file.AddImage(table, matrix);
        const std::vector<std::uint8_t> bytes = file.saveToBytes();
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
    state.counters["colours"] = pic.table.count;
}
BENCHMARK(BM_GifEncode1080p)->Unit(benchmark::kMillisecond);

int writeToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

std::vector<std::uint8_t> encodeWithGiflib(const gif::TColorTable& table,
                                           std::vector<GifByteType>& indices, int width,
                                           int height) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToVector, &error);
    if (!gif)
        throw std::runtime_error("EGifOpen failed");
    std::vector<GifColorType> colours(static_cast<std::size_t>(table.count));
    for (int i = 0; i < table.count; ++i) {
        const auto& e = table.entries[static_cast<std::size_t>(i)];
        colours[static_cast<std::size_t>(i)] = GifColorType{e.red, e.green, e.blue};
    }
    ColorMapObject* map = GifMakeMapObject(table.count, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, width, height, map->BitsPerPixel, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y)
        ok =
            EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * width, width) == GIF_OK;
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    if (!ok)
        throw std::runtime_error("giflib could not code the picture");
    return out;
}

void BM_GifEncodeGiflib(benchmark::State& state) {
    const Picture& pic = picture();
    const auto* cells = pic.matrix.cells().data();
    // giflib masks the pixels of each line in place, so it works on a copy.
    std::vector<GifByteType> indices(cells,
                                     cells + static_cast<std::size_t>(pic.matrix.cells().size()));
    std::size_t size = 0;
    for (auto _ : state) {
        const auto bytes = encodeWithGiflib(pic.table, indices, kWidth, kHeight);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_GifEncodeGiflib)->Unit(benchmark::kMillisecond);

void BM_GifEncodeLinear(benchmark::State& state) {
    const Picture& pic = picture();
    const gif::linear::Picture plain{pic.bitmap.width, pic.bitmap.height, pic.bitmap.rgb};
    std::size_t size = 0;
    for (auto _ : state) {
        const auto bytes = gif::linear::writeLinear(plain);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_GifEncodeLinear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Text needs a font database, which needs a GUI application; no display is used.
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The writer must give the linear coder's bytes; a benchmark of wrong output is void.
    {
        const Picture& pic = picture();
        gif::TGifFile file;
        file.AddImage(pic.table, pic.matrix);
        const gif::linear::Picture plain{pic.bitmap.width, pic.bitmap.height, pic.bitmap.rgb};
        if (file.saveToBytes() != gif::linear::writeLinear(plain)) {
            std::fprintf(stderr, "bench_gif: writer and linear coder disagree\n");
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
