// Number text and translation lookups: the conversions every table line, scale text and
// dialog box goes through.
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

#include "lang/Language.h"
#include "util/NumberText.h"

namespace {

const lindor::NumberLocale kLocale{'.', ','};

std::vector<long double> sampleValues() {
    std::vector<long double> values;
    long double v = 1.0L / 3.0L;
    for (int i = 0; i < 64; ++i) {
        values.push_back(i % 2 ? v : -v);
        v *= 7.3L;
        if (v > 1e12L)
            v = 1.0L / (v * 1e3L);
    }
    return values;
}

void BM_FormatGeneral(benchmark::State& state) {
    const int precision = static_cast<int>(state.range(0));
    const std::vector<long double> values = sampleValues();
    for (auto _ : state) {
        for (long double v : values)
            benchmark::DoNotOptimize(lindor::formatGeneral(v, precision, kLocale));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}
BENCHMARK(BM_FormatGeneral)->Arg(3)->Arg(10)->Arg(15);

void BM_ParseNumber(benchmark::State& state) {
    std::vector<std::string> texts;
    for (long double v : sampleValues())
        texts.push_back(lindor::formatGeneral(v, 15, kLocale));
    for (auto _ : state) {
        for (const std::string& t : texts)
            benchmark::DoNotOptimize(lindor::parseNumber(t, kLocale));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(BM_ParseNumber);

// A lookup scans the keys in file order; the last key of the built-in table is the worst case.
void BM_TranslateLastKey(benchmark::State& state) {
    const lindor::lang::Language& english = lindor::lang::builtinEnglish();
    const std::string key = english.keys().back();
    std::string text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(english.Translate(key, text));
    }
}
BENCHMARK(BM_TranslateLastKey);

} // namespace

BENCHMARK_MAIN();
