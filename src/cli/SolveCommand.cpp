// lindor --solve KIND [--box L,R,B,T] [--value V] [--degrees] FUNCTION [FUNCTION2]
// Runs one analysis on a box given in plane coordinates and prints the three lines the
// log window would show. The box uses "." as decimal separator; the typed value and the
// result lines use the user's regional one, as in the program.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "expr/FuncEval.h"
#include "graph/Integral.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"
#include "util/NumberText.h"

namespace lindor::cli {

namespace {

using graph::analysis::AnalysisContext;
using graph::analysis::AnalysisResult;
using graph::analysis::Curve;
using graph::analysis::Extremum;
using graph::analysis::SearchBox;

enum class Kind { Root, Max, Min, YIntersection, Intersection, XCalc, YCalc, Integral };

struct KindName {
    const char* name;
    Kind kind;
};

const KindName kKinds[] = {
    {"root", Kind::Root},
    {"max", Kind::Max},
    {"min", Kind::Min},
    {"yint", Kind::YIntersection},
    {"intersection", Kind::Intersection},
    {"xcalc", Kind::XCalc},
    {"ycalc", Kind::YCalc},
    {"integral", Kind::Integral},
};

const char* const kSolveUsage =
    "usage: lindor --solve KIND --box LEFT,RIGHT,BOTTOM,TOP [--value V] [--degrees] "
    "FUNCTION [FUNCTION2]\n"
    "       KIND: root, max, min, yint, intersection (two functions), xcalc, ycalc\n"
    "       lindor --solve integral 'FUNCTION;LOWER;UPPER'\n";

struct SolveRequest {
    Kind kind = Kind::Root;
    bool hasBox = false;
    SearchBox box;
    bool hasValue = false;
    std::string value;
    bool degrees = false;
    std::vector<std::string> functions;
};

bool parseKind(const std::string& text, Kind& kind) {
    for (const KindName& k : kKinds) {
        if (text == k.name) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

// "L,R,B,T": four numbers.
bool parseBox(const std::string& text, SearchBox& box) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? comma : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (parts.size() != 4)
        return false;
    long double* const targets[] = {&box.left, &box.right, &box.bottom, &box.top};
    const NumberLocale locale;
    for (std::size_t i = 0; i < 4; ++i) {
        if (!tryParseNumber(parts[i], locale, *targets[i]))
            return false;
    }
    return true;
}

std::size_t functionsNeeded(Kind kind) {
    return kind == Kind::Intersection ? 2 : 1;
}

bool parseRequest(const CommandLine& line, SolveRequest& request, std::ostream& err) {
    if (!parseKind(line.modeValue, request.kind)) {
        err << "lindor: --solve needs a kind, not '" << line.modeValue << "'\n" << kSolveUsage;
        return false;
    }
    request.functions = line.positional;
    request.degrees = line.has("degrees");
    if (line.has("value")) {
        request.hasValue = true;
        request.value = line.value("value");
    }
    if (line.has("box")) {
        const std::string v = line.value("box");
        if (!parseBox(v, request.box)) {
            err << "lindor: --box needs four numbers LEFT,RIGHT,BOTTOM,TOP, not '" << v << "'\n";
            return false;
        }
        request.hasBox = true;
    }
    const std::string& kindName = line.modeValue;
    const bool needsBox = request.kind != Kind::YIntersection && request.kind != Kind::Integral;
    if (needsBox && !request.hasBox) {
        err << "lindor: --solve " << kindName << " needs --box LEFT,RIGHT,BOTTOM,TOP\n";
        return false;
    }
    const bool needsValue = request.kind == Kind::XCalc || request.kind == Kind::YCalc;
    if (needsValue && !request.hasValue) {
        err << "lindor: --solve " << kindName << " needs --value V\n";
        return false;
    }
    if (request.functions.size() != functionsNeeded(request.kind)) {
        err << "lindor: --solve " << kindName << " takes "
            << (functionsNeeded(request.kind) == 2 ? "two functions" : "one function") << "\n"
            << kSolveUsage;
        return false;
    }
    return true;
}

void printLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines)
        out << line << "\n";
}

} // namespace

int runSolve(CommandContext& ctx) {
    SolveRequest request;
    if (!parseRequest(ctx.line, request, ctx.err))
        return kExitUsage;

    lang::Language language([&ctx](const std::string& message) { ctx.err << message << "\n"; });
    language.LoadLanguage("English", ctx.programDir);

    expr::EngineContext engine;
    engine.language = &language;
    engine.locale = ctx.locale; // the typed value and the result lines

    engine.angleMode = request.degrees ? expr::AngleMode::Degrees : expr::AngleMode::Radians;
    expr::TFunctionDB functions(engine);

    if (request.kind == Kind::Integral) {
        const graph::IntegralReport report =
            graph::integralLogLines(request.functions[0], functions, language);
        if (!report.ok) {
            ctx.err << "lindor: " << report.error << "\n";
            return kExitUsage;
        }
        printLines(report.lines, ctx.out);
        return kExitOk;
    }

    std::vector<Curve> curves;
    for (const std::string& text : request.functions) {
        expr::TFunction& f = functions.Get(functions.Add());
        std::string error;
        if (!f.Compile(text, error)) {
            ctx.err << "lindor: " << text << ": " << error << "\n";
            return kExitUsage;
        }
        curves.push_back(graph::analysis::curveOf(f));
    }

    const AnalysisContext context{language, engine.locale, engine.angleMode};
    const std::string& name = request.functions[0];
    const SearchBox& box = request.box;
    AnalysisResult result;
    switch (request.kind) {
    case Kind::Root:
        result = graph::analysis::findRoot(curves[0], name, box, context);
        break;
    case Kind::Max:
        result = graph::analysis::findExtremum(curves[0], name, box, Extremum::Maximum, context);
        break;
    case Kind::Min:
        result = graph::analysis::findExtremum(curves[0], name, box, Extremum::Minimum, context);
        break;
    case Kind::YIntersection:
        result = graph::analysis::findYIntersection(curves[0], name, context);
        break;
    case Kind::Intersection:
        result = graph::analysis::findIntersection(curves[0], name, curves[1], request.functions[1],
                                                   box, context);
        break;
    case Kind::XCalc:
        result = graph::analysis::calcX(curves[0], name, box, request.value, context);
        break;
    case Kind::YCalc:
        result = graph::analysis::calcY(curves[0], name, box, request.value, context);
        break;
    case Kind::Integral:
        break;
    }
    if (!result.error.empty()) {
        ctx.err << "lindor: " << result.error << "\n";
        return kExitUsage;
    }
    printLines(result.lines, ctx.out);
    return kExitOk;
}

} // namespace lindor::cli
