// Cost of an integral's value over the benchmark expressions. It is computed when an
// integral is entered, inside the plot command, so it should stay below 5 ms. The
// baseline is the work of a fixed rule: 1001 evaluations of the same function.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "BenchExpressions.h"
#include "expr/FuncEval.h"
#include "graph/IntegralValue.h"

namespace {

using namespace lindor;

struct Integrand {
    expr::EngineContext engine;
    expr::TFunctionDB functions{engine};
    expr::TFunction* f = nullptr;

    explicit Integrand(const std::string& text) {
        f = &functions.Get(functions.Add());
        std::string error;
        if (!f->Compile(text, error))
            throw std::runtime_error(text + ": " + error);
    }
    graph::Integrand evaluator() {
        return [this](long double x, long double& y) { return f->Evaluate(x, y); };
    }
};

const char* expressionOf(const benchmark::State& state) {
    return bench::kBenchExpressions[state.range(0) - 1];
}

// Expression n (1 to 6) from -3 to 3 (a value for each) and over the standard view from
// -10 to 10 (where the sixth has poles and the answer is that the integral diverges).
void integral(benchmark::State& state, long double from, long double to) {
    Integrand f(expressionOf(state));
    const graph::Integrand evaluate = f.evaluator();
    for (auto _ : state)
        benchmark::DoNotOptimize(graph::integrate(evaluate, from, to));
    state.SetLabel(expressionOf(state));
}

void BM_Integral(benchmark::State& state) {
    integral(state, -3, 3);
}
BENCHMARK(BM_Integral)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void BM_IntegralStandardView(benchmark::State& state) {
    integral(state, -10, 10);
}
BENCHMARK(BM_IntegralStandardView)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void BM_IntegralBaseline(benchmark::State& state) {
    Integrand f(expressionOf(state));
    for (auto _ : state) {
        long double sum = 0;
        for (int k = 0; k <= 1000; ++k) {
            long double y = 0;
            if (f.f->Evaluate(-3 + k * 0.006L, y))
                sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetLabel(expressionOf(state));
}
BENCHMARK(BM_IntegralBaseline)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

// Functions without a value to ten digits use the whole allowance of work.
void BM_IntegralWild(benchmark::State& state) {
    const char* const texts[] = {"sin(1/x)", "random"};
    Integrand f(texts[state.range(0)]);
    const graph::Integrand evaluate = f.evaluator();
    for (auto _ : state)
        benchmark::DoNotOptimize(graph::integrate(evaluate, 0, 1));
    state.SetLabel(texts[state.range(0)]);
}
BENCHMARK(BM_IntegralWild)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
