#include "graph/ColumnCache.h"

#include <algorithm>
#include <utility>

namespace lindor::graph {

namespace {

bool drawsRandom(const expr::TFunction& function, std::vector<const expr::TFunction*>& seen) {
    if (std::find(seen.begin(), seen.end(), &function) != seen.end())
        return false;
    seen.push_back(&function);
    for (const expr::TOp& op : function.operations()) {
        if (op.kind == expr::OpKind::Random)
            return true;
        if (op.kind == expr::OpKind::Derivative && op.subFunction &&
            drawsRandom(*op.subFunction, seen))
            return true;
    }
    return false;
}

bool sameFunction(const std::weak_ptr<expr::TFunction>& kept,
                  const std::shared_ptr<expr::TFunction>& function) {
    // Compared by owner, so that a new function made where a deleted one lived is not
    // taken for it.
    return !kept.owner_before(function) && !function.owner_before(kept) && !kept.expired();
}

} // namespace

bool drawsRandomNumbers(const expr::TFunction& function) {
    std::vector<const expr::TFunction*> seen;
    return drawsRandom(function, seen);
}

ColumnCache::Curve& ColumnCache::curve(const std::shared_ptr<expr::TFunction>& function,
                                       expr::AngleMode angleMode) {
    auto found =
        std::find_if(m_curves.begin(), m_curves.end(), [&](const std::unique_ptr<Curve>& c) {
            return sameFunction(c->function, function);
        });
    if (found == m_curves.end()) {
        m_curves.push_back(std::make_unique<Curve>());
        found = m_curves.end() - 1;
        (*found)->function = function;
    }
    Curve& c = **found;
    const std::string& text = function->normalisedText();
    if (c.text != text || c.angleMode != angleMode || !c.columns) {
        // New, compiled again or evaluated in the other angle mode: nothing kept applies.
        c.text = text;
        c.angleMode = angleMode;
        c.drawsRandom = drawsRandomNumbers(*function);
        c.columns.reset();
        c.samples.clear();
    }
    return c;
}

ColumnCache::ColumnsPtr ColumnCache::columns(const GraphState& state) {
    const Range& r = state.range();
    const int width = state.area().width;
    if (!m_columns || m_columns->xMin != r.xMin || m_columns->xMax != r.xMax ||
        m_columns->width != width) {
        auto columns = std::make_shared<Columns>();
        columns->xMin = r.xMin;
        columns->xMax = r.xMax;
        columns->width = width;
        if (width >= 0) {
            columns->xs.resize(static_cast<std::size_t>(width) + 1);
            for (int i = 0; i <= width; ++i)
                columns->xs[static_cast<std::size_t>(i)] = state.ColumnToX(i);
        }
        m_columns = std::move(columns);
    }
    return m_columns;
}

const ColumnSamples& ColumnCache::sample(Curve& c, const ColumnsPtr& now, const Evaluator& f) {
    const std::vector<long double>& xs = now->xs;
    const bool keep = !c.drawsRandom && c.columns;
    if (keep && c.columns == now) {
        // The same columns (the view moved up or down only, or did not move).
        m_reused += static_cast<long long>(c.samples.size());
        return c.samples;
    }
    // Both lists of x ascend: one walk pairs every column with a kept column of the same x.
    const std::vector<long double>* keptXs = keep ? &c.columns->xs : nullptr;
    const std::size_t keptCount = keptXs ? keptXs->size() : 0;
    std::size_t kept = 0;
    long long reused = 0;
    c.scratch.resize(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const long double x = xs[i];
        while (kept < keptCount && (*keptXs)[kept] < x)
            ++kept;
        ColumnSample& s = c.scratch[i];
        if (kept < keptCount && (*keptXs)[kept] == x) {
            s = c.samples[kept];
            ++reused;
        } else {
            s.y = 0;
            s.defined = f(x, s.y);
        }
    }
    m_reused += reused;
    m_evaluated += static_cast<long long>(xs.size()) - reused;
    c.columns = now;
    std::swap(c.samples, c.scratch);
    return c.samples;
}

const ColumnSamples& ColumnCache::samples(const std::shared_ptr<expr::TFunction>& function,
                                          expr::AngleMode angleMode, const GraphState& state,
                                          const Evaluator& f) {
    Curve& c = curve(function, angleMode);
    return sample(c, columns(state), f);
}

void ColumnCache::keepOnly(const std::vector<const expr::TFunction*>& plotted) {
    m_curves.erase(std::remove_if(m_curves.begin(), m_curves.end(),
                                  [&](const std::unique_ptr<Curve>& c) {
                                      const std::shared_ptr<expr::TFunction> f = c->function.lock();
                                      return !f || std::find(plotted.begin(), plotted.end(),
                                                             f.get()) == plotted.end();
                                  }),
                   m_curves.end());
}

} // namespace lindor::graph
