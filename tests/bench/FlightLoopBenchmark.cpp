// The placement flight loop at its three kinds of call: idle, with the data
// display to refresh, and with a placement to make.
#include "PluginBench.h"
#include "plugin/Callbacks.h"

namespace {

void runLoop(benchmark::State& state, PluginBench& bench, bool placeEachTime) {
    for (auto _ : state) {
        if (placeEachTime) bench.app().placementDone = 0;
        bench.beginCall();
        benchmark::DoNotOptimize(PlacementFlightLoop(0.1f, 0.05f, 1, nullptr));
    }
    bench.reportCall(state);
}

void IdleFlightLoopCall(benchmark::State& state) {
    PluginBench bench;
    runLoop(state, bench, false);
}
BENCHMARK(IdleFlightLoopCall);

void DataDisplayRefresh(benchmark::State& state) {
    PluginBench bench;
    bench.app().getData();
    bench.app().showDataDisplay();
    runLoop(state, bench, false);
}
BENCHMARK(DataDisplayRefresh);

void Placement(benchmark::State& state) {
    PluginBench bench;
    bench.app().getData();
    runLoop(state, bench, true);
}
BENCHMARK(Placement);

}  // namespace
