// Speed of the desktop program where a user waits on it: the log lines of a drag over the
// graph (press, move, release, the root search, the log and the marker) and the redraw of a
// maximised 1920 by 1080 graph window with twelve functions after a resize. Runs on the
// offscreen platform; painting is included (a synchronous repaint).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "graph/analysis/ZoomTexts.h"
#include "ui/AppState.h"
#include "ui/EntryBox.h"
#include "ui/FrameController.h"
#include "ui/GraphWindow.h"
#include "ui/LogWindow.h"
#include "ui/MainFrame.h"
#include "ui/QtQuestions.h"
#include "ui/SelectionSteps.h"

namespace {

using namespace lindor;

// Never asked: the benchmarks take paths without questions.
class NoQuestions : public ui::QtQuestions {
public:
    NoQuestions() : QtQuestions(nullptr, "Lindor") {}
};

struct Program {
    Program() {
        app = std::make_unique<ui::AppState>(
            ui::AppPaths{LINDOR_DATA_DIR, LINDOR_DATA_DIR,
                         folder.filePath("lindor.INI").toStdString()},
            NumberLocale{});
        app->loadSettings();
        frame = std::make_unique<ui::TMDIFrame>(*app, questions);
        frame->resize(1400, 900);
        frame->show();
        frame->FormShow({});
        QApplication::processEvents();
    }
    ~Program() { app->undoStack.setClean(); }

    QTemporaryDir folder;
    NoQuestions questions;
    std::unique_ptr<ui::AppState> app;
    std::unique_ptr<ui::TMDIFrame> frame;
};

void send(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, w.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

void BM_DragToLogLines(benchmark::State& state) {
    Program p;
    p.frame->controller().plotText("x^2-2");
    ui::TGraphWindow& graph = p.frame->graphWindow();
    graph::GraphState& s = p.app->graphState();
    const QPoint from(s.XToColumn(1), s.YToRow(1));
    const QPoint to(s.XToColumn(2), s.YToRow(-1));
    for (auto _ : state) {
        p.frame->selection().startRangeOperation(graph::RangeOperation::Root);
        send(graph, QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(graph, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        send(graph, QEvent::MouseMove, to, Qt::LeftButton);
        send(graph, QEvent::MouseButtonRelease, to, Qt::NoButton);
        graph.repaint();
        benchmark::DoNotOptimize(p.frame->logWindow().lines());
        state.PauseTiming();
        p.frame->logWindow().clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DragToLogLines)->Unit(benchmark::kMillisecond);

void BM_ResizeRedraw12(benchmark::State& state) {
    Program p;
    const char* const texts[] = {"x",
                                 "2*x^2-3",
                                 "sin(3*x)*cos(x)+x^3/7",
                                 "sqrt(abs(x))+ln(x^2+1)-e^(-x^2)",
                                 "((x+1)*(x-1))/(x^2+2*x+5)+arctan(x)",
                                 "x^5-4*x^4+3*x^3-2*x^2+x-1+sin(x)*cos(2*x)*tan(x/3)+sqrt(x^2+1)",
                                 "cos(x)",
                                 "x^2-2",
                                 "1/x",
                                 "tan(x)",
                                 "e^x-3",
                                 "sqrt(9-x^2)"};
    for (const char* t : texts)
        p.frame->controller().plotText(t);
    ui::TGraphWindow graph(*p.app);
    graph.resize(1920, 1080);
    graph.show();
    QApplication::processEvents();
    bool wide = false;
    for (auto _ : state) {
        graph.resize(wide ? 1920 : 1900, 1080);
        graph.repaint();
        wide = !wide;
    }
}
BENCHMARK(BM_ResizeRedraw12)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
