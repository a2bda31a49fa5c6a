#include "graph/analysis/AnalysisResult.h"

#include "graph/GraphState.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

std::string resultText(long double value, const AnalysisContext& context) {
    return formatGeneral(value, kResultDigits, context.locale);
}

std::string functionLine(const std::string& functionText) {
    return "y = " + functionText;
}

std::string pairFunctionLine(const std::string& first, const std::string& second,
                             const AnalysisContext& context) {
    return "y1=" + first + " " + context.language.text("and") + " y2=" + second;
}

AnalysisResult logged(const std::string& functionLineText, const std::string& resultLine) {
    AnalysisResult result;
    result.lines = {std::string(), functionLineText, resultLine};
    return result;
}

AnalysisResult logged(const std::string& functionLineText, const std::string& resultLine,
                      PlanePoint mark) {
    AnalysisResult result = logged(functionLineText, resultLine);
    result.mark = mark;
    return result;
}

} // namespace lindor::graph::analysis
