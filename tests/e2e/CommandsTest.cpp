// The eight commands through the real module: every hot key, menu item and
// simulator command reaches its action, anything else is ignored, and the
// two windows are built once and then shown and hidden.
#include <tuple>

#include "FlightTestSupport.h"

namespace {

using namespace flighttest;

const char* const kMenuTexts[] = {"Get Data",        "Load Position File", "Save Position File", "Quick Load File",
                                  "Quick Save File", "Position",           "Control Panel",      "Data Display"};

// The control panel's Latitude field, the first of its seventeen.
std::string panelLatitude() {
    std::vector<WidgetInfo> fields = childrenOf(controlPanel(), skysim::TextField);
    return fields.empty() ? std::string("(no panel fields)") : fields[0].descriptor;
}

class CommandsTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        sim().setDouble("sim/flightmodel/position/latitude", 12.5);
    }
    void startWithAllHotKeys() {
        writeFile(pluginFile("SkyPlacer.ini"), allHotKeysIni());
        startPlugin();
        runStartup();
    }
    void pressCommand(int command) { EXPECT_EQ(1, sim().tapKey(hotKeyOf(command), 0)) << command; }
};

// --- every route reaches its action ---

enum class Route { HotKey, Menu, SimulatorCommand };

class CommandRouteTest : public CommandsTest, public ::testing::WithParamInterface<std::tuple<Route, int>> {
protected:
    void run(int command) {
        switch (std::get<0>(GetParam())) {
            case Route::HotKey:
                pressCommand(command);
                break;
            case Route::Menu:
                EXPECT_TRUE(sim().pickMenuItem(kMenuTexts[command])) << command;
                break;
            case Route::SimulatorCommand:
                EXPECT_TRUE(sim().commandOnce(commandName(command))) << command;
                break;
        }
    }
};

TEST_P(CommandRouteTest, RunsItsAction) {
    const int command = std::get<1>(GetParam());
    startWithAllHotKeys();
    switch (command) {
        case GET_DATA:
            run(command);
            EXPECT_EQ(0, windowCount());  // no panel yet: only storedRecord changes
            sim().pickMenuItem("Control Panel");
            EXPECT_EQ("12.500000", panelLatitude());
            break;
        case LOAD:
        case SAVE:
            run(command);
            EXPECT_NE(0, fileDialog());
            break;
        case QUICK_LOAD:
            writeFile(pluginFile("QuickFile.skd"), "[POSITION_DATA]\nLatitude = 33.5\n");
            run(command);
            sim().pickMenuItem("Control Panel");
            EXPECT_EQ("33.500000", panelLatitude());
            break;
        case QUICK_SAVE:
            run(command);
            EXPECT_NE(std::string::npos, pluginText("QuickFile.skd").find("Latitude = 12.500000\n"));
            break;
        case POSITION:
            sim().pickMenuItem("Control Panel");
            sim().pickMenuItem("Get Data");
            sim().clearAccesses();
            run(command);
            sim().advance(0.15);
            EXPECT_EQ(1, placementCount());
            break;
        case CONTROL_PANEL:
            run(command);
            EXPECT_TRUE(isShown(controlPanel()));
            EXPECT_EQ(1, windowCount());
            break;
        case DATA_DISPLAY:
            run(command);
            EXPECT_TRUE(isShown(dataDisplay()));
            EXPECT_EQ(1, windowCount());
            break;
    }
}

std::string routeAndCommand(const ::testing::TestParamInfo<std::tuple<Route, int>>& info) {
    static const char* const routes[] = {"HotKey", "Menu", "SimulatorCommand"};
    return routes[static_cast<int>(std::get<0>(info.param))] + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandRouteTest,
                         ::testing::Combine(::testing::Values(Route::HotKey, Route::Menu, Route::SimulatorCommand),
                                            ::testing::Range(0, 8)),
                         routeAndCommand);

TEST_F(CommandsTest, HotKeysRegisterWithTheirCommandNumbers) {
    startWithAllHotKeys();
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(8u, keys.size());
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(hotKeyOf(i), keys[i].key);
        EXPECT_EQ("0" + std::to_string(i), keys[i].description);
    }
}

