// lindor --table FUNCTION XMIN XMAX XSTEP: prints the value table, one line per row.
#include <ostream>
#include <string>

#include "cli/Cli.h"
#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "table/ValueTable.h"
#include "util/NumberText.h"

namespace lindor::cli {

int runTable(CommandContext& ctx) {
    if (ctx.args.size() != 4) {
        ctx.err << "lindor: --table needs a function, XMIN, XMAX and XSTEP\n"
                << "usage: lindor --table FUNCTION XMIN XMAX XSTEP\n";
        return kExitUsage;
    }

    lang::Language language([&ctx](const std::string& message) { ctx.err << message << '\n'; });
    language.LoadLanguage("English", ctx.programDir);

    expr::EngineContext engine;
    engine.locale = NumberLocale::fromEnvironment();
    engine.language = &language;
    expr::TFunctionDB functions(engine);

    const table::ValueTableResult table = table::buildValueTable(
        {ctx.args[0], ctx.args[1], ctx.args[2], ctx.args[3]}, functions, language);
    if (!table.ok) {
        ctx.err << "lindor: " << table.error << '\n';
        return kExitUsage;
    }
    for (const std::string& line : table.lines)
        ctx.out << line << '\n';
    return kExitOk;
}

} // namespace lindor::cli
