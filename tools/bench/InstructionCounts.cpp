// Counts the instructions the plug-in module runs in five places, under
// valgrind --tool=callgrind --collect-atstart=no: the idle placement-loop call
// (the auto-save on, none due), a placement-loop call that refreshes the data
// display, loading the 23-line quick file by its hot key, the placement-loop
// call that settles the aircraft after a placement, and the placement-loop
// call that auto-saves. The stand-in switches collection on
// exactly while the plug-in's code runs (its own functions left out), and
// each region ends with a callgrind dump named "<region> calls=<n>
// allocations=<n>", which
// tools/bench/instruction-counts.sh reads back and divides.
//
// Usage: instruction_counts [MODULE]   (the build's lin.xpl by default)
#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

// The pilot's sample settings, logging on, an auto-save once a day (so none
// falls in the regions but the auto-save's own); quick save and quick load on F5 and F6.
constexpr const char* kSettings =
    "[DEBUG]\nLogFile = 1\nDebugView = 0\n\n"
    "[CONFIG]\nAutoStart = 0\nDefaultSKDFileName = QuickFile.skd\nAutoSaveMinutes = 1440\n\n"
    "[QUICK_SAVE]\nHotKey = F5\nHotKeyModifiers = Shift + Control\n\n"
    "[QUICK_LOAD]\nHotKey = F6\nHotKeyModifiers = Shift + Control\n";
constexpr int kF5 = 116;
constexpr int kF6 = 117;
constexpr int kShiftControl = 1 | 4;

constexpr int kFramesPerLoopCall = 2;  // the placement loop runs every 0.1 s, frames are 0.05 s
constexpr int kIdleCalls = 1000;
constexpr int kRefreshCalls = 100;
constexpr int kLoads = 20;
constexpr int kSettles = 50;
constexpr int kAutoSaves = 20;
constexpr const char* kFlightClock = "sim/time/total_flight_time_sec";
constexpr const char* kParsed = "skd file parsing successful";  // logged by each successful load

// Counts what the plug-in runs in `region`, then dumps the count under its
// name, with the heap allocations its code made meanwhile.
template <typename Region>
void count(const char* name, int calls, Region region) {
    skysim::Sim& sim = skysim::Sim::get();
    const std::uint64_t allocationsBefore = sim.pluginAllocations();
    sim.countPluginInstructions(true);
    region();
    sim.countPluginInstructions(false);
    const unsigned long long allocations = sim.pluginAllocations() - allocationsBefore;
    char label[96];
    (void)std::snprintf(label, sizeof label, "%s calls=%d allocations=%llu", name, calls, allocations);
    CALLGRIND_DUMP_STATS_AT(label);
    std::printf("%s\n", label);
}

bool fail(const char* why) {
    (void)std::fprintf(stderr, "instruction_counts: %s\n", why);
    return false;
}

int writesTo(const char* name) {
    const std::vector<skysim::DataAccess>& accesses = skysim::Sim::get().accesses();
    return static_cast<int>(std::count_if(accesses.begin(), accesses.end(), [name](const skysim::DataAccess& access) {
        return access.name == name && access.kind == skysim::DataAccess::SetVF;
    }));
}

// Asks for a placement and runs frames until the loop call that places; the
// next loop call, two frames on, settles.
bool placeOnce() {
    skysim::Sim& sim = skysim::Sim::get();
    sim.clearAccesses();
    if (!sim.pickMenuItem("Position")) return false;
    for (int frame = 0; frame < kFramesPerLoopCall && writesTo("sim/flightmodel/position/q") == 0; ++frame) {
        sim.runFrames(1);
    }
    return writesTo("sim/flightmodel/position/q") == 1;
}

