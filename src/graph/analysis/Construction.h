// The functions built from a plotted function: its derivative, and its tangent or normal
// at a point, each as a function text that is plotted like a typed one.
#pragma once

#include <string>

#include "graph/analysis/Curve.h"
#include "util/NumberText.h"

namespace lindor::graph::analysis {

// Either the text to plot or, when there is no such line, the translation key of the
// message to show instead.
struct ConstructedFunction {
    bool ok = false;
    std::string text;
    std::string messageKey;
};

// "d/dx(" + text + ")".
std::string derivativeText(const std::string& functionText);

// The tangent at x0: "mx+b" or "mx-b" with m the slope and b = y0 - m * x0, both in
// general number text of precision 15. Refused ("TangentDoesNotExist") when the value or
// the slope at x0 is undefined, or a number of the line is not finite.
ConstructedFunction tangentText(const Curve& curve, long double x0, const NumberLocale& locale);

// The normal at x0: as the tangent with the slope -1/m. Refused ("NormalDoesNotExist") as
// the tangent is, and also where the slope is exactly 0.
ConstructedFunction normalText(const Curve& curve, long double x0, const NumberLocale& locale);

} // namespace lindor::graph::analysis
