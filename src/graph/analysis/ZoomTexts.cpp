#include "graph/analysis/ZoomTexts.h"

#include <cmath>
#include <utility>

#include "expr/ConstantText.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

const lang::Language& languageOf(const expr::EngineContext& engine) {
    return engine.language != nullptr ? *engine.language : lang::builtinEnglish();
}

// One range text as a number: a plain number or a constant expression.
expr::ConstantValue cellValue(const std::string& text, const expr::EngineContext& engine) {
    return expr::evaluateConstant(text, engine.locale, languageOf(engine), engine.angleMode);
}

} // namespace

void applyZoomBox(RangeTexts& texts, const SearchBox& box, const NumberLocale& locale) {
    texts[kXminRow] = formatGeneral(box.left, kRangeTextDigits, locale);
    texts[kXmaxRow] = formatGeneral(box.right, kRangeTextDigits, locale);
    texts[kYminRow] = formatGeneral(box.bottom, kRangeTextDigits, locale);
    texts[kYmaxRow] = formatGeneral(box.top, kRangeTextDigits, locale);
}

bool zoomRangeTexts(RangeTexts& texts, ZoomDirection direction, double factorX, double factorY,
                    const expr::EngineContext& engine, std::string& error) {
    auto usable = [](double f) { return std::isfinite(f) && f != 0; };
    if (!usable(factorX) || !usable(factorY)) {
        error = languageOf(engine).text("ZoomNotPossible");
        return false;
    }
    // Scale every convertible row first, so that an overflow leaves all texts as they
    // were; the conversion of a bad text still stops the zoom at that row.
    RangeTexts scaled = texts;
    std::size_t row = 0;
    std::string conversionError;
    for (; row < texts.size(); ++row) {
        const expr::ConstantValue cell = cellValue(texts[row], engine);
        if (!cell.ok) {
            conversionError = cell.error;
            break;
        }
        const long double value = cell.value;
        const long double factor = row < kYminRow ? factorX : factorY;
        const long double result = direction == ZoomDirection::In ? value / factor : value * factor;
        if (!std::isfinite(result) || (result == 0 && value != 0)) {
            error = languageOf(engine).text("ZoomNotPossible");
            return false;
        }
        scaled[row] = formatGeneral(result, kRangeTextDigits, engine.locale);
    }
    for (std::size_t i = 0; i < row; ++i)
        texts[i] = scaled[i];
    if (!conversionError.empty()) {
        error = conversionError;
        return false;
    }
    return true;
}

bool rangeFromTexts(const RangeTexts& texts, Range& range, const expr::EngineContext& engine,
                    std::string& error) {
    long double* const targets[] = {&range.xMin, &range.xMax, &range.xStep,
                                    &range.yMin, &range.yMax, &range.yStep};
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const expr::ConstantValue cell = cellValue(texts[row], engine);
        if (!cell.ok) {
            error = cell.error;
            return false;
        }
        *targets[row] = cell.value;
    }
    return true;
}

bool swapReversedBounds(RangeTexts& texts, const expr::EngineContext& engine) {
    bool swapped = false;
    for (const auto& [low, high] : {std::pair{kXminRow, kXmaxRow}, std::pair{kYminRow, kYmaxRow}}) {
        const expr::ConstantValue lower = cellValue(texts[low], engine);
        const expr::ConstantValue upper = cellValue(texts[high], engine);
        if (lower.ok && upper.ok && lower.value > upper.value) {
            std::swap(texts[low], texts[high]);
            swapped = true;
        }
    }
    return swapped;
}

} // namespace lindor::graph::analysis
