#include "table/ValueTable.h"

#include <cmath>
#include <string>
#include <utility>

#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "util/NumberText.h"

namespace lindor::table {
namespace {

// Significant digits of every number in the table.
constexpr int kPrecision = 3;

ValueTableResult refuse(std::string message) {
    ValueTableResult result;
    result.error = std::move(message);
    return result;
}

std::string withCount(std::string text, std::size_t count) {
    const std::size_t at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

} // namespace

ValueTableResult buildValueTable(const ValueTableRequest& request, expr::TFunctionDB& functions,
                                 const lang::Language& language) {
    const NumberLocale& locale = functions.context().locale;

    // The boxes are read in the order Xmin, Xmax, Xstep; the first bad one is named.
    long double xmin = 0;
    long double xmax = 0;
    long double xstep = 0;
    try {
        xmin = parseNumber(request.xmin, locale);
        xmax = parseNumber(request.xmax, locale);
        xstep = parseNumber(request.xstep, locale);
    } catch (const ConversionError& e) {
        return refuse(e.what());
    }

    expr::TFunction function(functions);
    std::string compileError;
    if (!function.Compile(request.function, compileError))
        return refuse(compileError);

    // A step that cannot carry x past Xmax, or that would need too many lines, would keep
    // the table growing without end; it is refused before anything is evaluated.
    if (xmin <= xmax) {
        if (!(xstep > 0))
            return refuse(language.text("XstepMustBeGreaterThanZero"));
        const long double count = std::floor((xmax - xmin) / xstep) + 1;
        if (!(count <= static_cast<long double>(kMaxValueTableLines)))
            return refuse(withCount(language.text("TooManyLinesInTable"), kMaxValueTableLines));
    }

    ValueTableResult result;
    result.lines.push_back("y=" + request.function);
    result.lines.push_back("x\ty\ty'");
    result.lines.emplace_back();

    // x advances by repeated addition, so rounding accumulates the way it does when the
    // user adds the step by hand; a last x that overshoots Xmax by rounding is not listed.
    long double x = xmin;
    std::size_t count = 0;
    while (x <= xmax) {
        if (++count > kMaxValueTableLines)
            return refuse(withCount(language.text("TooManyLinesInTable"), kMaxValueTableLines));
        std::string line = formatGeneral(x, kPrecision, locale);
        line += '\t';
        long double y = 0;
        if (function.Evaluate(x, y))
            line += formatGeneral(y, kPrecision, locale);
        line += '\t';
        long double slope = 0;
        if (function.Derivative(x, slope))
            line += formatGeneral(slope, kPrecision, locale);
        result.lines.push_back(std::move(line));

        const long double next = x + xstep;
        if (!(next > x))
            return refuse(language.text("XstepTooSmall"));
        x = next;
    }
    result.ok = true;
    return result;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += separator;
        text += lines[i];
    }
    return text;
}

} // namespace lindor::table
