// The ready-made ranges of the range window: the standard range and the trigonometry
// range, as the six texts the range grid shows.
#pragma once

#include "expr/FuncEval.h"
#include "graph/Model.h"
#include "util/NumberText.h"

namespace lindor::graph::analysis {

// -3 pi .. 3 pi by pi/2 across in radians (-540 .. 540 by 90 in degrees), -pi .. pi by 1
// up in both modes; written as general number text with fifteen digits.
RangeTexts trigonometryRangeTexts(expr::AngleMode mode, const NumberLocale& locale);

} // namespace lindor::graph::analysis
