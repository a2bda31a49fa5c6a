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

ColumnCache::Entry& ColumnCache::entryFor(const std::shared_ptr<expr::TFunction>& function,
                                          expr::AngleMode angleMode) {
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [&](const Entry& e) { return sameFunction(e.function, function); });
    if (found == m_entries.end()) {
        m_entries.emplace_back();
        found = m_entries.end() - 1;
        found->function = function;
    }
    Entry& e = *found;
    const std::string& text = function->normalisedText();
    if (e.text != text || e.angleMode != angleMode || e.xs.empty()) {
        // New, compiled again or evaluated in the other angle mode: nothing kept applies.
        e.text = text;
        e.angleMode = angleMode;
        e.keepable = !drawsRandomNumbers(*function);
        e.xs.clear();
        e.samples.clear();
    }
    return e;
}

const ColumnSamples& ColumnCache::samples(const std::shared_ptr<expr::TFunction>& function,
                                          expr::AngleMode angleMode, const GraphState& state,
                                          const Evaluator& f) {
    Entry& e = entryFor(function, angleMode);
    const PlotArea& area = state.area();
    if (!area.drawable()) {
        e.xs.clear();
        e.samples.clear();
        return e.samples;
    }
    const std::size_t columns = static_cast<std::size_t>(area.width) + 1;
    m_xs.resize(columns);
    m_samples.resize(columns);
    for (std::size_t i = 0; i < columns; ++i)
        m_xs[i] = state.ColumnToX(static_cast<int>(i));
    // Both lists of x ascend: one walk pairs every column with a kept column of the same x.
    std::size_t kept = 0;
    const std::size_t keptCount = e.keepable ? e.xs.size() : 0;
    for (std::size_t i = 0; i < columns; ++i) {
        const long double x = m_xs[i];
        while (kept < keptCount && e.xs[kept] < x)
            ++kept;
        ColumnSample& s = m_samples[i];
        if (kept < keptCount && e.xs[kept] == x) {
            s = e.samples[kept];
            ++m_counts.reused;
        } else {
            s.y = 0;
            s.defined = f(x, s.y);
            ++m_counts.evaluated;
        }
    }
    std::swap(e.xs, m_xs);
    std::swap(e.samples, m_samples);
    return e.samples;
}

void ColumnCache::keepOnly(const std::vector<const expr::TFunction*>& plotted) {
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& e) {
                                       const std::shared_ptr<expr::TFunction> f = e.function.lock();
                                       return !f || std::find(plotted.begin(), plotted.end(),
                                                              f.get()) == plotted.end();
                                   }),
                    m_entries.end());
}

} // namespace lindor::graph