TEST_F(CommandsTest, SaveCommandWritesTheAircraftAsItIsAtTheTimeOfWriting) {
    startWithAllHotKeys();
    pressCommand(GET_DATA);  // stored latitude 12.5
    sim().setDouble("sim/flightmodel/position/latitude", 13.75);
    pressCommand(SAVE);
    std::vector<WidgetInfo> fields = childrenOf(fileDialog(), skysim::TextField);
    ASSERT_EQ(1u, fields.size());
    ASSERT_TRUE(sim().typeInto(fields[0].id, "HotSave"));
    ASSERT_TRUE(sim().clickButton(" OK"));
    EXPECT_NE(std::string::npos, pluginText("HotSave.skd").find("Latitude = 13.750000\n"));
}

// --- what is not a command ---

TEST_F(CommandsTest, UnknownMenuItemsDoNothing) {
    startWithAllHotKeys();
    sim().clearAccesses();
    static const char* const unknown[] = {"Unknown", "control panel", "Position ", " Get Data", "Get", ""};
    for (const char* text : unknown) {
        EXPECT_TRUE(sim().pickMenuItemRef("Sky Placer", const_cast<char*>(text))) << text;
    }
    EXPECT_TRUE(sim().pickMenuItemRef("Sky Placer", nullptr));
    sim().advance(1.0);
    EXPECT_TRUE(sim().accesses().empty());
    EXPECT_EQ(0, sim().widgetCount());
    EXPECT_FALSE(fileExists(pluginFile("QuickFile.skd")));
}

TEST_F(CommandsTest, UnboundKeysDoNothing) {
    startWithAllHotKeys();
    sim().clearAccesses();
    EXPECT_EQ(0, sim().tapKey(hotKeyOf(8), 0));  // F9: bound to nothing
    EXPECT_EQ(0, sim().tapKey(hotKeyOf(0), 1));  // F1 with Shift: another binding
    sim().advance(0.5);
    EXPECT_TRUE(sim().accesses().empty());
    EXPECT_EQ(0, sim().widgetCount());
}

// The hot-key handler receives only the references the plug-in registered;
// one that names no command must do nothing, "xx" included (read by
// its leading digits it would be 0, Get Data).
TEST_F(CommandsTest, HotKeyReferencesNamingNoCommandDoNothing) {
    startWithAllHotKeys();
    sim().clearAccesses();
    for (const char* reference : {"10", "xx", "", "-1", "99"}) {
        ASSERT_TRUE(sim().callHotKeyWithReference(hotKeyOf(0), kDownFlag, const_cast<char*>(reference))) << reference;
    }
    sim().advance(0.5);
    EXPECT_TRUE(sim().accesses().empty());
    EXPECT_EQ(0, sim().widgetCount());
    EXPECT_FALSE(fileExists(pluginFile("QuickFile.skd")));
}

// --- the POSITION gate ---

TEST_F(CommandsTest, PositionBeforeAnyPanelDoesNothing) {
    startWithAllHotKeys();
    sim().clearAccesses();
    pressCommand(POSITION);
    sim().pickMenuItem("Position");
    sim().advance(1.0);
    EXPECT_TRUE(sim().accesses().empty());
    EXPECT_EQ(0, sim().widgetCount());
}

TEST_F(CommandsTest, PositionWithTheButtonGreyedDoesNothing) {
    startWithAllHotKeys();
    sim().pickMenuItem("Control Panel");  // no data yet: " Position" is disabled
    sim().clearAccesses();
    pressCommand(POSITION);
    sim().pickMenuItem("Position");
    sim().advance(1.0);
    EXPECT_EQ(0, placementCount());
}

