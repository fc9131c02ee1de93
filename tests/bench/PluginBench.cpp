// The benchmarks' fixture and the position-file folders of the dialog's benchmarks.
#include "PluginBench.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

PluginBench::PluginBench(const std::string& root) : app_(new PluginApp()) {
    if (root.empty()) ownRoot_.reset(new TempFolder());
    skysim::Sim& sim = skysim::Sim::get();
    sim.reset(root.empty() ? ownRoot_->path() : root);
    std::filesystem::create_directories(sim.pluginFolder());
    std::filesystem::copy_file(SKYPLACER_SOURCE_DIR "/resources/SkyPlacer.ini", pluginFile("SkyPlacer.ini"),
                               std::filesystem::copy_options::overwrite_existing);
    setAircraftState(aircraftInFlight());

    std::memset(app_.get(), 0, sizeof(PluginApp));
    thePluginApp = app_.get();
    char name[256], signature[256], description[256];
    app_->start(name, signature, description);
}

PluginBench::~PluginBench() {
    app_->stop();
    thePluginApp = nullptr;
    skysim::Sim& sim = skysim::Sim::get();
    sim.reset(sim.rootPath());
}

std::string PluginBench::pluginFile(const std::string& name) const { return skysim::Sim::get().pluginFolder() + name; }

void PluginBench::beginCall() {
    skysim::Sim& sim = skysim::Sim::get();
    sim.clearAccesses();
    descriptorWritesBefore_ = sim.descriptorWrites();
}

void PluginBench::reportCall(benchmark::State& state) const {
    const skysim::Sim& sim = skysim::Sim::get();
    state.counters["data calls"] = static_cast<double>(sim.accesses().size());
    state.counters["widget texts"] = sim.descriptorWrites() - descriptorWritesBefore_;
}

const std::string& rootWithPositionFiles(int count) {
    static std::map<int, std::unique_ptr<TempFolder>> roots;
    std::unique_ptr<TempFolder>& root = roots[count];
    if (!root) {
        root.reset(new TempFolder());
        const std::string folder = root->path() + "/Resources/plugins/SkyPlacer/";
        std::filesystem::create_directories(folder);
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Flight%05d.skd", i);
            writeFile(folder + name, "[CONFIG]\nUse_AutoPilot_Data = 0\n");
        }
        writeFile(folder + "SkyPlacerLog.txt", "");
        writeFile(folder + "Notes.txt", "");
    }
    return root->path();
}
