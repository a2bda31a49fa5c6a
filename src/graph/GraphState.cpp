#include "graph/GraphState.h"

#include <algorithm>
#include <cfenv>
#include <climits>
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lindor::graph {

namespace {

constexpr int kRowBelowWindow = 2147483647;
constexpr int kRowAboveWindow = -2147483646;

bool between(long double v, long double a, long double b) {
    return (a <= v && v <= b) || (b <= v && v <= a);
}

} // namespace

int roundToInt(double v) {
#ifdef __SSE2__
    // The conversion instruction rounds as nearbyint does, in the current rounding mode,
    // without the call.
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return static_cast<int>(std::nearbyint(v));
#endif
}

long double columnX(long double xMin, long double span, int width, long double t) {
    // The product first: where span is a whole multiple of the column width with few
    // enough digits, t * span is exact and so is the quotient, so that every column of a
    // Range moved by whole columns has exactly the x of the column it shows.
    const long double product = t * span;
    if (std::isfinite(product))
        return xMin + product / width;
    return xMin + (t / width) * span;
}

int roundHalfEven(long double v) {
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<long double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<long double>(INT_MIN))
        return INT_MIN;
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<int>(std::nearbyintl(v));
}

bool GraphState::anyPending() const {
    for (bool p : m_pending)
        if (p)
            return true;
    return false;
}

void GraphState::setRange(const Range& range) {
    m_range = range;
    layout();
}

void GraphState::setClientSize(int clientWidth, int clientHeight) {
    m_clientWidth = clientWidth < 0 ? 0 : clientWidth;
    m_clientHeight = clientHeight < 0 ? 0 : clientHeight;
    layout();
}

void GraphState::setRendering(const Rendering& rendering) {
    m_rendering = rendering;
    layout();
}

void GraphState::switchMode(Mode mode) {
    clearPlotted();
    m_mode = mode;
}

void GraphState::clearPlotted() {
    m_functions.clear();
    m_integral.reset();
    clearPending();
    tracedIndex = -1;
    traceOn = false;
}

void GraphState::eraseFunctions(std::vector<int> positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    // Where an old position went: -1 when erased, else its new position.
    std::vector<int> moved(m_functions.size());
    int next = 0;
    for (int p = 0; p < functionCount(); ++p)
        moved[static_cast<std::size_t>(p)] =
            std::binary_search(positions.begin(), positions.end(), p) ? -1 : next++;
    const auto follow = [&moved](int p) {
        return p >= 0 && static_cast<std::size_t>(p) < moved.size()
                   ? moved[static_cast<std::size_t>(p)]
                   : -1;
    };
    std::vector<PlottedFunction> kept;
    for (int p = 0; p < functionCount(); ++p)
        if (follow(p) >= 0)
            kept.push_back(std::move(m_functions[static_cast<std::size_t>(p)]));
    m_functions = std::move(kept);
    tracedIndex = follow(tracedIndex);
    if (tracedIndex < 0)
        traceOn = false;
}

std::vector<std::string> GraphState::plottedTexts() const {
    std::vector<std::string> texts;
    if (m_mode == Mode::Function) {
        for (const PlottedFunction& f : m_functions)
            texts.push_back(f.text);
    } else if (m_integral) {
        texts.push_back(m_integral->text);
    }
    return texts;
}

void GraphState::layout() {
    const int clientWidth = m_clientWidth;
    const int clientHeight = m_clientHeight;
    const Range& range = m_range;
    PlotArea a;
    a.left = px(PlotArea::kLeftMargin);
    a.right = clientWidth - px(PlotArea::kRightGap);
    a.top = px(PlotArea::kTopMargin);
    a.bottom = clientHeight - px(PlotArea::kBottomGap);
    a.width = a.right - a.left;
    a.height = a.bottom - a.top;
    a.xSpan = range.xMax - range.xMin;
    a.ySpan = range.yMax - range.yMin;
    // The axes sit where 0 lies inside the view. For a view whose bounds are in the usual
    // order this is Round(|Xmin| * W / span + left); written with -Xmin it also places
    // the axes of a reversed (mirrored) view.
    a.yAxisColumn = 0;
    if (a.xSpan != 0 && std::isfinite(a.xSpan) && between(0, range.xMin, range.xMax))
        a.yAxisColumn = roundHalfEven(-range.xMin * a.width / a.xSpan + a.left);
    a.xAxisRow = 0;
    if (a.ySpan != 0 && std::isfinite(a.ySpan) && between(0, range.yMin, range.yMax))
        a.xAxisRow = roundHalfEven(range.yMax * a.height / a.ySpan + a.top);
    m_area = a;
}

long double GraphState::ColumnToX(int i) const {
    if (m_area.width == 0)
        return m_range.xMin;
    return columnX(m_range.xMin, m_range.xMax - m_range.xMin, m_area.width, i);
}

long double GraphState::RowToY(int j) const {
    if (m_area.height == 0)
        return m_range.yMax;
    return m_range.yMax -
           (static_cast<long double>(j) / m_area.height) * (m_range.yMax - m_range.yMin);
}

long double GraphState::PixelToX(int px) const {
    if (px < m_area.left)
        return m_range.xMin;
    if (px > m_area.right)
        return m_range.xMax;
    return ColumnToX(px - m_area.left);
}

long double GraphState::PixelToY(int py) const {
    if (py < m_area.top)
        return m_range.yMax;
    if (py > m_area.bottom)
        return m_range.yMin;
    return RowToY(py - m_area.top);
}

int GraphState::XToColumn(long double x) const {
    const int w = m_area.width;
    if (w <= 0 || std::isnan(x))
        return m_area.left;
    // The column nearest to x among 0..W, the leftmost of equally near ones. ColumnToX is
    // monotonic, so the nearest column lies next to the estimate; scanning a few columns
    // around it in increasing order with a strict comparison gives the same answer as a
    // scan over the whole plot width, at constant cost.
    const long double span = m_range.xMax - m_range.xMin;
    long double estimate = 0;
    if (span != 0 && std::isfinite(span))
        estimate = (x - m_range.xMin) / span * w;
    // Beyond either end the end column is the nearest; so is the left one for a value
    // that cannot be placed at all.
    if (!(estimate > 0))
        return m_area.left;
    if (estimate >= w)
        return m_area.left + w;
    const int centre = static_cast<int>(estimate);
    int best = -1;
    long double bestDistance = 0;
    for (int i = centre - 2; i <= centre + 3; ++i) {
        if (i < 0 || i > w)
            continue;
        const long double d = std::fabs(ColumnToX(i) - x);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return m_area.left + (best < 0 ? 0 : best);
}

int GraphState::YToRow(long double y) const {
    const double v = static_cast<double>(
        (m_range.yMax - y) / (m_range.yMax - m_range.yMin) * m_area.height + m_area.top);
    if (std::isnan(v))
        return kRowBelowWindow;
    if (std::fabs(v) <= 2147483647.0)
        return roundToInt(v);
    return v > 0 ? kRowBelowWindow : kRowAboveWindow;
}

bool GraphState::IsOutside(long double left, long double right, long double bottom, long double top,
                           long double x, long double y) {
    return x < left || x > right || y < bottom || y > top;
}

} // namespace lindor::graph
