#include "graph/analysis/SearchBox.h"

#include <algorithm>
#include <cstdlib>

namespace lindor::graph::analysis {

namespace {

int onClient(int pixel, int size) {
    return std::clamp(pixel, 0, std::max(size - 1, 0));
}

} // namespace

PixelRect draggedPixels(const GraphState& state, const PixelDrag& d) {
    const int x0 = onClient(d.startX, state.clientWidth());
    const int x1 = onClient(d.endX, state.clientWidth());
    const int y0 = onClient(d.startY, state.clientHeight());
    const int y1 = onClient(d.endY, state.clientHeight());
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

bool isClick(const PixelDrag& drag, double pixelRatio) {
    const double tolerance = kClickTolerance * pixelRatio;
    return std::abs(drag.endX - drag.startX) < tolerance &&
           std::abs(drag.endY - drag.startY) < tolerance;
}

SearchBox searchBoxFromDrag(const GraphState& state, const PixelDrag& drag) {
    const PixelRect r = draggedPixels(state, drag);
    const long double x0 = state.PixelToX(r.left);
    const long double x1 = state.PixelToX(r.right);
    const long double y0 = state.PixelToY(r.bottom);
    const long double y1 = state.PixelToY(r.top);
    // A mirrored Range maps the pixels the other way round; the box stays in order.
    SearchBox box;
    box.left = std::min(x0, x1);
    box.right = std::max(x0, x1);
    box.bottom = std::min(y0, y1);
    box.top = std::max(y0, y1);
    return box;
}

} // namespace lindor::graph::analysis
