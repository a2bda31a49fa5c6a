// Steps that suit a view: 1, 2 or 5 times a power of ten, chosen so that grid lines and
// ticks lie between about 40 and 100 pixels apart.
#pragma once

#include "graph/Model.h"
#include "graph/analysis/SearchBox.h"
#include "util/NumberText.h"

namespace lindor::graph::analysis {

// The spacing of grid lines and ticks that a suited step gives: at least the first, and
// below the second (the next step of the 1, 2, 5 series would be at most 2.5 times larger).
constexpr long double kSmallestStepPixels = 40;
constexpr long double kLargestStepPixels = 100;

// The smallest step of the form 1, 2 or 5 x 10^k whose lines lie at least
// kSmallestStepPixels apart when `span` (a positive, finite width or height in plane units)
// is shown across `pixels` pixels. Not a usable step (0) when the span or the pixel count
// does not allow one.
long double gridStep(long double span, int pixels);

// After a zoom box: Xstep and Ystep become the suited steps for the box's width across
// `plotWidth` pixels and its height across `plotHeight` pixels. A direction without a
// suited step keeps its text.
void adaptZoomBoxSteps(RangeTexts& texts, const SearchBox& box, int plotWidth, int plotHeight,
                       const NumberLocale& locale);

} // namespace lindor::graph::analysis
