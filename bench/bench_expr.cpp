// Speed of the expression engine: Evaluate (generated machine code) and the interpreter
// against the same expressions written as plain C++, and the costs of Derivative and
// Compile.
#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "BenchExpressions.h"
#include "expr/FuncEval.h"

namespace {

using lindor::expr::EngineContext;
using lindor::expr::TFunction;
using lindor::expr::TFunctionDB;

// Expression n (1 to 6) of the shared list.
const char* expression(long n) {
    return lindor::bench::kBenchExpressions[n - 1];
}

constexpr int kPoints = 1000;
// The constant e as the function text writes it (15 significant digits).
constexpr long double kE15 = 2.71828182845905L;

std::vector<long double> samples() {
    std::vector<long double> xs(kPoints);
    for (int i = 0; i < kPoints; ++i)
        xs[static_cast<std::size_t>(i)] = -10 + 20.0L * i / (kPoints - 1);
    return xs;
}

bool finite(long double v) {
    return std::fabs(v) <= std::numeric_limits<long double>::max();
}

// The six expressions by hand, with whole powers as multiplications.
bool native(int n, long double x, long double& y) {
    long double v = 0;
    switch (n) {
    case 1:
        v = x;
        break;
    case 2:
        v = 2 * (x * x) - 3;
        break;
    case 3:
        v = std::sin(3 * x) * std::cos(x) + x * x * x / 7;
        break;
    case 4: {
        const long double a = std::fabs(x);
        if (a <= 0)
            return false;
        v = std::sqrt(a) + std::log(x * x + 1) - std::pow(kE15, -(x * x));
        break;
    }
    case 5:
        v = ((x + 1) * (x - 1)) / (x * x + 2 * x + 5) + std::atan(x);
        break;
    case 6: {
        const long double x2 = x * x;
        v = x2 * x2 * x - 4 * (x2 * x2) + 3 * (x2 * x) - 2 * x2 + x - 1 +
            std::sin(x) * std::cos(2 * x) * std::tan(x / 3) + std::sqrt(x2 + 1);
        break;
    }
    default:
        break;
    }
    if (!finite(v))
        return false;
    y = v;
    return true;
}

// Evaluate of expression n at the sample points; `machineCode` false makes the engine
// interpret the operation list.
void evaluateAll(benchmark::State& state, bool machineCode) {
    EngineContext context;
    context.generateCode = machineCode;
    TFunctionDB db(context);
    TFunction& f = db.Get(db.Add());
    std::string error;
    if (!f.Compile(expression(state.range(0)), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::vector<long double> xs = samples();
    for (auto _ : state) {
        long double sum = 0;
        for (long double x : xs) {
            long double y = 0;
            if (f.Evaluate(x, y))
                sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_Evaluate(benchmark::State& state) {
    evaluateAll(state, true);
}
BENCHMARK(BM_Evaluate)->DenseRange(1, 6);

void BM_Interpret(benchmark::State& state) {
    evaluateAll(state, false);
}
BENCHMARK(BM_Interpret)->DenseRange(1, 6);

void BM_Native(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<long double> xs = samples();
    for (auto _ : state) {
        long double sum = 0;
        for (long double x : xs) {
            benchmark::DoNotOptimize(x);
            long double y = 0;
            if (native(n, x, y))
                sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Native)->DenseRange(1, 6);

// Derivative at 1000 points of expressions 2 and 3.
void BM_Derivative(benchmark::State& state) {
    EngineContext context;
    TFunctionDB db(context);
    TFunction& f = db.Get(db.Add());
    std::string error;
    f.Compile(expression(state.range(0)), error);
    const std::vector<long double> xs = samples();
    for (auto _ : state) {
        long double sum = 0;
        for (long double x : xs) {
            long double y = 0;
            if (f.Derivative(x, y))
                sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Derivative)->Arg(2)->Arg(3);

void BM_Compile(benchmark::State& state) {
    EngineContext context;
    TFunctionDB db(context);
    TFunction f(db);
    const std::string text = expression(state.range(0));
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(f.Compile(text, error));
    }
}
BENCHMARK(BM_Compile)->Arg(2)->Arg(6);

// Texts of about 1 MB: 0 a long sum, 1 products and quotients, 2 functions and powers,
// 3 a chain of 200 functions over a long number (fails), 4 x times 1 MB (too deep, fails).
std::string longText(int kind) {
    const std::size_t size = 1000000;
    std::string text;
    switch (kind) {
    case 0:
        while (text.size() < size)
            text += "x+";
        return text + "1";
    case 1:
        while (text.size() < size)
            text += "x*x/";
        return text + "2";
    case 2:
        while (text.size() < size)
            text += "sin(x)^2*cos(2x)-";
        return text + "1";
    case 3:
        return std::string(200, 's') + "x" + std::string(size, '2');
    default:
        return std::string(size, 'x');
    }
}

void BM_CompileLong(benchmark::State& state) {
    EngineContext context;
    TFunctionDB db(context);
    TFunction f(db);
    const std::string text = longText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(f.Compile(text, error));
    }
}
BENCHMARK(BM_CompileLong)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
