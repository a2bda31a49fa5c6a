#include "graph/analysis/Candidates.h"

#include <algorithm>

namespace lindor::graph::analysis {

std::vector<int> collectCandidates(const GraphState& state, const std::vector<Curve>& curves) {
    std::vector<int> candidates;
    // A drag that ends beyond the window counts as ending at its last pixel.
    const int currentX = std::min(state.drag.currentX, state.clientWidth() - 1);
    const int currentY = std::min(state.drag.currentY, state.clientHeight() - 1);
    const double xa = static_cast<double>(state.PixelToX(state.drag.startX));
    const double xb = static_cast<double>(state.PixelToX(currentX));
    const double dx = (xb - xa) / kCandidateSamples;
    const double yTop = static_cast<double>(state.PixelToY(state.drag.startY));
    const double yBottom = static_cast<double>(state.PixelToY(currentY));

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