TEST_F(CommandsTest, PositionPlacesTheHeldRecordNotTheTypedFields) {
    startWithAllHotKeys();
    sim().pickMenuItem("Control Panel");
    pressCommand(GET_DATA);
    sim().clearAccesses();
    pressCommand(POSITION);
    sim().advance(0.15);
    std::vector<DataAccess> before = writesTo("sim/flightmodel/position/local_z");
    ASSERT_EQ(1u, before.size());

    ASSERT_TRUE(sim().typeInto(childrenOf(controlPanel(), skysim::TextField).at(0).id, "20.0"));
    sim().clearAccesses();
    pressCommand(POSITION);
    sim().advance(0.15);
    std::vector<DataAccess> after = writesTo("sim/flightmodel/position/local_z");
    ASSERT_EQ(1u, after.size());
    EXPECT_EQ(before[0].value, after[0].value);

    // The panel's own button reads the fields first.
    sim().clearAccesses();
    ASSERT_TRUE(sim().clickButton(" Position"));
    sim().advance(0.15);
    std::vector<DataAccess> typed = writesTo("sim/flightmodel/position/local_z");
    ASSERT_EQ(1u, typed.size());
    EXPECT_NE(before[0].value, typed[0].value);
}

// --- the two windows: built once, then shown and hidden ---

struct ToggledWindow {
    int command;
    WidgetId (*find)();  // by its title
};

class WindowToggleTest : public CommandsTest, public ::testing::WithParamInterface<ToggledWindow> {};

TEST_P(WindowToggleTest, HotKeyBuildsThenHidesThenShows) {
    startWithAllHotKeys();
    pressCommand(GetParam().command);
    WidgetId window = GetParam().find();
    ASSERT_NE(0, window);
    EXPECT_TRUE(isShown(window));
    pressCommand(GetParam().command);
    EXPECT_TRUE(sim().exists(window));
    EXPECT_FALSE(isShown(window));
    pressCommand(GetParam().command);
    EXPECT_TRUE(isShown(window));
    EXPECT_EQ(window, GetParam().find());
    EXPECT_EQ(1, windowCount());
}

INSTANTIATE_TEST_SUITE_P(BothWindows, WindowToggleTest,
                         ::testing::Values(ToggledWindow{CONTROL_PANEL, controlPanel},
                                           ToggledWindow{DATA_DISPLAY, dataDisplay}));

TEST_F(CommandsTest, MenuOnlyShowsAndTheNextHotKeyHides) {
    startWithAllHotKeys();
    sim().pickMenuItem("Control Panel");
    sim().pickMenuItem("Control Panel");
    WidgetId panel = controlPanel();
    EXPECT_TRUE(isShown(panel));
    pressCommand(CONTROL_PANEL);
    EXPECT_FALSE(isShown(panel));
    sim().pickMenuItem("Control Panel");  // shows the hidden panel again
    EXPECT_TRUE(isShown(panel));
    EXPECT_EQ(1, windowCount());

    sim().pickMenuItem("Data Display");
    WidgetId display = dataDisplay();
    pressCommand(DATA_DISPLAY);
    EXPECT_FALSE(isShown(display));
    sim().pickMenuItem("Data Display");
    EXPECT_TRUE(isShown(display));
    EXPECT_EQ(2, windowCount());
}

TEST_F(CommandsTest, HotKeyShowsAPanelClosedWithItsCloseBox) {
    startWithAllHotKeys();
    pressCommand(CONTROL_PANEL);
    WidgetId panel = controlPanel();
    sim().clickCloseBox(panel);
    EXPECT_FALSE(isShown(panel));
    pressCommand(CONTROL_PANEL);
    EXPECT_TRUE(isShown(panel));
}

TEST_F(CommandsTest, FirstHotKeyAfterAnAutoStartedPanelKeepsItShown) {
    writeFile(pluginFile("SkyPlacer.ini"),
              allHotKeysIni() + "[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = None.skd\n");
    startPlugin();
    runStartup();
    WidgetId panel = controlPanel();
    ASSERT_TRUE(isShown(panel));
    pressCommand(CONTROL_PANEL);
    EXPECT_TRUE(isShown(panel));
    pressCommand(CONTROL_PANEL);
    EXPECT_FALSE(isShown(panel));
    EXPECT_EQ(1, windowCount());
}

}  // namespace
