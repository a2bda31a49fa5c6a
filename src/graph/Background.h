// The background of the graph: grid, axes with arrowheads, ticks with scale text, axis
// captions, and the name of each plotted function at the top right.
#pragma once

#include <string>

#include "graph/Canvas.h"
#include "graph/GraphState.h"
#include "util/NumberText.h"

namespace lindor::graph {

// Scale text is written with three significant digits.
constexpr int kScaleTextPrecision = 3;
// Grid lines and ticks closer together than this many pixels of the design are not drawn at
// all.
constexpr long double kMinimumTickSpacing = 2;

// The canvas font made from the view's axis-text font (always black unless recoloured),
// sized for a device of `pixelRatio` device pixels per pixel of the design.
Font axisCanvasFont(const ViewSettings& view, Color color = colors::kBlack,
                    double pixelRatio = 1.0);

// Index bounds of the multiples of `step` that the grid and ticks of one direction use:
// Int(low / step - 0.1) and Int(high / step + 0.1), with low <= high.
struct TickBounds {
    long double low = 0;
    long double high = 0;
    // False when the multiples would lie closer than kMinimumTickSpacing pixels, or the
    // indices are too large to count: then neither grid lines nor ticks are drawn.
    bool usable = false;
};
// `pixels` are device pixels, `pixelRatio` of them to a pixel of the design.
TickBounds tickBounds(long double min, long double max, long double step, int pixels,
                      double pixelRatio = 1.0);

// Grid, axes and captions as the view settings ask; `state` must have been laid out.
void drawBackground(const GraphState& state, Canvas& canvas, const NumberLocale& locale);
void drawGrid(const GraphState& state, Canvas& canvas);
void drawAxes(const GraphState& state, Canvas& canvas, const NumberLocale& locale);
void drawCaptions(const GraphState& state, Canvas& canvas);

// `text` as it fits into `width` pixels in the canvas's font: whole, or cut at the end and
// ended with "…" (UTF-8 texts are cut between characters).
std::string fitText(Canvas& canvas, const std::string& text, int width);

// Writes "y = " + entry in colour `position` at the top right, the first at the top and
// each further one a text height plus 3 pixels lower; a name wider than the plot area ends
// in "…" where it reaches the plot area's left edge.
void drawFunctionName(const GraphState& state, Canvas& canvas, int position,
                      const std::string& entry);

} // namespace lindor::graph
