#include "graph/Integral.h"

#include <algorithm>
#include <cmath>

#include "lang/Language.h"

namespace lindor::graph {

namespace {

bool parseLimit(const std::string& text, const NumberLocale& locale, long double& value,
                std::string& error) {
    // The conversion refuses texts whose value overflows, so a limit is always finite.
    if (tryParseNumber(text, locale, value))
        return true;
    error = ConversionError(text).what();
    return false;
}

} // namespace

IntegralText parseIntegralText(const std::string& text, const NumberLocale& locale) {
    IntegralText result;
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t')
            compact += c;
    const std::size_t p1 = compact.find(';');
    if (p1 == std::string::npos || p1 + 1 == compact.size())
        return result;
    const std::string rest = compact.substr(p1 + 1);
    const std::size_t p2 = rest.find(';');
    if (p2 == std::string::npos || p2 + 1 == rest.size())
        return result;
    result.function = text.substr(0, text.find(';'));
    result.status = IntegralText::Status::BadNumber;
    if (!parseLimit(rest.substr(0, p2), locale, result.lower, result.error) ||
        !parseLimit(rest.substr(p2 + 1), locale, result.upper, result.error))
        return result;
    if (result.upper < result.lower)
        std::swap(result.lower, result.upper);
    result.status = IntegralText::Status::Valid;
    return result;
}

bool trapezoidIntegral(const Evaluator& f, long double lower, long double upper,
                       long double& value) {
    long double ya = 0;
    long double yb = 0;
    if (!f(lower, ya) || !f(upper, yb))
        return false;
    const long double h = (upper - lower) / kIntegralIntervals;
    long double sum = ya + yb;
    long double x = lower;
    for (int k = 1; k < kIntegralIntervals; ++k) {
        x += h; // accumulated, as the samples of the shading are walked
        long double y = 0;
        if (!f(x, y))
            return false;
        sum += 2 * y;
    }
    value = sum * h / 2;
    return true;
}

std::string integralResultLine(const Evaluator& f, long double lower, long double upper,
                               const lang::Language& language, const NumberLocale& locale) {
    long double value = 0;
    // An overflowing sum is no value either.
    if (!trapezoidIntegral(f, lower, upper, value) || !std::isfinite(value))
        return language.text("ErrorWhenCalculatingIntegral");
    return language.text("Integral") + "=" + formatGeneral(value, kIntegralPrecision, locale);
}

int integralBaseRow(const GraphState& s) {
    const PlotArea& a = s.area();
    if (a.xAxisRow != 0)
        return a.xAxisRow;
    return std::clamp(s.YToRow(0), a.top, a.bottom);
}

void shadeIntegral(const GraphState& s, Canvas& canvas, const Evaluator& f, long double lower,
                   long double upper) {
    const PlotArea& a = s.area();
    if (!a.drawable() || !isUsableRange(s.range()))
        return;
    const int base = integralBaseRow(s);
    for (int i = 0; i <= a.width; ++i) {
        const long double x = s.ColumnToX(i);
        long double y = 0;
        if (x < lower || x > upper || !f(x, y))
            continue;
        if (y == s.range().yMin)
            continue;
        // Inside the view the line ends at the curve, beyond it at the edge it leaves by.
        const int row = std::clamp(s.YToRow(y), a.top, a.bottom);
        canvas.moveTo(a.left + i, base);
        canvas.lineTo(a.left + i, row);
    }
}

} // namespace lindor::graph
