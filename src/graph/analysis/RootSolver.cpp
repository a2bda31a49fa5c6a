#include <cmath>

#include "graph/analysis/Newton.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

// A root closer to 0 than this is taken as 0 when the box spans 0 and f(0) vanishes:
// Newton's last steps often stop a hair beside an exact root at the origin.
constexpr long double kRootSnapDistance = 0.1L;

} // namespace

AnalysisResult findRoot(const Curve& f, const std::string& functionText, const SearchBox& box,
                        const AnalysisContext& context) {
    const std::string name = functionLine(functionText);
    const std::string label = context.language.text("Root") + ": ";
    const long double starts[] = {(box.left + box.right) / 2, box.right, box.left};
    bool found = false;
    long double x = 0;
    for (long double start : starts) {
        if (newtonRoot(f, start, x) && box.contains(x, 0)) {
            found = true;
            break;
        }
    }
    if (!found)
        return logged(name, label + context.language.text("NotFound"));

    long double atZero = 0;
    if (std::fabs(x) < kRootSnapDistance && box.right > 0 && box.left < 0 && f.valueAt(0, atZero) &&
        std::fabs(atZero) < kValueTolerance)
        x = 0;
    return logged(name, label + "x = " + resultText(x, context), PlanePoint{x, 0});
}

AnalysisResult findYIntersection(const Curve& f, const std::string& functionText,
                                 const AnalysisContext& context) {
    const std::string name = functionLine(functionText);
    const std::string label = context.language.text("YIntersection") + ": ";
    long double y = 0;
    if (!f.valueAt(0, y))
        return logged(name, label + context.language.text("NotFound"));
    return logged(name, label + "y = " + resultText(y, context), PlanePoint{0, y});
}

} // namespace lindor::graph::analysis
