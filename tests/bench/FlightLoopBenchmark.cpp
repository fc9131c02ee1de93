// What the placement flight loop costs at its three kinds of call: idle, with
// the data display to refresh, and with a placement to make. The counters say
// how many simulator data calls and widget texts each kind makes; the
// stand-in's own cost is in the times, so compare them with each other rather
// than with a budget.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "TestSupport.h"
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"

namespace {

// A started application object of the benchmark's own on a fresh stand-in.
class LoopBench {
public:
    LoopBench() : app_(new PluginApp()) {
        skysim::Sim::get().reset(root_.path());
        std::memset(app_.get(), 0, sizeof(PluginApp));
        app_->placementDone = 1;
        thePluginApp = app_.get();
        app_->lookUpDataRefs();
    }
    ~LoopBench() {
        skysim::Sim::get().reset(root_.path());
        thePluginApp = nullptr;
    }
    PluginApp& app() { return *app_; }

    // Runs the loop once per iteration and reports the simulator calls of one call.
    void run(benchmark::State& state, bool placeEachTime) {
        skysim::Sim& sim = skysim::Sim::get();
        size_t calls = 0;
        int texts = 0;
        for (auto _ : state) {
            if (placeEachTime) app_->placementDone = 0;
            sim.clearAccesses();
            int textsBefore = sim.descriptorWrites();
            benchmark::DoNotOptimize(PlacementFlightLoop(0.1f, 0.1f, 1, nullptr));
            calls = sim.accesses().size();
            texts = sim.descriptorWrites() - textsBefore;
        }
        state.counters["simulator data calls"] = static_cast<double>(calls);
        state.counters["widget texts written"] = texts;
    }

private:
    TempFolder root_;
    std::unique_ptr<PluginApp> app_;
};

void IdleCall(benchmark::State& state) {
    LoopBench bench;
    bench.run(state, false);
}
BENCHMARK(IdleCall);

void DataDisplayRefresh(benchmark::State& state) {
    LoopBench bench;
    bench.app().createDataDisplay(20, 540, 350, 420);
    bench.app().dataDisplayCreated = 1;
    bench.run(state, false);
}
BENCHMARK(DataDisplayRefresh);

void Placement(benchmark::State& state) {
    LoopBench bench;
    bench.app().storedRecord.Latitude = 47.449;
    bench.app().storedRecord.Speed = 150.0f;
    bench.run(state, true);
}
BENCHMARK(Placement);

}  // namespace

BENCHMARK_MAIN();
