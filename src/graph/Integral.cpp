#include "graph/Integral.h"

#include <algorithm>
#include <cmath>

#include "expr/ConstantText.h"
#include "graph/IntegralValue.h"
#include "lang/Language.h"

namespace lindor::graph {

namespace {

// The text of key `key` with "%s" replaced by `value`.
std::string withValue(const lang::Language& language, const char* key, const std::string& value) {
    std::string text = language.text(key);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

} // namespace

IntegralText parseIntegralText(const std::string& text, expr::EngineContext& engine) {
    IntegralText result;
    // Blanks hold no semicolons: the semicolons of the text are those of its compact form.
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
    const std::size_t first = text.find(';');
    const std::size_t second = text.find(';', first + 1);
    result.function = text.substr(0, first);
    result.status = IntegralText::Status::BadNumber;
    const expr::ConstantValue lower =
        expr::evaluateConstant(text.substr(first + 1, second - first - 1), engine);
    if (!lower.ok) {
        result.error = lower.error;
        return result;
    }
    const expr::ConstantValue upper = expr::evaluateConstant(text.substr(second + 1), engine);
    if (!upper.ok) {
        result.error = upper.error;
        return result;
    }
    result.reversed = upper.value < lower.value;
    result.lower = std::min(lower.value, upper.value);
    result.upper = std::max(lower.value, upper.value);
    result.status = IntegralText::Status::Valid;
    return result;
}

std::string integralResultLine(const Evaluator& f, long double from, long double to,
                               const lang::Language& language, const NumberLocale& locale) {
    const IntegralValue v = integrate(f, from, to);
    switch (v.status) {
    case IntegralValue::Status::Value:
        return language.text("Integral") + "=" + formatGeneral(v.value, kIntegralDigits, locale);
    case IntegralValue::Status::Unbounded:
        return withValue(language, "IntegralUnbounded",
                         formatGeneral(v.where, kIntegralDigits, locale));
    case IntegralValue::Status::Undefined:
        return language.text("ErrorWhenCalculatingIntegral");
    case IntegralValue::Status::Inaccurate:
        break;
    }
    return language.text("IntegralNotAccurate");
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
