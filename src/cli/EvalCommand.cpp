// lindor --eval [--degrees] FUNCTION X [X ...]: prints f(X) for every X, one per line.
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "expr/ConstantText.h"
#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "util/NumberText.h"

namespace lindor::cli {
namespace {

// Values are written with all the digits a typed function may hold.
constexpr int kValuePrecision = 15;

const char* const kEvalUsage = "usage: lindor --eval [--degrees] FUNCTION X [X ...]\n";

} // namespace

int runEval(CommandContext& ctx) {
    const std::vector<std::string>& args = ctx.line.positional;
    if (args.size() < 2) {
        ctx.err << "lindor: --eval needs a function and at least one x value\n" << kEvalUsage;
        return kExitUsage;
    }
    const expr::AngleMode angleMode =
        ctx.line.has("degrees") ? expr::AngleMode::Degrees : expr::AngleMode::Radians;

    lang::Language language([&ctx](const std::string& message) { ctx.err << message << '\n'; });
    language.LoadLanguage("English", ctx.programDir);

    expr::EngineContext engine;
    engine.angleMode = angleMode;
    engine.locale = ctx.locale;
    engine.language = &language;

    // Every x is checked before anything is printed, so a bad one leaves no partial output.
    std::vector<long double> xs;
    // An x may be a constant expression ("pi/2"), as in every box that asks for a number.
    for (std::size_t i = 1; i < args.size(); ++i) {
        const expr::ConstantValue x = expr::evaluateConstant(args[i], engine);
        if (!x.ok) {
            ctx.err << "lindor: " << x.error << '\n';
            return kExitUsage;
        }
        xs.push_back(x.value);
    }

    expr::TFunctionDB functions(engine);
    expr::TFunction function(functions);
    std::string error;
    if (!function.Compile(args[0], error)) {
        ctx.err << "lindor: " << error << '\n';
        return kExitUsage;
    }
    for (const long double x : xs) {
        long double y = 0;
        if (function.Evaluate(x, y))
            ctx.out << formatGeneral(y, kValuePrecision, engine.locale) << '\n';
        else
            ctx.out << "undefined\n";
    }
    return kExitOk;
}

} // namespace lindor::cli
