// The rectangle dragged over the graph, in plane coordinates.
#pragma once

#include <cmath>

#include "graph/GraphState.h"

namespace lindor::graph::analysis {

// Left and top come from the point where the drag started, right and bottom from where
// it ended. A rectangle dragged to the left or upwards therefore has right < left or
// bottom > top, and nothing lies inside it.
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

// The search box of the last drag: the start point is the upper-left corner, the
// current point the lower-right one.
SearchBox searchBoxFromDrag(const GraphState& state);

} // namespace lindor::graph::analysis
