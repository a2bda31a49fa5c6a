// Reading coordinates off the graph: the pointer's position and the trace marker.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/GraphState.h"
#include "graph/analysis/Curve.h"
#include "util/NumberText.h"

namespace lindor::graph::analysis {

constexpr int kPointerDigits = 2;
constexpr int kTraceDigits = 5;
// The trace marker is an 8 by 8 pixel outline (pixels of the design) centred on the point.
constexpr int kTraceMarkerSize = 8;

// "(x, y)" of a window pixel with two significant digits; outside the plot area the
// coordinates are those of the nearest edge of the Range.
std::string pointerCoordinatesText(const GraphState& state, int px, int py,
                                   const NumberLocale& locale);

struct TraceUpdate {
    bool visible = false;
    std::string statusText; // "(x, y)" with five digits; empty when hidden
    int markerLeft = 0;     // device pixel of the marker's upper-left corner
    int markerTop = 0;
};

// What the trace shows for the pointer at window column px: the point of the traced
// function above or below it. Nothing (no change at all) when the trace is off or the
// traced index names no plotted function; hidden where the function is undefined.
std::optional<TraceUpdate> traceAt(const GraphState& state, const std::vector<Curve>& curves,
                                   int px, const NumberLocale& locale);

} // namespace lindor::graph::analysis
