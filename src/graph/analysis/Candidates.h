// The functions whose curves pass through the dragged rectangle.
#pragma once

#include <string>
#include <vector>

#include "graph/GraphState.h"
#include "graph/analysis/Curve.h"
#include "graph/analysis/SearchBox.h"

namespace lindor::graph::analysis {

// Samples taken across the rectangle's width for each function.
constexpr int kCandidateSamples = 100;

// The positions of the plotted functions (in list order) for which one of 101 evenly
// spaced samples across the rectangle's width is defined and lies within its height.
// `curves` holds the curve of each list position. The rectangle may have been dragged in
// any direction.
std::vector<int> collectCandidates(const GraphState& state, const PixelDrag& drag,
                                   const std::vector<Curve>& curves);

} // namespace lindor::graph::analysis
