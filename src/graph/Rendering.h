// How a picture is put on its device: how many device pixels make one pixel of the
// picture's design (margins, line widths, ticks, marks, the font's size), and whether
// curves are drawn antialiased. A screen at 200 % has a pixel ratio of 2: the plot area,
// the grid and the curves are laid out in its device pixels, and a line one pixel wide in
// the design is two device pixels wide.
#pragma once

#include <cmath>

namespace lindor::graph {

struct Rendering {
    double pixelRatio = 1.0;
    bool smoothCurves = false;

    // A length of the design in device pixels, to the nearest whole pixel.
    int px(int length) const { return static_cast<int>(std::lround(length * pixelRatio)); }
    // The width of a line `width` pixels wide in the design: at least one device pixel.
    int lineWidth(int width) const {
        const int w = px(width);
        return w < 1 ? 1 : w;
    }
    bool operator==(const Rendering& o) const {
        return pixelRatio == o.pixelRatio && smoothCurves == o.smoothCurves;
    }
    bool operator!=(const Rendering& o) const { return !(*this == o); }
};

} // namespace lindor::graph
