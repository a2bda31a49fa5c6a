#include <cmath>

#include "expr/ConstantText.h"
#include "graph/analysis/Newton.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

constexpr long double kCalcSnapDistance = 0.1L;

// The typed value as a number: a plain number or a constant expression ("pi/2"). The
// reader refuses a value that is not finite (1e99999).
bool typedNumber(const std::string& text, const AnalysisContext& context, long double& value,
                 std::string& error) {
    const expr::ConstantValue typed =
        expr::evaluateConstant(text, context.locale, context.language, context.angleMode);
    value = typed.value;
    error = typed.error;
    return typed.ok;
}

AnalysisResult notANumber(const std::string& error) {
    AnalysisResult result;
    result.error = error;
    return result;
}

} // namespace

AnalysisResult calcY(const Curve& f, const std::string& functionText, const SearchBox& box,
                     const std::string& typedX, const AnalysisContext& context) {
    long double xv = 0;
    std::string error;
    if (!typedNumber(typedX, context, xv, error))
        return notANumber(error);
    const std::string name = functionLine(functionText);
    const std::string label = context.language.text("YCalc") + ": ";
    long double y = 0;
    if (!f.valueAt(xv, y) || !box.contains(xv, y))
        return logged(name, label + context.language.text("CouldNotBeEvaluated"));
    if (std::fabs(y) < kValueTolerance)
        y = 0;
    return logged(name,
                  label + "y = " + resultText(y, context) + " " + context.language.text("for") +
                      " x = " + typedX,
                  PlanePoint{xv, y});
}

AnalysisResult calcX(const Curve& f, const std::string& functionText, const SearchBox& box,
                     const std::string& typedY, const AnalysisContext& context) {
    long double yv = 0;
    std::string error;
    if (!typedNumber(typedY, context, yv, error))
        return notANumber(error);
    const std::string name = functionLine(functionText);
    const std::string label = context.language.text("XCalc") + ": ";

    // From the middle, then the right edge; the left edge's answer is taken as it is.
    long double x = 0;
    if (!(inverseNewton(f, yv, (box.left + box.right) / 2, x) && box.contains(x, yv)) &&
        !(inverseNewton(f, yv, box.right, x) && box.contains(x, yv)))
        inverseNewton(f, yv, box.left, x);

    long double y = 0;
    if (!(f.valueAt(x, y) && std::fabs(yv - y) <= kValueTolerance && box.contains(x, yv)))
        return logged(name, label + context.language.text("YValueCouldNotBeFound"));

    long double fromZero = 1;
    if (std::fabs(x) < kCalcSnapDistance && box.contains(0, yv) &&
        inverseNewton(f, yv, 0, fromZero) && fromZero == 0)
        x = 0;
    return logged(name,
                  label + "y = " + typedY + " " + context.language.text("for") +
                      " x = " + resultText(x, context),
                  PlanePoint{x, yv});
}

} // namespace lindor::graph::analysis
