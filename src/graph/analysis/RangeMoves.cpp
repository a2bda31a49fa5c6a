#include "graph/analysis/RangeMoves.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "graph/analysis/ZoomTexts.h"

namespace lindor::graph::analysis {

namespace {

// A column is n * 2^k wide with n at least this large: the lattice then changes the width
// of a column by at most a two-millionth of it.
constexpr long double kLeastLatticeSteps = 1048576.0L; // 2^20

struct Bounds {
    long double low = 0;
    long double high = 0;
};

// The exponent e with 2^e above v > 0.
int exponentAbove(long double v) {
    return std::ilogb(v) + 1;
}

// The bounds of an axis `pixels` columns wide moved by `shift` columns (towards higher
// values when positive), put on the lattice: a column n * 2^e wide and low a multiple of
// 2^e, with every multiple (low + i columns, i = 0..pixels) and every product
// i * pixels * n below 2^64, so that columnX is exact on them. Nothing when the lattice
// would be too coarse for this span at these bounds.
std::optional<Bounds> latticeBounds(long double low, long double high, int pixels,
                                    long double shift) {
    const long double span = high - low;
    const long double column = span / pixels;
    const long double w = pixels + 1.0L;
    const long double stepLimit = std::ldexp(1.0L, 62) / (w * w);
    const long double magnitude =
        std::max(std::fabs(low), std::fabs(high)) + std::fabs(shift * column) + span;
    if (!std::isnormal(column) || !std::isfinite(magnitude))
        return std::nullopt;
    const int e = std::max(exponentAbove(column / stepLimit), exponentAbove(magnitude) - 62);
    if (e < LDBL_MIN_EXP - 1)
        return std::nullopt; // multiples of 2^e would not all be normal numbers
    const long double n = std::nearbyint(std::ldexp(column, -e));
    if (!(n >= kLeastLatticeSteps))
        return std::nullopt;
    const long double m = std::nearbyint(std::ldexp(low, -e)) + shift * n;
    return Bounds{std::ldexp(m, e), std::ldexp(m + pixels * n, e)};
}

// The bounds moved by `shift` columns, on the lattice where there is one.
Bounds movedBounds(long double low, long double high, int pixels, long double shift) {
    if (const std::optional<Bounds> onLattice = latticeBounds(low, high, pixels, shift))
        return *onLattice;
    const long double delta = shift * ((high - low) / pixels);
    return {low + delta, high + delta};
}

std::optional<Range> usable(const Range& moved) {
    if (!spanIsResolved(moved.xMin, moved.xMax) || !spanIsResolved(moved.yMin, moved.yMax) ||
        !isUsableRange(moved))
        return std::nullopt;
    return moved;
}

} // namespace

bool spanIsResolved(long double low, long double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || !(low < high))
        return false;
    const long double span = high - low;
    if (!std::isfinite(span) || !std::isnormal(span))
        return false;
    // A bound written with d significant digits is off by at most half a unit of its last
    // digit, which is at most 10^(1-d) of its size: a span above that keeps the written
    // bounds apart and in order.
    static const long double textRounding = std::pow(10.0L, 1 - kRangeTextDigits);
    return span > std::max(std::fabs(low), std::fabs(high)) * textRounding;
}

std::optional<Range> panRange(const Range& range, const PlotArea& area, int dxPixels,
                              int dyPixels) {
    if (!area.drawable() || !isUsableRange(range))
        return std::nullopt;
    Range moved = range;
    const Bounds x = movedBounds(range.xMin, range.xMax, area.width, -dxPixels);
    const Bounds y = movedBounds(range.yMin, range.yMax, area.height, dyPixels);
    moved.xMin = x.low;
    moved.xMax = x.high;
    moved.yMin = y.low;
    moved.yMax = y.high;
    return usable(moved);
}

std::optional<Range> zoomRangeAbout(const Range& range, const PlotArea& area, long double pixelX,
                                    long double pixelY, long double factor) {
    if (!area.drawable() || !isUsableRange(range) || !std::isfinite(factor) || !(factor > 0))
        return std::nullopt;
    // The plane point under the pixel, by the formulas of ColumnToX and RowToY.
    const long double column = pixelX - area.left;
    const long double row = pixelY - area.top;
    const long double xSpan = range.xMax - range.xMin;
    const long double ySpan = range.yMax - range.yMin;
    const long double x = columnX(range.xMin, xSpan, area.width, column);
    const long double y = range.yMax - (row / area.height) * ySpan;
    const long double newXSpan = xSpan / factor;
    const long double newYSpan = ySpan / factor;
    const long double xMin = x - column * newXSpan / area.width;
    const long double yMax = y + (row / area.height) * newYSpan;
    const Bounds xs = movedBounds(xMin, xMin + newXSpan, area.width, 0);
    const Bounds ys = movedBounds(yMax - newYSpan, yMax, area.height, 0);
    Range zoomed = range;
    zoomed.xMin = xs.low;
    zoomed.xMax = xs.high;
    zoomed.yMin = ys.low;
    zoomed.yMax = ys.high;
    return usable(zoomed);
}

} // namespace lindor::graph::analysis
