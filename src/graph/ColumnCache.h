// The column samples of the plotted curves, kept from one redraw to the next. When the
// view moves by whole columns (a pan), the columns that stay in view have exactly the x
// they had before (see columnX and analysis::panRange), so their values are taken from
// here and only the columns that scroll in are evaluated. A kept value is used only for
// bit for bit the same x, the same compiled function and the same angle mode, and never
// for a function that draws random numbers, so a picture drawn from kept samples is the
// picture that evaluating every column would give.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "graph/CurveTrace.h"
#include "graph/GraphState.h"

namespace lindor::graph {

// True when evaluating `function` draws random numbers, itself or through the function of
// a "d/dx" in it: its values cannot be kept, and it must be evaluated in its turn.
bool drawsRandomNumbers(const expr::TFunction& function);

class ColumnCache {
public:
    // The x of every plot column (ascending), and the Range and width they belong to.
    struct Columns {
        long double xMin = 0;
        long double xMax = 0;
        int width = -1;
        std::vector<long double> xs;
    };
    using ColumnsPtr = std::shared_ptr<const Columns>;

    // What is kept for one function.
    struct Curve {
        std::weak_ptr<expr::TFunction> function;
        std::string text; // the compiled text: a function compiled again is a new one
        expr::AngleMode angleMode = expr::AngleMode::Radians;
        bool drawsRandom = false;
        ColumnsPtr columns; // where `samples` were taken
        ColumnSamples samples;
        ColumnSamples scratch;
    };

    // How many column values were evaluated and how many were taken from the cache since
    // the last reset (for tests and benchmarks).
    struct Counts {
        long long evaluated = 0;
        long long reused = 0;
    };

    // The kept samples of `function` in this angle mode (made empty when it was compiled
    // again or the angle mode changed). Not to be called while curves are being sampled;
    // the reference stays valid until keepOnly or clear.
    Curve& curve(const std::shared_ptr<expr::TFunction>& function, expr::AngleMode angleMode);
    // The columns of `state` (made again only when its x mapping changed). Not to be called
    // while curves are being sampled.
    ColumnsPtr columns(const GraphState& state);
    // The samples of `curve`'s function (evaluated through `f`) at `columns`, as
    // sampleColumns gives them: columns sampled at the last call keep their values, the
    // others are evaluated in column order. Different curves may be sampled on different
    // threads at the same time.
    const ColumnSamples& sample(Curve& curve, const ColumnsPtr& columns, const Evaluator& f);

    // curve, columns and sample in one call.
    const ColumnSamples& samples(const std::shared_ptr<expr::TFunction>& function,
                                 expr::AngleMode angleMode, const GraphState& state,
                                 const Evaluator& f);

    // Forgets the samples of every function that is not in `plotted`.
    void keepOnly(const std::vector<const expr::TFunction*>& plotted);
    void clear() { m_curves.clear(); }

    Counts counts() const { return {m_evaluated.load(), m_reused.load()}; }
    void resetCounts() {
        m_evaluated = 0;
        m_reused = 0;
    }

private:
    std::vector<std::unique_ptr<Curve>> m_curves;
    ColumnsPtr m_columns; // the columns of the last call
    std::atomic<long long> m_evaluated{0};
    std::atomic<long long> m_reused{0};
};

} // namespace lindor::graph
