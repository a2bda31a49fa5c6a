#include "graph/analysis/RangePresets.h"

#include "graph/analysis/ZoomTexts.h"

namespace lindor::graph::analysis {

RangeTexts trigonometryRangeTexts(expr::AngleMode mode, const NumberLocale& locale) {
    constexpr long double pi = 3.141592653589793238462643383279502884L;
    const bool radians = mode == expr::AngleMode::Radians;
    const long double values[6] = {radians ? -3 * pi : -540.0L,
                                   radians ? 3 * pi : 540.0L,
                                   radians ? pi / 2 : 90.0L,
                                   -pi,
                                   pi,
                                   1.0L};
    RangeTexts texts;
    for (std::size_t row = 0; row < texts.size(); ++row)
        texts[row] = formatGeneral(values[row], kRangeTextDigits, locale);
    return texts;
}

} // namespace lindor::graph::analysis
