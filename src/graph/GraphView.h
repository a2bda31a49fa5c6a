// The graph window without the window: it owns the graph state and draws the full
// picture (clear, background, curves of the current mode) onto a canvas, takes plot
// requests in function and integral mode, and marks analysis results. The window of the
// program shows what this draws; headless export draws through it as well.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graph/Canvas.h"
#include "graph/ColumnCache.h"
#include "graph/CurvePlotter.h"
#include "graph/GraphState.h"
#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}
namespace lindor::expr {
class TFunction;
class TFunctionDB;
} // namespace lindor::expr

namespace lindor::graph {

// What a plot request did, for the caller to show.
struct PlotOutcome {
    enum class Status {
        Plotted,
        LimitReached,    // twelve functions already: `message` is the limit message
        CompileError,    // `message` is the engine's error text
        InvalidIntegral, // semicolons missing: show the integral instructions
        BadNumber,       // a limit is not a number: `message` is the conversion error
        EmptyText,       // show the instructions unless the user turned them off
    };
    Status status = Status::EmptyText;
    bool reported = false; // the flag the request reports (true: the text is taken)
    std::string message;
    bool showInstructions = false; // the function or integral instructions apply
};

// Whether drawing a new integral writes its log lines (the integral's text and value).
enum class IntegralLog { Skip, Write };

class GraphView {
public:
    using LogSink = std::function<void(const std::string& line)>;

    GraphView(expr::TFunctionDB& functions, const lang::Language& language);

    GraphState& state() { return m_state; }
    const GraphState& state() const { return m_state; }
    expr::TFunctionDB& functions() { return m_functions; }

    // Receives the log lines of the integral.
    void setLogSink(LogSink sink) { m_log = std::move(sink); }

    // The client area the picture fills.
    void setClientSize(int width, int height) { m_state.setClientSize(width, height); }
    int clientWidth() const { return m_state.clientWidth(); }
    int clientHeight() const { return m_state.clientHeight(); }
    // How the picture is put on its device; the client size is in its device pixels.
    void setRendering(const Rendering& rendering) { m_state.setRendering(rendering); }

    // Takes a new Range. A Range the graph cannot draw (a value not finite, Xmin not below
    // Xmax, Ymin not below Ymax, a step of 0 or below) is refused with a translated
    // message and the previous Range stays.
    bool applyRange(const Range& range, std::string& error);

    // Resizes the canvas to the client area and fills it white.
    void clearStep(Canvas& canvas);
    // Layout, then grid and axes as the view settings ask.
    void backgroundStep(Canvas& canvas);
    // Clear, background, then the curves of the current mode. The curves' column samples
    // are kept: after a move by whole columns (analysis::panRange) only the columns that
    // scroll in are evaluated, and the picture is the one evaluating every column gives.
    void redraw(Canvas& canvas);
    // Empties both plotted lists and the function list, forgets the candidates, pending
    // operations and trace, and draws the empty background.
    void newWork(Canvas& canvas);
    // Switches to `mode` with new work; false (and nothing changes) when it is the mode
    // already.
    bool setMode(Mode mode, Canvas& canvas);

    // The text of the entry box in the current mode. A text that does not compile
    // leaves nothing behind in the function list. `log` applies to a new integral.
    PlotOutcome plotRequest(const std::string& text, Canvas& canvas,
                            IntegralLog log = IntegralLog::Skip);
    PlotOutcome addFunction(const std::string& text, Canvas& canvas);
    PlotOutcome plotIntegral(const std::string& text, Canvas& canvas,
                             IntegralLog log = IntegralLog::Skip);

    // Removes the plotted functions at these list positions, with their compiled
    // functions, and redraws. Later functions move forward (and take the colours of their
    // new positions).
    void eraseFunctions(const std::vector<int>& positions, Canvas& canvas);

    // Draws the curve of the plotted function at list position p.
    void plotFunction(int position, Canvas& canvas);
    // Draws the integral: curve, shading, and the log lines when `log` asks for them.
    void drawIntegral(Canvas& canvas, IntegralLog log = IntegralLog::Skip);
    // Marks an analysis result with the red circle.
    void markPoint(long double x, long double y, Canvas& canvas);

    // Draws the picture as it stands (the last full drawing with the curves and marks drawn
    // onto it since) once more, at another client size and rendering, onto `canvas`. What
    // the next redraw keeps and the state's own size and rendering are not touched.
    void drawPictureAt(int width, int height, const Rendering& rendering, Canvas& canvas) const;

    // The value of plotted function p (function mode) or of the integrand (integral
    // mode); undefined everywhere when there is no such function.
    Evaluator evaluator(int position) const;
    // The range of its own that the same function's text gives, if any.
    CurveEnds curveEnds(int position) const;

    // The column samples kept between redraws (their counts tell what a redraw evaluated).
    const ColumnCache& columnCache() const { return m_columns; }
    ColumnCache& columnCache() { return m_columns; }

private:
    std::shared_ptr<expr::TFunction> compiledAt(int position) const;

    // One curve of a drawing: what it is made from, and its samples and polylines once
    // computeCurves has made them.
    struct CurveWork {
        std::shared_ptr<expr::TFunction> compiled;
        int position = 0;
        Evaluator f;
        CurveEnds ends;
        ColumnCache::Curve* kept = nullptr;
        const ColumnSamples* samples = nullptr;
        std::vector<Polyline> lines;
    };
    CurveWork curveWork(int position) const;
    // Samples (from the kept columns where they serve) and traces the curves; the picture
    // is the one computing them one after the other gives.
    void computeCurves(std::vector<CurveWork>& curves);
    void drawCurveWork(const CurveWork& curve, const std::string& name, Canvas& canvas);

    // Adds a function to the function list and compiles `text` into it. On failure the
    // function, and any "d/dx" operands its compilation added, leave the list again.
    std::shared_ptr<expr::TFunction> compileNew(const std::string& text, std::string& error);

    expr::TFunctionDB& m_functions;
    const lang::Language& m_language;
    GraphState m_state;
    ColumnCache m_columns;
    LogSink m_log;
    // The results marked since the picture was last cleared, in plane coordinates.
    std::vector<std::pair<long double, long double>> m_marks;
};

} // namespace lindor::graph
