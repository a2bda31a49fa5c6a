#include "graph/analysis/SearchBox.h"

namespace lindor::graph::analysis {

SearchBox searchBoxFromDrag(const GraphState& state) {
    SearchBox box;
    box.left = state.PixelToX(state.drag.startX);
    box.right = state.PixelToX(state.drag.currentX);
    box.bottom = state.PixelToY(state.drag.currentY);
    box.top = state.PixelToY(state.drag.startY);
    return box;
}

} // namespace lindor::graph::analysis
