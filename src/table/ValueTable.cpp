#include "table/ValueTable.h"

#include <cmath>
#include <string>
#include <utility>

#include "expr/ConstantText.h"
#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "util/NumberText.h"

namespace lindor::table {
namespace {

// Significant digits of y and y'; x is written with the fewest digits (at most 15) that
// read back as the x evaluated.
constexpr int kValueDigits = 10;
constexpr int kMaxXDigits = 15;
// Xmax is the last x when it lies within this part of a step beyond the last x or before it.
constexpr long double kStepTolerance = 1e-6L;

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
    expr::EngineContext& engine = functions.context();
    const NumberLocale& locale = engine.locale;

    // The boxes are read in the order Xmin, Xmax, Xstep; the first bad one is named.
    long double limits[3] = {0, 0, 0};
    const std::string* texts[3] = {&request.xmin, &request.xmax, &request.xstep};
    for (int i = 0; i < 3; ++i) {
        const expr::ConstantValue v = expr::evaluateConstant(*texts[i], engine);
        if (!v.ok)
            return refuse(v.error);
        limits[i] = v.value;
    }
    const long double xmin = limits[0];
    const long double xmax = limits[1];
    const long double xstep = limits[2];

    expr::TFunction function(functions);
    std::string compileError;
    if (!function.Compile(request.function, compileError))
        return refuse(compileError);

    // x = Xmin + i * Xstep for i = 0 .. last; a step of 0 or below, or one that would need
    // too many lines, is refused before anything is evaluated.
    std::size_t last = 0;
    bool endsAtXmax = false;
    if (xmin <= xmax) {
        if (!(xstep > 0))
            return refuse(language.text("XstepMustBeGreaterThanZero"));
        const long double steps = std::floor((xmax - xmin) / xstep + kStepTolerance);
        if (!(steps < static_cast<long double>(kMaxValueTableLines)))
            return refuse(withCount(language.text("TooManyLinesInTable"), kMaxValueTableLines));
        last = static_cast<std::size_t>(steps);
        endsAtXmax = std::fabs(xmin + steps * xstep - xmax) <= kStepTolerance * xstep;
    }

    ValueTableResult result;
    result.lines.push_back("y=" + request.function);
    result.lines.push_back("x\ty\ty'");
    result.lines.emplace_back();
    if (xmin > xmax) {
        result.ok = true;
        return result;
    }

    long double previous = 0;
    for (std::size_t i = 0; i <= last; ++i) {
        const long double x =
            i == last && endsAtXmax ? xmax : xmin + static_cast<long double>(i) * xstep;
        if (i > 0 && !(x > previous))
            return refuse(language.text("XstepTooSmall"));
        previous = x;
        std::string line = formatShortest(x, kMaxXDigits, locale);
        line += '\t';
        long double y = 0;
        if (function.Evaluate(x, y))
            line += formatGeneral(y, kValueDigits, locale);
        line += '\t';
        long double slope = 0;
        if (function.Derivative(x, slope))
            line += formatGeneral(slope, kValueDigits, locale);
        result.lines.push_back(std::move(line));
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
