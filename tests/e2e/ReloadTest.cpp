// Reloading the plug-in: one hundred start and stop cycles in one process,
// with every window opened in between, leave the simulator as they found it:
// no widget, flight loop, hot key, command handler, menu or menu item more,
// nothing in the simulator's log, and no heap growth.
// In the sanitizer build LeakSanitizer also checks for leaks at exit.
#include "HeapInUse.h"
#include "TestSupport.h"

namespace {

const char* const kKeys = "[GET_DATA]\nHotKey = F1\n[CONTROL_PANEL]\nHotKey = F7\n[DATA_DISPLAY]\nHotKey = F8\n";

// What the simulator holds for the plug-ins: counted before, during and after a run.
struct Registrations {
    int widgets, flightLoops, hotKeys, commandHandlers, menus, menuItems;
    std::vector<std::string> pluginsMenu;

    static Registrations now() {
        skysim::Sim& sim = skysim::Sim::get();
        return {sim.widgetCount(),         sim.flightLoopCount(), static_cast<int>(sim.hotKeys().size()),
                sim.commandHandlerCount(), sim.menuCount(),       sim.menuItemCount(),
                sim.pluginsMenuItems()};
    }
    bool operator==(const Registrations& other) const {
        return widgets == other.widgets && flightLoops == other.flightLoops && hotKeys == other.hotKeys &&
               commandHandlers == other.commandHandlers && menus == other.menus && menuItems == other.menuItems &&
               pluginsMenu == other.pluginsMenu;
    }
};

std::ostream& operator<<(std::ostream& out, const Registrations& r) {
    out << r.widgets << " widgets, " << r.flightLoops << " flight loops, " << r.hotKeys << " hot keys, "
        << r.commandHandlers << " command handlers, " << r.menus << " menus, " << r.menuItems
        << " menu items; the plug-ins menu:";
    for (const std::string& item : r.pluginsMenu) out << " \"" << item << "\"";
    return out;
}

class Reload : public SimTest {
protected:
    // One run: start, every window opened as a pilot would, stop.
    Registrations runWithEveryWindowOpen() {
        EXPECT_EQ(1, sim().start());
        runStartup();
        for (const char* item : {"Control Panel", "Data Display", "Load Position File", "Quick Load File"}) {
            EXPECT_TRUE(sim().pickMenuItem(item)) << item;
        }
        sim().tapKey(kF1, 0);
        EXPECT_TRUE(sim().commandOnce("skyplacer/toggle_data_display"));
        sim().draw();
        sim().advance(0.5);
        EXPECT_EQ(4u, sim().roots().size()) << "panel, display, file dialog and message window";
        Registrations running = Registrations::now();
        sim().stop();
        sim().clearAccesses();
        return running;
    }

    static constexpr int kF1 = 112;
};

TEST_F(Reload, AHundredCyclesWithTheWindowsOpenLeaveNothingBehind) {
    writeFile(pluginFile("SkyPlacer.ini"), kKeys);
    writeFile(pluginFile("Home.skd"), "");
    const Registrations idle = Registrations::now();
    const Registrations firstRun = runWithEveryWindowOpen();
    ASSERT_EQ(idle, Registrations::now());
    EXPECT_EQ(3, firstRun.hotKeys);
    EXPECT_EQ(2, firstRun.flightLoops);
    EXPECT_EQ(10, firstRun.commandHandlers);
    EXPECT_EQ(std::vector<std::string>{"Sky Placer"}, firstRun.pluginsMenu);
    // The simulator's records take a few runs to reach their full capacity;
    // after that, a block leaked by each run would show.
    constexpr int kRuns = 100;
    constexpr int kSettlingRuns = 30;
    std::size_t settledHeap = 0;
    for (int run = 2; run <= kRuns; ++run) {
        ASSERT_EQ(firstRun, runWithEveryWindowOpen()) << "run " << run;
        ASSERT_EQ(idle, Registrations::now()) << "after run " << run;
        if (run == kSettlingRuns) settledHeap = heapInUse();
    }
    EXPECT_LT(heapInUse(), settledHeap + (kRuns - kSettlingRuns) * sizeof(void*));
    EXPECT_EQ("", sim().simLog());
}

}  // namespace
