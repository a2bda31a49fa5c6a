#include "ui/GraphPicture.h"

#include "expr/FuncEval.h"
#include "graph/GraphView.h"
#include "lang/Language.h"
#include "qt/QtCanvas.h"

namespace lindor::ui {

QImage drawGraphPicture(const GraphPictureRequest& entry, int* failed) {
    // The example texts are the program's own; any error text would be the built-in one.
    const lang::Language& language = lang::builtinEnglish();
    expr::EngineContext engine;
    engine.angleMode = entry.view.radians ? expr::AngleMode::Radians : expr::AngleMode::Degrees;
    engine.language = &language;
    expr::TFunctionDB functions(engine);
    graph::GraphView view(functions, language);
    view.setClientSize(entry.size.width(), entry.size.height());
    std::string error;
    if (!view.applyRange(entry.range, error))
        view.applyRange(graph::Range::standard(), error);
    view.state().view = entry.view;

    qtgui::QtCanvas canvas;
    int failures = 0;
    auto plot = [&](const std::string& text) {
        if (view.plotRequest(text, canvas).status != graph::PlotOutcome::Status::Plotted)
            ++failures;
    };
    if (!entry.integral.empty()) {
        view.setMode(graph::Mode::Integral, canvas);
        plot(entry.integral);
    } else {
        for (const std::string& text : entry.functions)
            plot(text);
    }
    view.redraw(canvas);
    if (failed)
        *failed = failures;
    return canvas.image().copy();
}

} // namespace lindor::ui
