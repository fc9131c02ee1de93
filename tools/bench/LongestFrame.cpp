// The longest frame of the simulator while the plug-in saves: the built module
// on the stand-in, 0.05 s frames, an auto-save each minute of flight
// (AutoSaveMinutes = 1), a Quick Save from the menu and a save from the save
// dialog each minute between them, for MINUTES minutes of simulated time. A
// frame's time is the wall time of the pilot's actions in it and of the
// frame's calls into the plug-in; the frames are paced at 0.05 s of wall
// time, as the simulator's, and the stand-in does not wait for the plug-in's
// threads meanwhile (Sim::waitForPluginThreads), as the simulator does not.
// Run it under tools/bench/longest-frame.sh, which slows every flush.
//
// Usage: longest_frame [MODULE] [MINUTES]   (the build's lin.xpl, 3 minutes)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"

namespace {

constexpr double kFrameSeconds = 0.05;
constexpr std::chrono::milliseconds kFrame{50};
constexpr int kFramesPerMinute = 1200;
constexpr int kQuickSaveFrame = 400;   // 20 s into each minute
constexpr int kDialogOpenFrame = 800;  // 40 s
constexpr int kDialogOkFrame = 810;    // half a second later

// The save dialog's name field, or 0 when no save dialog is shown.
skysim::WidgetId saveDialogNameField(skysim::Sim& sim) {
    for (skysim::WidgetId window : sim.roots()) {
        if (sim.widget(window).descriptor != "Save Position File") continue;
        for (skysim::WidgetId child : sim.children(window)) {
            if (sim.widget(child).widgetClass == skysim::TextField) return child;
        }
    }
    return 0;
}

bool fail(const char* why) {
    (void)std::fprintf(stderr, "longest_frame: %s\n", why);
    return false;
}

bool run(const std::string& module, int minutes) {
    TempFolder root;
    skysim::Sim& sim = skysim::Sim::get();
    sim.reset(root.path());
    std::filesystem::create_directories(sim.pluginFolder());
    writeFile(sim.pluginFolder() + "SkyPlacer.ini", "[CONFIG]\nAutoSaveMinutes = 1\n");
    std::string error;
    if (!sim.load(module, &error)) return fail(error.c_str());
    if (sim.start() != 1) return fail("the plug-in did not start");
    sim.advance(1.2);
    setAircraftState(aircraftInFlight());
    sim.waitForPluginThreads(false);

    std::vector<double> frames;  // milliseconds
    int dialogSaves = 0;
    for (int frame = 0; frame < minutes * kFramesPerMinute; ++frame) {
        const int inMinute = frame % kFramesPerMinute;
        const auto start = std::chrono::steady_clock::now();
        if (inMinute == kQuickSaveFrame && !sim.pickMenuItem("Quick Save File")) return fail("no Quick Save");
        if (inMinute == kDialogOpenFrame && !sim.pickMenuItem("Save Position File")) return fail("no save dialog");
        if (inMinute == kDialogOkFrame) {
            const skysim::WidgetId field = saveDialogNameField(sim);
            if (field == 0) return fail("the save dialog is not shown");
            sim.typeInto(field, "Dialog" + std::to_string(++dialogSaves));
            if (!sim.clickButton(" OK")) return fail("no OK in the save dialog");
        }
        sim.runFrames(1);
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        std::this_thread::sleep_until(start + kFrame);  // the simulator's frames take their time
    }
    sim.waitForPluginThreads(true);
    sim.stop();

    const std::string folder = sim.pluginFolder();
    const std::vector<std::string> saved = {"AutoSave.skd", "AutoSave-previous.skd", "QuickFile.skd"};
    if (!std::all_of(saved.begin(), saved.end(), [&](const std::string& name) { return fileExists(folder + name); })) {
        return fail("a save was not written");
    }
    for (int i = 1; i <= dialogSaves; ++i) {
        if (!fileExists(folder + "Dialog" + std::to_string(i) + ".skd")) return fail("a dialog save was not written");
    }
    const std::vector<double> all = frames;
    std::sort(frames.begin(), frames.end());
    const auto longest = std::max_element(all.begin(), all.end());
    std::printf("%zu frames of %.2f s (%d min), %d auto-saves, %d Quick Saves, %d dialog saves\n", all.size(),
                kFrameSeconds, minutes, minutes, minutes, dialogSaves);
    std::printf("longest frame %.3f ms (at %.2f s)   99.9%% %.3f ms   median %.3f ms\n", *longest,
                static_cast<double>(longest - all.begin()) * kFrameSeconds, frames[frames.size() * 999 / 1000],
                frames[frames.size() / 2]);
    sim.reset(root.path());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string module = argc > 1 ? argv[1] : SKYPLACER_MODULE_PATH;
    const int minutes = argc > 2 ? static_cast<int>(std::clamp(std::strtol(argv[2], nullptr, 10), 2L, 600L)) : 3;
    return run(module, minutes) ? 0 : 1;
}
