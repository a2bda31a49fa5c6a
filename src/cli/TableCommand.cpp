// lindor --table FUNCTION XMIN XMAX XSTEP: prints the value table, one line per row.
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "table/ValueTable.h"
#include "util/NumberText.h"

namespace lindor::cli {

int runTable(CommandContext& ctx) {
    const std::vector<std::string>& args = ctx.line.positional;
    if (args.size() != 4) {
        ctx.err << "lindor: --table needs a function, XMIN, XMAX and XSTEP\n"
                << "usage: lindor --table FUNCTION XMIN XMAX XSTEP\n";
        return kExitUsage;
    }

    lang::Language language([&ctx](const std::string& message) { ctx.err << message << '\n'; });
    language.LoadLanguage("English", ctx.programDir);

    expr::EngineContext engine;
    engine.locale = ctx.locale;
    engine.language = &language;
    expr::TFunctionDB functions(engine);

    const table::ValueTableResult table =
        table::buildValueTable({args[0], args[1], args[2], args[3]}, functions, language);
    if (!table.ok) {
        ctx.err << "lindor: " << table.error << '\n';
        return kExitUsage;
    }
    for (const std::string& line : table.lines)
        ctx.out << line << '\n';
    return kExitOk;
}

} // namespace lindor::cli
