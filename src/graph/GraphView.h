// The graph window without the window: it owns the graph state and draws the full
// picture (clear, background, curves of the current mode) onto a canvas, takes plot
// requests in function and integral mode, and marks analysis results. The window of the
// program shows what this draws; headless export draws through it as well.
#pragma once

#include <functional>
#include <string>

#include "graph/Canvas.h"
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
        NotPlotted,      // unknown mode letter
    };
    Status status = Status::NotPlotted;
    bool reported = false; // the flag the request reports (true: the text is taken)
    std::string message;
    bool showInstructions = false; // the function or integral instructions apply
};

class GraphView {
public:
    using LogSink = std::function<void(const std::string& line)>;

    GraphView(expr::TFunctionDB& functions, const lang::Language& language);

    GraphState& state() { return m_state; }
    const GraphState& state() const { return m_state; }
    expr::TFunctionDB& functions() { return m_functions; }

    // Receives the log lines of the integral.
    void setLogSink(LogSink sink) { m_log = std::move(sink); }

    // The client area the next redraw lays out.
    void setClientSize(int width, int height);
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }

    // Takes a new Range. A Range the graph cannot draw (a value not finite, Xmin equal to
    // Xmax, Ymin equal to Ymax, a step of 0 or below) is refused with a translated
    // message and the previous Range stays.
    bool applyRange(const Range& range, std::string& error);

    // Resizes the canvas to the client area and fills it white.
    void clearStep(Canvas& canvas);
    // Layout, then grid and axes as the view settings ask.
    void backgroundStep(Canvas& canvas);
    // Clear, background, then the curves of the current mode.
    void redraw(Canvas& canvas);
    // Empties both plotted lists and the function list and draws the empty background.
    void newWork(Canvas& canvas);

    // The text of the entry box in the current mode.
    PlotOutcome plotRequest(const std::string& text, Canvas& canvas);
    PlotOutcome addFunction(const std::string& text, Canvas& canvas);
    PlotOutcome plotIntegral(const std::string& text, Canvas& canvas);

    // Draws the curve of the plotted function at list position p.
    void plotFunction(int position, Canvas& canvas);
    // Draws the integral: curve, shading, and the log lines when they are requested.
    void drawIntegral(Canvas& canvas);
    // Marks an analysis result with the red circle.
    void markPoint(long double x, long double y, Canvas& canvas);

    // The compiled function of plotted entry p (function mode) or of the integral.
    expr::TFunction& compiledFunction(int position);
    Evaluator evaluator(int position);

private:
    expr::TFunctionDB& m_functions;
    const lang::Language& m_language;
    GraphState m_state;
    ClipState m_clip;
    LogSink m_log;
    int m_clientWidth = 442;
    int m_clientHeight = 327;
};

} // namespace lindor::graph
