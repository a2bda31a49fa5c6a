// lindor --eval [--degrees] FUNCTION X [X ...]: prints f(X) for every X, one per line.
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
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
    expr::AngleMode angleMode = expr::AngleMode::Radians;
    std::size_t next = 0;
    // Options come before the function; "--" ends them, so a function may start with "--".
    for (; next < ctx.args.size(); ++next) {
        const std::string& arg = ctx.args[next];
        if (arg == "--") {
            ++next;
            break;
        }
        if (arg.rfind("--", 0) != 0)
            break;
        if (arg == "--degrees") {
            angleMode = expr::AngleMode::Degrees;
            continue;
        }
        ctx.err << "lindor: unknown option '" << arg << "' for --eval\n" << kEvalUsage;
        return kExitUsage;
    }
    if (ctx.args.size() < next + 2) {
        ctx.err << "lindor: --eval needs a function and at least one x value\n" << kEvalUsage;
        return kExitUsage;
    }

    lang::Language language([&ctx](const std::string& message) { ctx.err << message << '\n'; });
    language.LoadLanguage("English", ctx.programDir);

    expr::EngineContext engine;
    engine.angleMode = angleMode;
    engine.locale = NumberLocale::fromEnvironment();
    engine.language = &language;

    // Every x is checked before anything is printed, so a bad one leaves no partial output.
    std::vector<long double> xs;
    for (std::size_t i = next + 1; i < ctx.args.size(); ++i) {
        long double x = 0;
        if (!tryParseNumber(ctx.args[i], engine.locale, x)) {
            ctx.err << "lindor: " << ConversionError(ctx.args[i]).what() << '\n';
            return kExitUsage;
        }
        xs.push_back(x);
    }

    expr::TFunctionDB functions(engine);
    expr::TFunction function(functions);
    std::string error;
    if (!function.Compile(ctx.args[next], error)) {
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
