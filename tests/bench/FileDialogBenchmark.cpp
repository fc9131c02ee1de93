// Opening the load dialog on folders of 10, 1,000 and 10,000 position files:
// the folder listed, each position file added to the list. Closing it, through
// the flight loop as a Cancel does, is left out of the time.
#include "PluginBench.h"

namespace {

void OpenLoadDialog(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    PluginBench bench(rootWithPositionFiles(files));
    PluginApp& app = bench.app();
    for (auto _ : state) {
        bench.beginCall();
        app.openLoadDialog();
        state.PauseTiming();
        bench.reportCall(state);
        app.fileDialogCloseRequested = 1;
        app.placementLoop(0.1f, 0.05f, 1, nullptr);
        state.ResumeTiming();
    }
    state.counters["files"] = files;
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(OpenLoadDialog)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
