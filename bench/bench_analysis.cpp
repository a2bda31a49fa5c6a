// Cost of the analyses on typical boxes with compiled functions. Each runs inside the
// button-release event, so it should stay well below 10 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "expr/FuncEval.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"

namespace {

using namespace lindor;
using namespace lindor::graph::analysis;

struct Setup {
    expr::EngineContext engine;
    expr::TFunctionDB functions{engine};
    AnalysisContext context{lang::builtinEnglish(), NumberLocale{}};

    Curve compile(const std::string& text) {
        expr::TFunction& f = functions.Get(functions.Add());
        std::string error;
        if (!f.Compile(text, error))
            throw std::runtime_error(text + ": " + error);
        return curveOf(f);
    }
};

void BM_Root(benchmark::State& state) {
    Setup s;
    const Curve f = s.compile("x^3-2x-5");
    const SearchBox box{1, 3, -2, 2};
    for (auto _ : state)
        benchmark::DoNotOptimize(findRoot(f, "x^3-2x-5", box, s.context));
}
BENCHMARK(BM_Root)->Unit(benchmark::kMicrosecond);

void BM_Extremum(benchmark::State& state) {
    Setup s;
    const Curve f = s.compile("sin(x)+0.5x");
    const SearchBox box{1, 3.5L, 0, 3};
    for (auto _ : state)
        benchmark::DoNotOptimize(findExtremum(f, "sin(x)+0.5x", box, Extremum::Maximum, s.context));
}
BENCHMARK(BM_Extremum)->Unit(benchmark::kMicrosecond);

void BM_Intersection(benchmark::State& state) {
    Setup s;
    const Curve f1 = s.compile("x^2");
    const Curve f2 = s.compile("cos(x)");
    const SearchBox box{0, 1.5L, 0, 2};
    for (auto _ : state)
        benchmark::DoNotOptimize(findIntersection(f1, "x^2", f2, "cos(x)", box, s.context));
}
BENCHMARK(BM_Intersection)->Unit(benchmark::kMicrosecond);

// Two curves that only touch: the crossing search runs its whole first pass in vain
// before the turning-point search.
void BM_IntersectionTouching(benchmark::State& state) {
    Setup s;
    const Curve f1 = s.compile("(x-1)^2");
    const Curve f2 = s.compile("0");
    const SearchBox box{-0.3L, 2.1L, -1, 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(findIntersection(f1, "(x-1)^2", f2, "0", box, s.context));
}
BENCHMARK(BM_IntersectionTouching)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
