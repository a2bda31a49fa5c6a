#include "graph/analysis/PointerText.h"

#include <algorithm>

namespace lindor::graph::analysis {

namespace {

std::string pointText(long double x, long double y, int digits, const NumberLocale& locale) {
    return "(" + formatGeneral(x, digits, locale) + ", " + formatGeneral(y, digits, locale) + ")";
}

} // namespace

std::string pointerCoordinatesText(const GraphState& state, int px, int py,
                                   const NumberLocale& locale) {
    return pointText(state.PixelToX(px), state.PixelToY(py), kPointerDigits, locale);
}

std::optional<TraceUpdate> traceAt(const GraphState& state, const std::vector<Curve>& curves,
                                   int px, const NumberLocale& locale) {
    if (!state.traceOn)
        return std::nullopt;
    const int index = state.tracedIndex;
    if (index < 0 || index >= state.functionCount() ||
        static_cast<std::size_t>(index) >= curves.size())
        return std::nullopt;
    TraceUpdate update;
    const long double x = state.PixelToX(px);
    long double y = 0;
    if (!curves[static_cast<std::size_t>(index)].valueAt(x, y))
        return update;
    update.visible = true;
    update.statusText = pointText(x, y, kTraceDigits, locale);
    const int half = state.px(kTraceMarkerSize) / 2;
    update.markerLeft = state.XToColumn(x) - half;
    // The row saturates far outside the window; keep the corner from wrapping around.
    const long long top = static_cast<long long>(state.YToRow(y)) - half;
    update.markerTop = static_cast<int>(std::max<long long>(top, -2147483647LL - 1));
    return update;
}

} // namespace lindor::graph::analysis
