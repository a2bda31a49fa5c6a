// The rectangle dragged over the graph, in window pixels and in plane coordinates.
#pragma once

#include <cmath>

#include "graph/GraphState.h"

namespace lindor::graph::analysis {

// A press and release closer together than this many pixels in both directions is a
// click, not a dragged range.
constexpr int kClickTolerance = 3;

// A drag over the graph in window pixels: where the button went down and where it is now
// (or was released).
struct PixelDrag {
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
};

// The dragged rectangle in window pixels, whatever the direction of the drag: left <= right,
// top <= bottom. A corner beyond the client area counts as lying on its last pixel.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
PixelRect draggedPixels(const GraphState& state, const PixelDrag& drag);

// True when press and release lie less than kClickTolerance pixels of the design apart (the
// drag is in device pixels, `pixelRatio` of them to a pixel of the design).
bool isClick(const PixelDrag& drag, double pixelRatio = 1.0);

// The dragged rectangle in plane coordinates: left <= right and bottom <= top whichever
// way it was dragged.
struct SearchBox {
    long double left = 0;
    long double right = 0;
    long double bottom = 0;
    long double top = 0;

    // The bounds themselves count as inside. A box or point with a bound that is not a
    // number holds nothing (every comparison with it would fail, which would make the
    // point count as inside).
    bool contains(long double x, long double y) const {
        if (std::isnan(left) || std::isnan(right) || std::isnan(bottom) || std::isnan(top) ||
            std::isnan(x) || std::isnan(y))
            return false;
        return !GraphState::IsOutside(left, right, bottom, top, x, y);
    }
};

// The search box of a drag.
SearchBox searchBoxFromDrag(const GraphState& state, const PixelDrag& drag);

} // namespace lindor::graph::analysis
