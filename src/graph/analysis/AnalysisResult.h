// What an analysis hands back: the lines for the log window and the point to mark.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}

namespace lindor::graph::analysis {

// Texts and number format used by the result lines; the angle mode in which a typed
// value ("sin 30") is read.
struct AnalysisContext {
    const lang::Language& language;
    NumberLocale locale;
    expr::AngleMode angleMode = expr::AngleMode::Radians;
};

struct PlanePoint {
    long double x = 0;
    long double y = 0;
};

struct AnalysisResult {
    // Three lines when the analysis ran: an empty line, the function line and the
    // result line. Empty when nothing is to be logged (see `error`).
    std::vector<std::string> lines;
    // The point found, to be marked on the graph; none when nothing was found.
    std::optional<PlanePoint> mark;
    // A typed value that is not a number: the message to show; nothing is logged.
    std::string error;

    bool found() const { return mark.has_value(); }
};

// Analyses report numbers with ten significant digits.
std::string resultText(long double value, const AnalysisContext& context);

// "y = " + the function's text.
std::string functionLine(const std::string& functionText);
// "y1=" + first + " " + text of "and" + " y2=" + second.
std::string pairFunctionLine(const std::string& first, const std::string& second,
                             const AnalysisContext& context);

// The three log lines: an empty line, the function line and the result line.
AnalysisResult logged(const std::string& functionLineText, const std::string& resultLine);
AnalysisResult logged(const std::string& functionLineText, const std::string& resultLine,
                      PlanePoint mark);

} // namespace lindor::graph::analysis