bool run(const std::string& module) {
    TempFolder root;
    skysim::Sim& sim = skysim::Sim::get();
    sim.reset(root.path());
    std::filesystem::create_directories(sim.pluginFolder());
    writeFile(sim.pluginFolder() + "SkyPlacer.ini", kSettings);
    std::string error;
    if (!sim.load(module, &error)) return fail(error.c_str());
    if (sim.start() != 1) return fail("the plug-in did not start");
    sim.advance(1.2);  // past the deferred start-up
    setAircraftState(aircraftInFlight());
    CALLGRIND_DUMP_STATS_AT("start-up");

    count("idle", kIdleCalls, [&] { sim.runFrames(kIdleCalls * kFramesPerLoopCall); });

    if (!sim.pickMenuItem("Data Display")) return fail("no Data Display menu item");
    sim.runFrames(kFramesPerLoopCall);  // the first refresh fills the display
    const int writesBefore = sim.descriptorWrites();
    sim.runFrames(kFramesPerLoopCall);
    const int writesPerRefresh = sim.descriptorWrites() - writesBefore;
    if (writesPerRefresh == 0) return fail("the data display was not refreshed");
    const int refreshedBefore = sim.descriptorWrites();
    count("refresh", kRefreshCalls, [&] { sim.runFrames(kRefreshCalls * kFramesPerLoopCall); });
    if (sim.descriptorWrites() - refreshedBefore != kRefreshCalls * writesPerRefresh) {
        return fail("the refresh region did not refresh once per loop call");
    }
    if (!sim.pickMenuItem("Data Display")) return fail("no Data Display menu item");  // closed again

    if (sim.tapKey(kF5, kShiftControl) != 1) return fail("no quick-save hot key");
    const std::string quickFile = readFile(sim.pluginFolder() + "QuickFile.skd");
    const long lines = std::count(quickFile.begin(), quickFile.end(), '\n');
    std::printf("QuickFile.skd: %ld lines\n", lines);
    bool allLoaded = true;
    count("load", kLoads, [&] {
        for (int i = 0; i < kLoads; ++i) allLoaded = sim.tapKey(kF6, kShiftControl) == 1 && allLoaded;
    });
    if (!allLoaded) return fail("the quick-load hot key did not fire");
    const std::string log = readFile(sim.pluginFolder() + "SkyPlacerLog.txt");
    int parsed = 0;
    for (size_t at = log.find(kParsed); at != std::string::npos; at = log.find(kParsed, at + 1)) ++parsed;
    if (parsed != kLoads) return fail("the quick file did not load every time");

    // A new run of the plug-in, whose data display was never opened (once it has
    // been, every loop call refreshes it) and whose panel was not open in the
    // regions above. A capture with the panel open enables Position.
    sim.stop();
    if (sim.start() != 1) return fail("the plug-in did not start again");
    sim.advance(1.2);
    if (!sim.pickMenuItem("Control Panel") || !sim.pickMenuItem("Get Data"))
        return fail("no Control Panel or Get Data");
    bool allSettled = true;
    count("settle", kSettles, [&] {
        for (int i = 0; i < kSettles; ++i) {
            sim.countPluginInstructions(false);
            allSettled = placeOnce() && allSettled;
            sim.countPluginInstructions(true);
            sim.runFrames(kFramesPerLoopCall);
            allSettled = writesTo("sim/flightmodel/position/q") == 2 && allSettled;
        }
    });
    if (!allSettled) return fail("a placement was not settled at the next loop call");

    // A run with an auto-save every half minute. Before each counted loop call
    // the flight clock is moved on by the interval (uncounted), so that call
    // saves; the file found in AutoSave-previous.skd shows that it did.
    sim.stop();
    writeFile(sim.pluginFolder() + "SkyPlacer.ini", std::string(kSettings) + "[CONFIG]\nAutoSaveMinutes = 0.5\n");
    if (sim.start() != 1) return fail("the plug-in did not start a third time");
    sim.advance(1.2);
    const std::string saved = sim.pluginFolder() + "AutoSave.skd";
    const std::string previous = sim.pluginFolder() + "AutoSave-previous.skd";
    bool allSaved = true;
    count("autosave", kAutoSaves, [&] {
        for (int i = 0; i < kAutoSaves; ++i) {
            sim.countPluginInstructions(false);
            writeFile(saved, "the save before");
            sim.setFloat(kFlightClock, sim.getFloat(kFlightClock) + 30.0f);
            sim.countPluginInstructions(true);
            sim.runFrames(kFramesPerLoopCall);
            allSaved = readFile(previous) == "the save before" && allSaved;
        }
    });
    if (!allSaved) return fail("a loop call did not auto-save");

    sim.stop();
    sim.reset(root.path());
    return true;
}

}  // namespace

int main(int argc, char** argv) { return run(argc > 1 ? argv[1] : SKYPLACER_MODULE_PATH) ? 0 : 1; }
