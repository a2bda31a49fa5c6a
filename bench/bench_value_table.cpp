// The value table: one evaluation, one difference quotient and three number texts per line.
#include <benchmark/benchmark.h>
#include <string>

#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "table/ValueTable.h"

namespace {

void BM_ValueTable(benchmark::State& state) {
    const std::string lines = std::to_string(state.range(0));
    lindor::expr::EngineContext context;
    context.language = &lindor::lang::builtinEnglish();
    lindor::expr::TFunctionDB functions(context);
    const lindor::table::ValueTableRequest request{"x*sin(x)+sqrt(x^2+1)", "0", lines, "1"};
    for (auto _ : state) {
        const auto table =
            lindor::table::buildValueTable(request, functions, lindor::lang::builtinEnglish());
        if (!table.ok)
            state.SkipWithError(table.error.c_str());
        benchmark::DoNotOptimize(table.lines.data());
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}
BENCHMARK(BM_ValueTable)->Arg(100)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
