#include "graph/analysis/GridSteps.h"

#include <cmath>

#include "graph/analysis/ZoomTexts.h"

namespace lindor::graph::analysis {

long double gridStep(long double span, int pixels) {
    if (!(span > 0) || !std::isfinite(span) || pixels <= 0)
        return 0;
    const long double least = span * kSmallestStepPixels / pixels;
    if (!std::isfinite(least) || !(least > 0))
        return 0;
    // The power of ten at or below the least step (corrected where log10 rounds across a
    // power), then the first of 1, 2, 5 and 10 times it that reaches the least step.
    // Decimal powers made by pow keep the texts short ("0.05").
    long double exponent = std::floor(std::log10(least));
    if (std::pow(10.0L, exponent) > least)
        exponent -= 1;
    const long double power = std::pow(10.0L, exponent);
    for (long double multiple : {1.0L, 2.0L, 5.0L, 10.0L}) {
        const long double step = multiple * power;
        if (step >= least)
            return std::isfinite(step) ? step : 0;
    }
    return 0;
}

void adaptZoomBoxSteps(RangeTexts& texts, const SearchBox& box, int plotWidth, int plotHeight,
                       const NumberLocale& locale) {
    const long double xStep = gridStep(box.right - box.left, plotWidth);
    const long double yStep = gridStep(box.top - box.bottom, plotHeight);
    if (xStep > 0)
        texts[kXstepRow] = formatGeneral(xStep, kRangeTextDigits, locale);
    if (yStep > 0)
        texts[kYstepRow] = formatGeneral(yStep, kRangeTextDigits, locale);
}

} // namespace lindor::graph::analysis
