// The Range after the pointer moved the view: a pan by whole pixels and a zoom about a
// pixel. Both keep the steps (a zoom's caller chooses new ones), and both refuse a Range
// the graph could not use.
//
// Bounds are put on a lattice: for a plot W columns wide, the width of a column becomes
// n * 2^k and Xmin a whole multiple of 2^k, with n and the multiples small enough that
// every column's x (columnX) is exact. Moving such a Range by whole columns then gives
// every column that stays in view exactly the x it had, so the kept column samples of the
// curves (ColumnCache) serve it. The lattice changes the width of a column by at most a
// two-millionth and moves no column by more than a hundredth of a pixel. Apply the Range
// returned itself: one read back from its 15-digit texts lies off the lattice, and the
// next redraw evaluates every column again.
#pragma once

#include <optional>

#include "graph/GraphState.h"

namespace lindor::graph::analysis {

// True when bounds low < high can be drawn and kept: both finite, the span finite and
// larger than the rounding of the bounds to the digits of the range texts
// (kRangeTextDigits), so that the texts the range window shows and documents keep give
// back bounds in the same order.
bool spanIsResolved(long double low, long double high);

// The Range moved so that the picture moves with the pointer by (dxPixels, dyPixels)
// window pixels: dragging right by 10 pixels shows what was 10 pixels left of each column,
// dragging down what was above each row. Nothing when the Range or the area cannot be
// drawn, or when the moved Range could not (bounds beyond the finite numbers).
std::optional<Range> panRange(const Range& range, const PlotArea& area, int dxPixels, int dyPixels);

// The Range zoomed by `factor` about the window pixel (pixelX, pixelY) (fractions allowed,
// inside or outside the plot area): the plane point under that pixel stays under it, within
// a pixel; factor > 1 zooms in, a factor below 1 zooms out. Nothing when the factor is not
// a finite number above 0, or when the new spans would be unusable (see spanIsResolved).
std::optional<Range> zoomRangeAbout(const Range& range, const PlotArea& area, long double pixelX,
                                    long double pixelY, long double factor);

} // namespace lindor::graph::analysis
