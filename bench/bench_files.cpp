// Settings and documents: parsing a profile, reading the view settings and histories,
// and writing a document, on files of the usual size and on a large one.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "files/Document.h"
#include "files/Profile.h"
#include "files/ProfileLists.h"
#include "files/ViewSettingsIO.h"

namespace {

using lindor::NumberLocale;
using namespace lindor::files;

// A settings file as a long-used program leaves it: view settings, full histories,
// window positions.
std::string usualSettings() {
    Profile p;
    writeViewSettings(p, lindor::graph::ViewSettings{}, NumberLocale{});
    std::vector<std::string> history;
    for (int i = 0; i < 100; ++i)
        history.push_back("sin(" + std::to_string(i) + "x)^2 + x/" + std::to_string(i + 1));
    writeTextList(p, "FunctionCombo", "F", history);
    writeTextList(p, "IntegralCombo", "I", history);
    for (const char* window : {"MDIFrame", "RangeWindow", "LogWindow", "GraphWindow"}) {
        p.writeInteger(window, "Left", 10);
        p.writeInteger(window, "Top", 20);
        p.writeInteger(window, "Width", 300);
        p.writeInteger(window, "Height", 200);
    }
    return p.toText();
}

std::string largeProfile(std::size_t bytes) {
    std::string text;
    for (int s = 0; text.size() < bytes; ++s) {
        text += "[Section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 20; ++k)
            text += "Key" + std::to_string(k) + " = value " + std::to_string(k) + "\n";
    }
    return text;
}

void BM_ParseSettings(benchmark::State& state) {
    const std::string text = usualSettings();
    for (auto _ : state) {
        Profile p = Profile::parse(text);
        benchmark::DoNotOptimize(p);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseSettings);

void BM_ReadViewSettingsAndHistories(benchmark::State& state) {
    const Profile p = Profile::parse(usualSettings());
    for (auto _ : state) {
        lindor::graph::ViewSettings view;
        readViewSettings(p, view, NumberLocale{});
        auto functions = readTextList(p, "FunctionCombo", "F", 100);
        benchmark::DoNotOptimize(view);
        benchmark::DoNotOptimize(functions);
    }
}
BENCHMARK(BM_ReadViewSettingsAndHistories);

void BM_ParseLargeProfile(benchmark::State& state) {
    const std::string text = largeProfile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        Profile p = Profile::parse(text);
        benchmark::DoNotOptimize(p.readString("Section1", "Key3", ""));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLargeProfile)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// Updating a large profile: every key of a document written into it, then the text.
void BM_WriteDocumentKeysIntoLargeProfile(benchmark::State& state) {
    const Profile base = Profile::parse(largeProfile(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        Profile p = base;
        p.writeString("MainMode", "Mode", "F");
        writeViewSettings(p, lindor::graph::ViewSettings{}, NumberLocale{});
        writeTextList(p, "Functions", "F", {"x^2", "2x", "sin x"});
        benchmark::DoNotOptimize(p.toText());
    }
}
BENCHMARK(BM_WriteDocumentKeysIntoLargeProfile)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// Save and load of a usual document, including the flush to disk.
void BM_SaveAndLoadDocument(benchmark::State& state) {
    char folder[] = "/tmp/lindor-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/bench.LDR";
    Document doc;
    doc.range = {"-7", "7", "1", "-5", "5", "1"};
    doc.plotted = {"x^2", "2x", "sin x", "sqrt x [0; 4]"};
    for (auto _ : state) {
        saveDocument(path, doc, NumberLocale{});
        Document back;
        loadDocument(path, back, NumberLocale{});
        benchmark::DoNotOptimize(back);
    }
    ::unlink(path.c_str());
    ::rmdir(folder);
}
BENCHMARK(BM_SaveAndLoadDocument)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
