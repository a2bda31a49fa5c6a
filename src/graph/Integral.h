// Integral mode: the integral text "function;lower;upper", the shading of the area
// between the curve and the x axis, and the integral's value with its log lines.
#pragma once

#include <string>
#include <vector>

#include "graph/Canvas.h"
#include "graph/CurvePlotter.h"
#include "graph/GraphState.h"
#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}
namespace lindor::expr {
class TFunctionDB;
struct EngineContext;
} // namespace lindor::expr

namespace lindor::graph {

struct IntegralText {
    enum class Status {
        Valid,
        Invalid,   // a semicolon missing or last: the integral instructions apply
        BadNumber, // a limit is not a constant with a finite value; `error` says why
    };
    Status status = Status::Invalid;
    std::string function; // the text up to the first ";", blanks kept
    long double lower = 0;
    long double upper = 0; // lower <= upper
    bool reversed = false; // the limits were typed upper first: the value changes sign
    std::string error;
};

// Splits "text;lower;upper". Only the first two semicolons separate. A limit is a constant
// expression ("pi/2", "sqrt 2", "-2E-3"), read in the engine's number format and angle
// mode; blanks in it are ignored.
IntegralText parseIntegralText(const std::string& text, expr::EngineContext& engine);

// The integral from `from` to `to` (the limits in the order typed): "Integral=<value>" with
// ten significant digits, or the line that says why there is no such value.
std::string integralResultLine(const Evaluator& f, long double from, long double to,
                               const lang::Language& language, const NumberLocale& locale);

// The row the shading hangs from: the x axis when it is in view, otherwise the edge of
// the plot area nearest to y = 0 (the bottom edge when the whole view lies above the axis,
// the top edge when it lies below; in a mirrored view likewise the edge nearest to 0).
int integralBaseRow(const GraphState& state);

// Fills the area between the curve and the base row from lower to upper with vertical
// lines in colour 0, one per plot column where f is defined.
void shadeIntegral(const GraphState& state, Canvas& canvas, const Evaluator& f, long double lower,
                   long double upper);

// The three log lines of an integral ("", "y = " + text, result line), computed without a
// graph: what `lindor --solve integral TEXT` prints.
struct IntegralReport {
    bool ok = false;
    std::vector<std::string> lines; // the three log lines when ok
    std::string error;              // why not: instructions, conversion or compile error
};
IntegralReport integralLogLines(const std::string& text, expr::TFunctionDB& functions,
                                const lang::Language& language);

} // namespace lindor::graph
