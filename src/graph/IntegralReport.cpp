#include "expr/FuncEval.h"
#include "graph/Integral.h"
#include "lang/Language.h"

namespace lindor::graph {

IntegralReport integralLogLines(const std::string& text, expr::TFunctionDB& functions,
                                const lang::Language& language) {
    IntegralReport report;
    const NumberLocale& locale = functions.context().locale;
    const IntegralText parsed = parseIntegralText(text, functions.context());
    if (parsed.status == IntegralText::Status::Invalid) {
        report.error = language.text("IntegralTextNotValid");
        return report;
    }
    if (parsed.status == IntegralText::Status::BadNumber) {
        report.error = parsed.error;
        return report;
    }
    const int position = functions.Add();
    expr::TFunction& function = functions.Get(position);
    if (!function.Compile(parsed.function, report.error))
        return report;
    const Evaluator f = [&function](long double x, long double& y) {
        return function.Evaluate(x, y);
    };
    const long double from = parsed.reversed ? parsed.upper : parsed.lower;
    const long double to = parsed.reversed ? parsed.lower : parsed.upper;
    report.lines = {"", "y = " + text, integralResultLine(f, from, to, language, locale)};
    report.ok = true;
    return report;
}

} // namespace lindor::graph
