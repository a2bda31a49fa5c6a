#include "graph/analysis/RangeSelection.h"

#include "graph/analysis/Candidates.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

class Dispatch {
public:
    Dispatch(const GraphState& state, const PixelDrag& drag, std::vector<int> candidates,
             const std::vector<Curve>& curves, RangeSelectionHost& host,
             const AnalysisContext& context)
        : m_state(state), m_candidates(std::move(candidates)), m_curves(curves), m_host(host),
          m_context(context), m_box(searchBoxFromDrag(state, drag)) {}

    void run(RangeOperation op) {
        switch (op) {
        case RangeOperation::Root:
            runOne([&](const Curve& f, const std::string& text) {
                return findRoot(f, text, m_box, m_context);
            });
            break;
        case RangeOperation::Maximum:
        case RangeOperation::Minimum: {
            const Extremum kind =
                op == RangeOperation::Maximum ? Extremum::Maximum : Extremum::Minimum;
            runOne([&](const Curve& f, const std::string& text) {
                return findExtremum(f, text, m_box, kind, m_context);
            });
            break;
        }
        case RangeOperation::Intersection:
            runIntersection();
            break;
        case RangeOperation::ZoomBox:
            m_host.zoomToBox(m_box);
            break;
        case RangeOperation::XCalc:
            runCalc(m_context.language.text("XCalc"), m_context.language.text("PleaseEnterYValue"),
                    true);
            break;
        case RangeOperation::YCalc:
            runCalc(m_context.language.text("YCalc"), m_context.language.text("PleaseEnterXValue"),
                    false);
            break;
        case RangeOperation::YIntersection:
            runOne([&](const Curve& f, const std::string& text) {
                return findYIntersection(f, text, m_context);
            });
            break;
        }
    }

private:
    bool validIndex(int index) const {
        return index >= 0 && index < m_state.functionCount() &&
               static_cast<std::size_t>(index) < m_curves.size();
    }

    void report(const AnalysisResult& result) {
        if (!result.error.empty()) {
            m_host.showError(result.error);
            return;
        }
        m_host.appendLog(result.lines);
        if (result.mark)
            m_host.markPoint(result.mark->x, result.mark->y);
    }

    // The function chosen among the candidates, if one is.
    std::optional<std::size_t> chooseOne() {
        const std::optional<int> chosen = m_host.selectOneFunction(m_state, m_candidates);
        if (!chosen || !validIndex(*chosen))
            return std::nullopt;
        return static_cast<std::size_t>(*chosen);
    }

    template <typename Solver> void runOne(Solver solve) {
        if (const std::optional<std::size_t> i = chooseOne())
            report(solve(m_curves[*i], m_state.functions()[*i].text));
    }

    void runIntersection() {
        const std::optional<std::pair<int, int>> chosen =
            m_host.selectTwoFunctions(m_state, m_candidates);
        if (!chosen || !validIndex(chosen->first) || !validIndex(chosen->second))
            return;
        const auto a = static_cast<std::size_t>(chosen->first);
        const auto b = static_cast<std::size_t>(chosen->second);
        report(findIntersection(m_curves[a], m_state.functions()[a].text, m_curves[b],
                                m_state.functions()[b].text, m_box, m_context));
    }

    void runCalc(const std::string& caption, const std::string& prompt, bool forX) {
        const std::optional<std::size_t> chosen = chooseOne();
        if (!chosen)
            return;
        std::string typed;
        if (!m_host.askValue(caption, prompt + ":", typed))
            return;
        const std::size_t i = *chosen;
        report(forX ? calcX(m_curves[i], m_state.functions()[i].text, m_box, typed, m_context)
                    : calcY(m_curves[i], m_state.functions()[i].text, m_box, typed, m_context));
    }

    const GraphState& m_state;
    const std::vector<int> m_candidates;
    const std::vector<Curve>& m_curves;
    RangeSelectionHost& m_host;
    const AnalysisContext& m_context;
    SearchBox m_box;
};

} // namespace

const char* operationKey(RangeOperation operation) {
    switch (operation) {
    case RangeOperation::Root:
        return "Root";
    case RangeOperation::Maximum:
        return "Maximum";
    case RangeOperation::Minimum:
        return "Minimum";
    case RangeOperation::Intersection:
        return "Intersection";
    case RangeOperation::ZoomBox:
        return "ZoomBox";
    case RangeOperation::XCalc:
        return "XCalc";
    case RangeOperation::YCalc:
        return "YCalc";
    case RangeOperation::YIntersection:
        return "YIntersection";
    }
    return "";
}

std::optional<RangeOperation> firstPending(const GraphState& state) {
    for (int op = 1; op <= kRangeOperationCount; ++op)
        if (state.isPending(static_cast<RangeOperation>(op)))
            return static_cast<RangeOperation>(op);
    return std::nullopt;
}

SelectionEnd finishRangeSelection(GraphState& state, const PixelDrag& drag,
                                  const std::vector<Curve>& curves, RangeSelectionHost& host,
                                  const AnalysisContext& context) {
    const bool pending = state.anyPending();
    if (pending && isClick(drag, state.rendering().pixelRatio))
        return SelectionEnd::Click;
    if (!pending)
        return SelectionEnd::Nothing;
    std::vector<int> candidates;
    if (state.mode() == Mode::Function)
        candidates = collectCandidates(state, drag, curves);
    Dispatch dispatch(state, drag, std::move(candidates), curves, host, context);
    for (int op = 1; op <= kRangeOperationCount; ++op) {
        const auto operation = static_cast<RangeOperation>(op);
        if (state.isPending(operation))
            dispatch.run(operation);
    }
    state.clearPending();
    return SelectionEnd::Ran;
}

} // namespace lindor::graph::analysis
