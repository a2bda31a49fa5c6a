#include "graph/analysis/Candidates.h"

#include <algorithm>

#include "graph/analysis/SearchBox.h"

namespace lindor::graph::analysis {

std::vector<int> collectCandidates(const GraphState& state, const PixelDrag& drag,
                                   const std::vector<Curve>& curves) {
    std::vector<int> candidates;
    // The rectangle in either drag direction; a corner beyond the window counts as lying
    // on its last pixel.
    const SearchBox box = searchBoxFromDrag(state, drag);
    const double xa = static_cast<double>(box.left);
    const double xb = static_cast<double>(box.right);
    const double dx = (xb - xa) / kCandidateSamples;
    const double yTop = static_cast<double>(box.top);
    const double yBottom = static_cast<double>(box.bottom);

    const std::size_t count =
        std::min(static_cast<std::size_t>(state.functionCount()), curves.size());
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = 0; k <= kCandidateSamples; ++k) {
            long double y = 0;
            if (curves[i].valueAt(xa + k * dx, y) && yBottom <= y && y <= yTop) {
                candidates.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    return candidates;
}

} // namespace lindor::graph::analysis
