// Heap allocations made by the plug-in's own code once it runs, as the
// stand-in counts them: none while it flies with its windows open and places
// the aircraft every second; only the list box's item store while a file
// dialog is open, freed again when the dialog closes.
#include <cstdint>
#include <string>

#include "ControlPanelDriver.h"
#include "HeapInUse.h"
#include "XPLMApi.h"  // the flight loop that replays the item store

namespace {

constexpr int kF7 = 118;  // CONTROL_PANEL
constexpr int kF8 = 119;  // DATA_DISPLAY
constexpr int kF9 = 120;  // POSITION
const char* const kKeys = "[CONTROL_PANEL]\nHotKey = F7\n[DATA_DISPLAY]\nHotKey = F8\n[POSITION]\nHotKey = F9\n";
const char* const kLatitude = "sim/flightmodel/position/latitude";

// What the list box's item store allocates for a list: one object holding a
// vector of items, whose growth and whose texts too long to be kept inside
// their strings take blocks of their own. A flight loop makes one, so that it
// counts as plug-in code.
struct ItemStore {
    std::vector<std::string> texts;
};

struct StoreReplay {
    std::vector<std::string> names;
    std::uint64_t allocations = 0;
};

float buildItemStore(float, float, int, void* refcon) {
    auto* replay = static_cast<StoreReplay*>(refcon);
    const std::uint64_t before = skysim::Sim::get().pluginAllocations();
    auto* store = new ItemStore;
    for (const std::string& name : replay->names) store->texts.emplace_back(name.c_str(), name.size());
    replay->allocations = skysim::Sim::get().pluginAllocations() - before;
    delete store;
    return 0;
}

// Allocations that making the item store of a list of these names takes.
std::uint64_t itemStoreAllocations(const std::vector<std::string>& names) {
    StoreReplay replay{names};
    XPLMRegisterFlightLoopCallback(buildItemStore, -1.0f, &replay);
    skysim::Sim::get().runFrames(1);
    XPLMUnregisterFlightLoopCallback(buildItemStore, &replay);
    return replay.allocations;
}

class SteadyStateAllocations : public PanelTest {
protected:
    // The plug-in runs with both windows shown and the aircraft captured, so
    // Position is armed by its hot key; the first refreshes have run.
    void startWithWindowsOpen() {
        startWithSettings(kKeys);
        sim().tapKey(kF8, 0);
        sim().tapKey(kF7, 0);  // the panel in front, its buttons in reach
        ASSERT_TRUE(sim().widget(controlPanel()).shown);
        ASSERT_TRUE(sim().widget(dataDisplay()).shown);
        setAircraft();
        press(" Get Data");
        ASSERT_TRUE(enabled(" Position"));
        sim().advance(1.0);
    }
    // Opens the load dialog from the menu; Cancel closes it at the next flight loop.
    void openLoadDialog() { ASSERT_TRUE(sim().pickMenuItem("Load Position File")); }
    void cancelDialog() {
        press(" Cancel");
        nextFlightLoops();
        ASSERT_EQ(0, windowTitled("Load Position File"));
    }
};

TEST_F(SteadyStateAllocations, AThousandFlightLoopsWithAPlacementEverySecondAllocateNothing) {
    ASSERT_NO_FATAL_FAILURE(startWithWindowsOpen());
    const double captured = sim().getDouble(kLatitude);
    const std::uint64_t before = sim().pluginAllocations();
    // The placement loop runs every 0.1 seconds: 100 seconds make 1000 calls.
    for (int second = 0; second < 100; ++second) {
        sim().setDouble(kLatitude, captured + 1.0);
        ASSERT_EQ(1, sim().tapKey(kF9, 0));
        sim().advance(1.0);
        ASSERT_NEAR(captured, sim().getDouble(kLatitude), 1e-6) << "the placement of second " << second;
        sim().clearAccesses();
    }
    EXPECT_EQ(before, sim().pluginAllocations());
}

TEST_F(SteadyStateAllocations, PanelButtonsAndDrawingAllocateNothing) {
    ASSERT_NO_FATAL_FAILURE(startWithWindowsOpen());
    const std::uint64_t before = sim().pluginAllocations();
    for (int i = 0; i < 20; ++i) {
        press(" Get Data");
        press(" Position");
        sim().draw();
        nextFlightLoops();
    }
    EXPECT_EQ(before, sim().pluginAllocations());
}

// The capture, the rename of the last save and the write through the safe file writer.
TEST_F(SteadyStateAllocations, AutoSavesAllocateNothing) {
    startWithSettings("[CONFIG]\nAutoSaveMinutes = 0.5\n");
    setAircraft();
    const std::uint64_t before = sim().pluginAllocations();
    sim().advance(60.0);
    ASSERT_TRUE(fileExists(pluginFile("AutoSave-previous.skd"))) << "two saves";
    EXPECT_EQ(before, sim().pluginAllocations());
}

TEST_F(SteadyStateAllocations, AnEmptyLoadDialogAllocatesOnlyTheItemStore) {
    ASSERT_NO_FATAL_FAILURE(startWithWindowsOpen());
    const std::uint64_t store = itemStoreAllocations({});
    ASSERT_EQ(1u, store);
    const std::uint64_t before = sim().pluginAllocations();
    openLoadDialog();
    ASSERT_NE(0, windowTitled("Load Position File"));
    EXPECT_EQ(before + store, sim().pluginAllocations());
    cancelDialog();
    EXPECT_EQ(before + store, sim().pluginAllocations()) << "closing allocates nothing";
}

// Short names fit in their strings; a long one needs a block of its own, as
// does each growth of the item vector: the store's needs, and nothing more.
TEST_F(SteadyStateAllocations, EachListedFileAllocatesOnlyWhatTheItemStoreNeedsForIt) {
    const std::vector<std::string> names = {"A.skd", "B.skd", "Christchurch International Runway 02.skd"};
    for (const std::string& name : names) writeFile(pluginFile(name), positionFileText({}));
    ASSERT_NO_FATAL_FAILURE(startWithWindowsOpen());
    const std::uint64_t expected = itemStoreAllocations(names);
    ASSERT_GT(expected, itemStoreAllocations({"A.skd", "B.skd"})) << "the long name needs a block";
    const std::uint64_t before = sim().pluginAllocations();
    openLoadDialog();
    EXPECT_EQ(before + expected, sim().pluginAllocations());
    cancelDialog();
}

// The destroy message frees the store: many dialogs leave the heap as it was.
TEST_F(SteadyStateAllocations, ClosingTheDialogFreesTheItemStore) {
    writeFile(pluginFile("Christchurch International Runway 02.skd"), positionFileText({}));
    startWithSettings("");
    openLoadDialog();
    cancelDialog();
    const std::size_t inUse = heapInUse();
    constexpr int kDialogs = 200;
    for (int i = 0; i < kDialogs; ++i) {
        ASSERT_NO_FATAL_FAILURE(openLoadDialog());
        ASSERT_NO_FATAL_FAILURE(cancelDialog());
    }
    EXPECT_LT(heapInUse(), inUse + kDialogs * sizeof(ItemStore));
}

}  // namespace
