#include "graph/analysis/ZoomTexts.h"

#include <cmath>

#include "lang/Language.h"

namespace lindor::graph::analysis {

void applyZoomBox(RangeTexts& texts, const SearchBox& box, const NumberLocale& locale) {
    texts[kXminRow] = formatGeneral(box.left, kRangeTextDigits, locale);
    texts[kXmaxRow] = formatGeneral(box.right, kRangeTextDigits, locale);
    texts[kYminRow] = formatGeneral(box.bottom, kRangeTextDigits, locale);
    texts[kYmaxRow] = formatGeneral(box.top, kRangeTextDigits, locale);
}

bool zoomRangeTexts(RangeTexts& texts, ZoomDirection direction, double factorX, double factorY,
                    const NumberLocale& locale, const lang::Language& language,
                    std::string& error) {
    auto usable = [](double f) { return std::isfinite(f) && f != 0; };
    if (!usable(factorX) || !usable(factorY)) {
        error = language.text("ZoomNotPossible");
        return false;
    }
    // Scale every convertible row first, so that an overflow leaves all texts as they
    // were; the conversion of a bad text still stops the zoom at that row.
    RangeTexts scaled = texts;
    std::size_t row = 0;
    std::string conversionError;
    for (; row < texts.size(); ++row) {
        long double value = 0;
        try {
            value = parseNumber(texts[row], locale);
        } catch (const ConversionError& e) {
            conversionError = e.what();
            break;
        }
        const long double factor = row < kYminRow ? factorX : factorY;
        const long double result = direction == ZoomDirection::In ? value / factor : value * factor;
        if (!std::isfinite(result) || (result == 0 && value != 0)) {
            error = language.text("ZoomNotPossible");
            return false;
        }
        scaled[row] = formatGeneral(result, kRangeTextDigits, locale);
    }
    for (std::size_t i = 0; i < row; ++i)
        texts[i] = scaled[i];
    if (!conversionError.empty()) {
        error = conversionError;
        return false;
    }
    return true;
}

bool rangeFromTexts(const RangeTexts& texts, Range& range, const NumberLocale& locale,
                    std::string& error) {
    long double* const targets[] = {&range.xMin, &range.xMax, &range.xStep,
                                    &range.yMin, &range.yMax, &range.yStep};
    for (std::size_t row = 0; row < texts.size(); ++row) {
        try {
            *targets[row] = parseNumber(texts[row], locale);
        } catch (const ConversionError& e) {
            error = e.what();
            return false;
        }
    }
    return true;
}

} // namespace lindor::graph::analysis
