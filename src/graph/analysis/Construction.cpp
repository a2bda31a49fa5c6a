#include "graph/analysis/Construction.h"

#include <cmath>

namespace lindor::graph::analysis {
namespace {

// Significant digits of the numbers written into a composed function.
constexpr int kPrecision = 15;

ConstructedFunction refused(const char* key) {
    ConstructedFunction result;
    result.messageKey = key;
    return result;
}

// The line through (x0, y0) with slope m as a function text; a line whose numbers cannot
// be written (an overflow) is no line.
ConstructedFunction lineText(long double m, long double x0, long double y0,
                             const NumberLocale& locale, const char* refusalKey) {
    const long double b = y0 - m * x0;
    if (!std::isfinite(m) || !std::isfinite(b))
        return refused(refusalKey);
    ConstructedFunction result;
    result.ok = true;
    result.text = formatGeneral(m, kPrecision, locale) + (b < 0 ? "x" : "x+") +
                  formatGeneral(b, kPrecision, locale);
    return result;
}

} // namespace

std::string derivativeText(const std::string& functionText) {
    return "d/dx(" + functionText + ")";
}

ConstructedFunction tangentText(const Curve& curve, long double x0, const NumberLocale& locale) {
    long double m = 0;
    long double y0 = 0;
    const bool haveSlope = curve.derivativeAt(x0, m);
    const bool haveValue = curve.valueAt(x0, y0);
    if (!haveSlope || !haveValue)
        return refused("TangentDoesNotExist");
    return lineText(m, x0, y0, locale, "TangentDoesNotExist");
}

ConstructedFunction normalText(const Curve& curve, long double x0, const NumberLocale& locale) {
    long double m = 0;
    long double y0 = 0;
    const bool haveSlope = curve.derivativeAt(x0, m);
    const bool haveValue = curve.valueAt(x0, y0);
    if (!haveSlope || !haveValue || m == 0)
        return refused("NormalDoesNotExist");
    return lineText(-1 / m, x0, y0, locale, "NormalDoesNotExist");
}

} // namespace lindor::graph::analysis
