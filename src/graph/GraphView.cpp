#include "graph/GraphView.h"

#include <cmath>

#include "expr/FuncEval.h"
#include "graph/Background.h"
#include "graph/Integral.h"
#include "graph/Parallel.h"
#include "lang/Language.h"

namespace lindor::graph {

GraphView::GraphView(expr::TFunctionDB& functions, const lang::Language& language)
    : m_functions(functions), m_language(language) {
    m_state.setClientSize(442, 327);
}

bool GraphView::applyRange(const Range& range, std::string& error) {
    if (!isUsableRange(range)) {
        // Bounds out of order get a message of their own: the other values may be fine.
        const bool finite = std::isfinite(range.xMin) && std::isfinite(range.xMax) &&
                            std::isfinite(range.yMin) && std::isfinite(range.yMax);
        if (finite && !(range.xMin < range.xMax))
            error = m_language.text("XminNotBelowXmax");
        else if (finite && !(range.yMin < range.yMax))
            error = m_language.text("YminNotBelowYmax");
        else
            error = m_language.text("RangeNotUsable");
        return false;
    }
    m_state.setRange(range);
    return true;
}

void GraphView::clearStep(Canvas& canvas) {
    canvas.clear(m_state.clientWidth(), m_state.clientHeight(), colors::kWhite);
    m_marks.clear();
}

void GraphView::backgroundStep(Canvas& canvas) {
    drawBackground(m_state, canvas, m_functions.context().locale);
}

void GraphView::redraw(Canvas& canvas) {
    clearStep(canvas);
    backgroundStep(canvas);
    std::vector<const expr::TFunction*> plotted;
    if (m_state.mode() == Mode::Function) {
        std::vector<CurveWork> curves;
        for (int p = 0; p < m_state.functionCount(); ++p)
            curves.push_back(curveWork(p));
        computeCurves(curves);
        for (const CurveWork& curve : curves) {
            drawCurveWork(curve, m_state.functions()[static_cast<std::size_t>(curve.position)].text,
                          canvas);
            plotted.push_back(curve.compiled.get());
        }
    } else {
        drawIntegral(canvas);
        if (m_state.integral())
            plotted.push_back(m_state.integral()->compiled.get());
    }
    m_columns.keepOnly(plotted);
    canvas.flush();
}

void GraphView::newWork(Canvas& canvas) {
    m_state.clearPlotted();
    m_functions.Clear();
    m_columns.clear();
    clearStep(canvas);
    backgroundStep(canvas);
    canvas.flush();
}

bool GraphView::setMode(Mode mode, Canvas& canvas) {
    if (m_state.mode() == mode)
        return false;
    m_state.switchMode(mode);
    newWork(canvas);
    return true;
}

PlotOutcome GraphView::plotRequest(const std::string& text, Canvas& canvas, IntegralLog log) {
    if (text.empty()) {
        PlotOutcome outcome;
        outcome.status = PlotOutcome::Status::EmptyText;
        outcome.showInstructions = true;
        return outcome;
    }
    return m_state.mode() == Mode::Function ? addFunction(text, canvas)
                                            : plotIntegral(text, canvas, log);
}

std::shared_ptr<expr::TFunction> GraphView::compileNew(const std::string& text,
                                                       std::string& error) {
    const int before = m_functions.Count();
    const int position = m_functions.Add();
    if (m_functions.Get(position).Compile(text, error))
        return m_functions.share(position);
    while (m_functions.Count() > before)
        m_functions.Delete(m_functions.Count() - 1);
    return nullptr;
}

PlotOutcome GraphView::addFunction(const std::string& text, Canvas& canvas) {
    PlotOutcome outcome;
    if (m_state.functionCount() >= kMaxFunctions) {
        // Refused: the text is not taken, so it stays out of the history.
        outcome.status = PlotOutcome::Status::LimitReached;
        outcome.message = m_language.text("Only") + " " + std::to_string(kMaxFunctions) + " " +
                          m_language.text("functionsSupported");
        return outcome;
    }
    std::shared_ptr<expr::TFunction> compiled = compileNew(text, outcome.message);
    if (!compiled) {
        outcome.status = PlotOutcome::Status::CompileError;
        outcome.showInstructions = true;
        return outcome;
    }
    m_state.appendFunction(PlottedFunction{text, std::move(compiled)});
    plotFunction(m_state.functionCount() - 1, canvas);
    canvas.flush();
    outcome.status = PlotOutcome::Status::Plotted;
    outcome.reported = true;
    return outcome;
}

PlotOutcome GraphView::plotIntegral(const std::string& text, Canvas& canvas, IntegralLog log) {
    // The integral shown stays until a new text is accepted: a typo loses nothing.
    PlotOutcome outcome;
    const IntegralText parsed = parseIntegralText(text, m_functions.context());
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
    const int oldEntries = m_functions.Count();
    std::shared_ptr<expr::TFunction> compiled = compileNew(parsed.function, outcome.message);
    if (!compiled) {
        outcome.status = PlotOutcome::Status::CompileError;
        return outcome;
    }
    if (m_state.integral()) {
        // The old integral's entries lead the function list; the new one follows them.
        // What the new one refers to is shared with it, so it outlives their removal.
        for (int i = 0; i < oldEntries; ++i)
            m_functions.Delete(0);
        m_state.clearPlotted();
        clearStep(canvas);
        backgroundStep(canvas);
    }
    m_state.setIntegral(
        PlottedIntegral{text, std::move(compiled), parsed.lower, parsed.upper, parsed.reversed});
    drawIntegral(canvas, log);
    canvas.flush();
    outcome.status = PlotOutcome::Status::Plotted;
    outcome.reported = true;
    return outcome;
}

void GraphView::eraseFunctions(const std::vector<int>& positions, Canvas& canvas) {
    for (int p : positions) {
        if (!m_state.isPlottedPosition(p))
            continue;
        const int listPosition =
            m_functions.positionOf(m_state.functions()[static_cast<std::size_t>(p)].compiled.get());
        if (listPosition >= 0)
            m_functions.Delete(listPosition);
    }
    m_state.eraseFunctions(positions);
    // The operands of their derivatives go with them.
    m_functions.deleteUnused();
    redraw(canvas);
}

std::shared_ptr<expr::TFunction> GraphView::compiledAt(int position) const {
    if (m_state.mode() == Mode::Integral)
        return m_state.integral() ? m_state.integral()->compiled : nullptr;
    if (m_state.isPlottedPosition(position))
        return m_state.functions()[static_cast<std::size_t>(position)].compiled;
    return nullptr;
}

Evaluator GraphView::evaluator(int position) const {
    std::shared_ptr<expr::TFunction> f = compiledAt(position);
    if (!f)
        return [](long double, long double&) { return false; };
    return [f](long double x, long double& y) { return f->Evaluate(x, y); };
}

CurveEnds GraphView::curveEnds(int position) const {
    const std::shared_ptr<expr::TFunction> f = compiledAt(position);
    if (!f || !f->hasRange())
        return {};
    return CurveEnds{true, f->lowerBound(), f->upperBound()};
}

GraphView::CurveWork GraphView::curveWork(int position) const {
    CurveWork work;
    work.compiled = compiledAt(position);
    work.position = position;
    work.f = evaluator(position);
    work.ends = curveEnds(position);
    return work;
}

void GraphView::computeCurves(std::vector<CurveWork>& curves) {
    if (!m_state.area().drawable() || !isUsableRange(m_state.range()))
        return;
    const ColumnCache::ColumnsPtr columns = m_columns.columns(m_state);
    const expr::AngleMode angleMode = m_functions.context().angleMode;
    for (CurveWork& curve : curves)
        if (curve.compiled)
            curve.kept = &m_columns.curve(curve.compiled, angleMode);
    const auto compute = [&](CurveWork& curve) {
        curve.samples = &m_columns.sample(*curve.kept, columns, curve.f);
        curve.lines = curveLines(m_state, *curve.samples, curve.f, curve.ends);
    };
    // A function that draws random numbers is evaluated here, in list order, so that it
    // draws the numbers a redraw one curve after the other would give it; the others share
    // nothing (each evaluates only its own operations and "d/dx" functions) and are
    // computed on all cores at once.
    std::vector<CurveWork*> independent;
    for (CurveWork& curve : curves) {
        if (!curve.kept)
            continue;
        if (curve.kept->drawsRandom)
            compute(curve);
        else
            independent.push_back(&curve);
    }
    forEachInParallel(independent.size(), [&](std::size_t k) { compute(*independent[k]); });
}

void GraphView::drawCurveWork(const CurveWork& curve, const std::string& name, Canvas& canvas) {
    static const ColumnSamples kNone;
    drawCurve(m_state, canvas, curve.samples ? *curve.samples : kNone, curve.lines, curve.position,
              name);
}

void GraphView::plotFunction(int position, Canvas& canvas) {
    if (!m_state.isPlottedPosition(position))
        return;
    std::vector<CurveWork> curve{curveWork(position)};
    computeCurves(curve);
    drawCurveWork(curve.front(), m_state.functions()[static_cast<std::size_t>(position)].text,
                  canvas);
}

void GraphView::drawIntegral(Canvas& canvas, IntegralLog log) {
    const std::optional<PlottedIntegral>& integral = m_state.integral();
    if (!integral)
        return;
    std::vector<CurveWork> curve{curveWork(0)};
    computeCurves(curve);
    drawCurveWork(curve.front(), integral->text, canvas);
    const Evaluator& f = curve.front().f;
    canvas.setPen(Pen{kFunctionColors[0], 1, PenStyle::Solid});
    shadeIntegral(m_state, canvas, f, integral->lower, integral->upper);
    canvas.setPen(Pen{kFunctionColors[0], 1, PenStyle::Solid});
    if (log == IntegralLog::Write && m_log) {
        m_log("");
        m_log("y = " + integral->text);
        const long double from = integral->reversed ? integral->upper : integral->lower;
        const long double to = integral->reversed ? integral->lower : integral->upper;
        m_log(integralResultLine(f, from, to, m_language, m_functions.context().locale));
    }
}

void GraphView::markPoint(long double x, long double y, Canvas& canvas) {
    m_marks.emplace_back(x, y);
    drawResultMarker(m_state, canvas, x, y);
    canvas.flush();
}

void GraphView::drawPictureAt(int width, int height, const Rendering& rendering,
                              Canvas& canvas) const {
    GraphState s = m_state;
    s.setClientSize(width, height);
    s.setRendering(rendering);
    canvas.clear(s.clientWidth(), s.clientHeight(), colors::kWhite);
    drawBackground(s, canvas, m_functions.context().locale);
    if (s.mode() == Mode::Function) {
        for (int p = 0; p < s.functionCount(); ++p)
            plotCurve(s, canvas, evaluator(p), curveEnds(p), p,
                      s.functions()[static_cast<std::size_t>(p)].text);
    } else if (const std::optional<PlottedIntegral>& integral = s.integral()) {
        const Evaluator f = evaluator(0);
        plotCurve(s, canvas, f, curveEnds(0), 0, integral->text);
        canvas.setPen(Pen{kFunctionColors[0], 1, PenStyle::Solid});
        shadeIntegral(s, canvas, f, integral->lower, integral->upper);
    }
    for (const auto& [x, y] : m_marks)
        drawResultMarker(s, canvas, x, y);
    canvas.flush();
}

} // namespace lindor::graph
