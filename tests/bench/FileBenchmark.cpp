// Capturing the aircraft, and the files: a position file written and loaded
// (the 23-line file a quick save writes), the settings file read.
#include "PluginBench.h"

namespace {

void Capture(benchmark::State& state) {
    PluginBench bench;
    for (auto _ : state) {
        bench.beginCall();
        bench.app().getData();
    }
    bench.reportCall(state);
}
BENCHMARK(Capture);

void WritePositionFile(benchmark::State& state) {
    PluginBench bench;
    bench.app().getData();
    bench.app().captureBeforeSave = 0;
    const std::string path = bench.pluginFile("Bench.skd");
    for (auto _ : state) benchmark::DoNotOptimize(bench.app().writePositionFile(path.c_str()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(readFile(path).size()));
}
BENCHMARK(WritePositionFile);

void LoadPositionFile(benchmark::State& state) {
    PluginBench bench;
    bench.app().quickSave(1);
    const std::string path = bench.pluginFile("QuickFile.skd");
    for (auto _ : state) {
        if (bench.app().loadPositionFile(path.c_str()) != 1) state.SkipWithError("the position file did not load");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(readFile(path).size()));
}
BENCHMARK(LoadPositionFile);

void ReadSettingsFile(benchmark::State& state) {
    PluginBench bench;
    for (auto _ : state) {
        if (!bench.app().readSettings(bench.app().settingsPath)) state.SkipWithError("the settings did not read");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(readFile(bench.app().settingsPath).size()));
}
BENCHMARK(ReadSettingsFile);

}  // namespace
