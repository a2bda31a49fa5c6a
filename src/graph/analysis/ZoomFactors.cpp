#include "graph/analysis/ZoomFactors.h"

#include <cmath>

#include "expr/ConstantText.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

// Converts one field; false with the message in `result` when it cannot be a factor.
bool convertFactor(const std::string& text, int field, const NumberLocale& locale,
                   const lang::Language& language, double& factor, ZoomFactorInput& result) {
    result.badField = field;
    const expr::ConstantValue typed = expr::evaluateConstant(text, locale, language);
    if (!typed.ok) {
        result.error = typed.error;
        return false;
    }
    factor = static_cast<double>(typed.value);
    // A factor that overflows or vanishes as a double is as useless as 0.
    if (!std::isfinite(factor) || !(factor > 0)) {
        result.error = language.text("ZoomFactorMustBePositive");
        const std::size_t at = result.error.find("%s");
        if (at != std::string::npos)
            result.error.replace(at, 2, text);
        return false;
    }
    result.badField = -1;
    return true;
}

} // namespace

ZoomFactorInput parseZoomFactors(const std::string& xText, const std::string& yText,
                                 const NumberLocale& locale, const lang::Language& language) {
    ZoomFactorInput result;
    double x = 0;
    double y = 0;
    if (!convertFactor(xText, 0, locale, language, x, result) ||
        !convertFactor(yText, 1, locale, language, y, result))
        return result;
    result.ok = true;
    result.x = x;
    result.y = y;
    return result;
}

} // namespace lindor::graph::analysis
