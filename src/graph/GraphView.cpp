#include "graph/GraphView.h"

#include "expr/FuncEval.h"
#include "graph/Background.h"
#include "graph/Integral.h"
#include "lang/Language.h"

namespace lindor::graph {

GraphView::GraphView(expr::TFunctionDB& functions, const lang::Language& language)
    : m_functions(functions), m_language(language) {
    m_state.layout(m_clientWidth, m_clientHeight);
}

void GraphView::setClientSize(int width, int height) {
    m_clientWidth = width < 0 ? 0 : width;
    m_clientHeight = height < 0 ? 0 : height;
}

bool GraphView::applyRange(const Range& range, std::string& error) {
    if (!isUsableRange(range)) {
        error = m_language.text("RangeNotUsable");
        return false;
    }
    m_state.range = range;
    m_state.layout(m_clientWidth, m_clientHeight);
    return true;
}

void GraphView::clearStep(Canvas& canvas) {
    canvas.clear(m_clientWidth, m_clientHeight, colors::kWhite);
    m_state.drag.focusShown = false;
}

void GraphView::backgroundStep(Canvas& canvas) {
    m_state.layout(m_clientWidth, m_clientHeight);
    drawBackground(m_state, canvas, m_functions.context().locale);
}

void GraphView::redraw(Canvas& canvas) {
    clearStep(canvas);
    backgroundStep(canvas);
    if (m_state.mode == kFunctionMode) {
        for (int p = 0; p < static_cast<int>(m_state.functions.size()); ++p)
            plotFunction(p, canvas);
    } else if (m_state.mode == kIntegralMode) {
        for (std::size_t k = 0; k < m_state.integrals.size(); ++k)
            drawIntegral(canvas);
    }
    canvas.flush();
}

void GraphView::newWork(Canvas& canvas) {
    m_state.functions.clear();
    m_state.integrals.clear();
    m_functions.Clear();
    clearStep(canvas);
    backgroundStep(canvas);
    canvas.flush();
}

PlotOutcome GraphView::plotRequest(const std::string& text, Canvas& canvas) {
    PlotOutcome outcome;
    if (m_state.mode != kFunctionMode && m_state.mode != kIntegralMode)
        return outcome;
    if (text.empty()) {
        outcome.status = PlotOutcome::Status::EmptyText;
        outcome.showInstructions = true;
        return outcome;
    }
    return m_state.mode == kFunctionMode ? addFunction(text, canvas) : plotIntegral(text, canvas);
}

PlotOutcome GraphView::addFunction(const std::string& text, Canvas& canvas) {
    PlotOutcome outcome;
    if (m_state.functions.size() >= static_cast<std::size_t>(kMaxFunctions)) {
        outcome.status = PlotOutcome::Status::LimitReached;
        outcome.reported = true;
        outcome.message = m_language.text("Only") + " " + std::to_string(kMaxFunctions) + " " +
                          m_language.text("functionsSupported");
        return outcome;
    }
    const int position = m_functions.Add();
    if (!m_functions.Get(position).Compile(text, outcome.message)) {
        // The failed function stays unused in the list, as the engine leaves it.
        outcome.status = PlotOutcome::Status::CompileError;
        outcome.showInstructions = true;
        return outcome;
    }
    const int p = static_cast<int>(m_state.functions.size());
    m_state.functions.push_back(text);
    m_state.compiledPositions[static_cast<std::size_t>(p)] = position;
    m_state.layout(m_clientWidth, m_clientHeight);
    plotFunction(p, canvas);
    canvas.flush();
    outcome.status = PlotOutcome::Status::Plotted;
    outcome.reported = true;
    return outcome;
}

PlotOutcome GraphView::plotIntegral(const std::string& text, Canvas& canvas) {
    PlotOutcome outcome;
    if (!m_state.integrals.empty())
        newWork(canvas);
    const IntegralText parsed = parseIntegralText(text, m_functions.context().locale);
    if (parsed.status == IntegralText::Status::Invalid) {
        outcome.status = PlotOutcome::Status::InvalidIntegral;
        outcome.showInstructions = true;
        return outcome;
    }
    if (parsed.status == IntegralText::Status::BadNumber) {
        outcome.status = PlotOutcome::Status::BadNumber;
        outcome.message = parsed.error;
        return outcome;
    }
    // The integrand is always the function at position 0 of the function list.
    if (m_functions.Count() == 0)
        m_functions.Add();
    if (!m_functions.Get(0).Compile(parsed.function, outcome.message)) {
        outcome.status = PlotOutcome::Status::CompileError;
        return outcome;
    }
    m_state.integralLower = parsed.lower;
    m_state.integralUpper = parsed.upper;
    m_state.integrals.push_back(text);
    m_state.layout(m_clientWidth, m_clientHeight);
    drawIntegral(canvas);
    canvas.flush();
    outcome.status = PlotOutcome::Status::Plotted;
    outcome.reported = true;
    return outcome;
}

expr::TFunction& GraphView::compiledFunction(int position) {
    if (m_state.mode == kIntegralMode)
        return m_functions.Get(0);
    return m_functions.Get(m_state.compiledPositions.at(static_cast<std::size_t>(position)));
}

Evaluator GraphView::evaluator(int position) {
    expr::TFunction& f = compiledFunction(position);
    return [&f](long double x, long double& y) { return f.Evaluate(x, y); };
}

void GraphView::plotFunction(int position, Canvas& canvas) {
    if (position < 0 || position >= static_cast<int>(m_state.functions.size()))
        return;
    plotCurve(m_state, m_clip, canvas, evaluator(position), position,
              m_state.functions[static_cast<std::size_t>(position)]);
}

void GraphView::drawIntegral(Canvas& canvas) {
    if (m_state.integrals.empty() || m_functions.Count() == 0)
        return;
    const Evaluator f = evaluator(0);
    plotCurve(m_state, m_clip, canvas, f, 0, m_state.integrals.front());
    canvas.setPen(Pen{kFunctionColors[0], 1, PenStyle::Solid});
    shadeIntegral(m_state, canvas, f, m_state.integralLower, m_state.integralUpper);
    canvas.setPen(Pen{kFunctionColors[0], 1, PenStyle::Solid});
    if (m_state.integralLogRequest) {
        m_state.integralLogRequest = false;
        if (m_log) {
            m_log("");
            m_log("y = " + m_state.integrals.front());
            m_log(integralResultLine(f, m_state.integralLower, m_state.integralUpper, m_language,
                                     m_functions.context().locale));
        }
    }
}

void GraphView::markPoint(long double x, long double y, Canvas& canvas) {
    drawResultMarker(m_state, canvas, x, y);
    canvas.flush();
}

} // namespace lindor::graph
