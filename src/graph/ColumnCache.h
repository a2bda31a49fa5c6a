// The column samples of the plotted curves, kept from one redraw to the next. When the
// view moves by whole columns (a pan), the columns that stay in view have exactly the x
// they had before (see columnX and analysis::panRange), so their values are taken from
// here and only the columns that scroll in are evaluated. A kept value is used only for
// bit for bit the same x, the same compiled function and the same angle mode, and never
// for a function that draws random numbers, so a picture drawn from kept samples is the
// picture that evaluating every column would give.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "graph/CurveTrace.h"
#include "graph/GraphState.h"

namespace lindor::graph {

// True when evaluating `function` draws random numbers, itself or through the function of
// a "d/dx" in it: its values cannot be kept.
bool drawsRandomNumbers(const expr::TFunction& function);

class ColumnCache {
public:
    // How many column values were evaluated and how many were taken from the cache since
    // the last reset (for tests and benchmarks).
    struct Counts {
        long long evaluated = 0;
        long long reused = 0;
    };

    // The samples of `function` (evaluated through `f`) at the plot columns of `state`,
    // as sampleColumns gives them. Columns whose x was sampled for the same function, text
    // and angle mode at the last call are reused; the others are evaluated in column order.
    // The reference stays valid until the next call of samples, keepOnly or clear.
    const ColumnSamples& samples(const std::shared_ptr<expr::TFunction>& function,
                                 expr::AngleMode angleMode, const GraphState& state,
                                 const Evaluator& f);

    // Forgets the samples of every function that is not in `plotted`.
    void keepOnly(const std::vector<const expr::TFunction*>& plotted);
    void clear() { m_entries.clear(); }

    const Counts& counts() const { return m_counts; }
    void resetCounts() { m_counts = {}; }

private:
    struct Entry {
        std::weak_ptr<expr::TFunction> function;
        std::string text; // the compiled text: a function compiled again is a new one
        expr::AngleMode angleMode = expr::AngleMode::Radians;
        bool keepable = false;
        std::vector<long double> xs; // the x of each column, ascending
        ColumnSamples samples;
    };

    Entry& entryFor(const std::shared_ptr<expr::TFunction>& function, expr::AngleMode angleMode);

    std::vector<Entry> m_entries;
    std::vector<long double> m_xs; // scratch: the columns' x of the current call
    ColumnSamples m_samples;       // scratch: the samples being made
    Counts m_counts;
};

} // namespace lindor::graph
