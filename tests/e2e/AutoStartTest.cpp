// The deferred start-up: about one second after start, with AutoStart, the
// control panel opens (or stays hidden), the default file is loaded and the
// aircraft is placed there.
#include <filesystem>
#include <string>

#include "ControlPanelDriver.h"
#include "FlightTestSupport.h"

namespace {

constexpr int kF7 = 118;

class AutoStart : public PanelTest {
protected:
    void writeDefaultFile(const std::string& name = "Runway 34.skd") {
        writeFile(pluginFile(name), positionFileText({{"Latitude", "47.1234567"},
                                                      {"Longitude", "-122.309"},
                                                      {"Heading", "163.5"},
                                                      {"Gear", "1"},
                                                      {"AutoPilot_Mode", "2"},
                                                      {"AutoPilot_Altitude", "3000"}}));
    }
    static std::string settings(const std::string& extra) {
        return "[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Runway 34.skd\n" + extra +
               "[CONTROL_PANEL]\nHotKey = F7\n";
    }
    int placements() const { return flighttest::placementCount(); }
};

TEST_F(AutoStart, WithoutAutoStartNothingHappens) {
    writeDefaultFile();
    startWithSettings("[CONFIG]\nAutoStart = 0\nDefaultSKDFileName = Runway 34.skd\nPauseAutoStart = 1\n");
    sim().advance(2.0);
    EXPECT_EQ(0, controlPanel());
    EXPECT_EQ(0, placements());
    EXPECT_TRUE(sim().keyStrokes().empty());
}

TEST_F(AutoStart, NothingHappensBeforeOneSecond) {
    writeDefaultFile();
    writeFile(pluginFile("SkyPlacer.ini"), settings(""));
    startPlugin();
    sim().advance(0.9);
    EXPECT_EQ(0, controlPanel());
    sim().advance(0.3);
    EXPECT_NE(0, controlPanel());
}

TEST_F(AutoStart, DefaultFileLoadsIntoTheShownPanelAndThePlacement) {
    writeDefaultFile();
    startWithSettings(settings(""));
    ASSERT_NE(0, controlPanel());
    EXPECT_TRUE(sim().widget(controlPanel()).shown);
    EXPECT_EQ("47.123457", fieldText(kLatitude));
    EXPECT_EQ("163.500000", fieldText(kHeading));
    EXPECT_EQ("1", fieldText(kGear));
    EXPECT_EQ("The data below is from the SKD File", statusText());
    EXPECT_EQ("Runway 34.skd", fileNameText());
    EXPECT_TRUE(enabled(" Save SKD"));
    EXPECT_TRUE(enabled(" Position"));

    EXPECT_EQ(1, placements());
    EXPECT_EQ(std::vector<double>{1}, writes("sim/cockpit/switches/gear_handle_status"));
    EXPECT_EQ(std::vector<double>{3000}, writes("sim/cockpit/autopilot/altitude"));
    EXPECT_TRUE(sim().keyStrokes().empty()) << "no pause without PauseAutoStart";
}

TEST_F(AutoStart, PlacesTheLatitudeAsThePanelShowsIt) {
    writeDefaultFile();
    startWithSettings(settings(""));
    double placed = sim().getDouble("sim/flightmodel/position/latitude");
    EXPECT_NEAR(47.123457, placed, 1e-9) << "read back from the panel's six-decimal text";
    EXPECT_NEAR(-122.309, sim().getDouble("sim/flightmodel/position/longitude"), 1e-9);
}

TEST_F(AutoStart, RunsOnceAndPlacesOnce) {
    writeDefaultFile();
    startWithSettings(settings(""));
    int widgets = sim().widgetCount();
    sim().advance(3.0);
    EXPECT_EQ(widgets, sim().widgetCount()) << "no second panel";
    EXPECT_EQ(1, placements());
}

TEST_F(AutoStart, PauseAutoStartSendsExactlyOnePauseKeyStroke) {
    writeDefaultFile();
    startWithSettings(settings("PauseAutoStart = 1\n"));
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes());
    EXPECT_TRUE(sim().paused());
    press(" Position");
    nextFlightLoops();
    EXPECT_EQ(2, placements());
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes()) << "only the first placement pauses";
}

// Loaded and shown, but not placed: the message names the value, and the
// pause waits for the first placement that is made.
TEST_F(AutoStart, ADefaultFileOutsideTheWorldIsShownButNeitherPlacedNorPaused) {
    writeFile(pluginFile("Runway 34.skd"), positionFileText({{"Latitude", "95"}}));
    startWithSettings(settings("PauseAutoStart = 1\n"));
    EXPECT_EQ(0, placements());
    EXPECT_TRUE(sim().keyStrokes().empty());
    EXPECT_NE(0, sim().findShown("Latitude = 95.000000"));
    EXPECT_EQ("95.000000", fieldText(kLatitude));
}

TEST_F(AutoStart, HideControlPanelBuildsItHiddenAndTheHotKeyShowsIt) {
    writeDefaultFile();
    startWithSettings(settings("HideControlPanel = 1\n"));
    ASSERT_NE(0, controlPanel());
    EXPECT_FALSE(sim().widget(controlPanel()).shown);
    EXPECT_EQ("47.123457", fieldText(kLatitude));
    EXPECT_EQ(1, placements()) << "hidden or not, the aircraft is placed";
    int widgets = sim().widgetCount();
    sim().tapKey(kF7, 0);
    EXPECT_TRUE(sim().widget(controlPanel()).shown);
    EXPECT_EQ(widgets, sim().widgetCount());
}

TEST_F(AutoStart, MissingDefaultFileGreysThePanelAndPlacesNothing) {
    startWithSettings(settings("PauseAutoStart = 1\n"));
    ASSERT_NE(0, controlPanel());
    EXPECT_TRUE(sim().widget(controlPanel()).shown);
    EXPECT_EQ("0.000000", fieldText(kLatitude));
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_EQ("", fileNameText());
    EXPECT_FALSE(enabled(" Save SKD"));
    EXPECT_FALSE(enabled(" Position"));
    sim().advance(2.0);
    EXPECT_EQ(0, placements());
    EXPECT_TRUE(sim().keyStrokes().empty());
}

TEST_F(AutoStart, FaultyDefaultFileGreysThePanelAndPlacesNothing) {
    writeFile(pluginFile("Runway 34.skd"), "[POSITION_DATA]\nLatitude = 10\nLatitud = 11\n");
    startWithSettings(settings("HideControlPanel = 1\n"));
    ASSERT_NE(0, controlPanel());
    EXPECT_FALSE(sim().widget(controlPanel()).shown);
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_FALSE(enabled(" Position"));
    sim().advance(1.0);
    EXPECT_EQ(0, placements());
}

TEST_F(AutoStart, EmptyDefaultFileNameLoadsNothing) {
    startWithSettings("[CONFIG]\nAutoStart = 1\n");
    ASSERT_NE(0, controlPanel());
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_EQ(0, placements());
}

TEST_F(AutoStart, PositionHotKeyFollowsTheStartUpResult) {
    writeDefaultFile();
    startWithSettings(settings("") + "[POSITION]\nHotKey = F9\n");
    sim().clearAccesses();
    sim().tapKey(120, 0);
    nextFlightLoops();
    EXPECT_EQ(1, placements()) << "Position enabled by the loaded file";
}

TEST_F(AutoStart, PositionHotKeyDoesNothingAfterAFailedLoad) {
    startWithSettings(settings("") + "[POSITION]\nHotKey = F9\n");
    sim().tapKey(120, 0);
    nextFlightLoops();
    EXPECT_EQ(0, placements());
}

}  // namespace

namespace {

// A simulator installed deep enough that its folder and a long default file
// name together pass the longest path the plug-in opens.
class AutoStartDeepFolder : public PanelTest {
protected:
    void SetUp() override {
        sim().reset(rootWithPluginFolderOf(root_.path(), kModuleMaxPath - 40));
        std::filesystem::create_directories(sim().pluginFolder());
        std::string error;
        ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
        sim().clearAccesses();
    }
};

TEST_F(AutoStartDeepFolder, DefaultPathTooLongLoadsNeitherItNorTheFileItsCutNameWouldGive) {
    std::string name = std::string(221, 'n') + ".skd";  // the settings line stays within 255 characters
    size_t folder = pluginFolder().size();
    ASSERT_GT(folder + name.size(), kModuleMaxPath);
    // The file a path cut to the limit would name
    writeFile(pluginFile(name.substr(0, kModuleMaxPath - folder)), positionFileText({{"Latitude", "10"}}));

    startWithSettings("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = " + name + "\n");
    ASSERT_NE(0, controlPanel());
    EXPECT_EQ("0.000000", fieldText(kLatitude));
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_FALSE(enabled(" Position"));
    EXPECT_EQ(0, flighttest::placementCount());
}

}  // namespace

namespace {

// A pilot who opens the panel within the first second keeps that one panel:
// the start-up loads into it instead of building a second one over it.
TEST_F(AutoStart, APanelOpenedBeforeTheStartUpIsTheOneItUses) {
    writeDefaultFile();
    writeFile(pluginFile("SkyPlacer.ini"), settings("HideControlPanel = 1\n"));
    startPlugin();
    sim().advance(0.5);
    ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
    skysim::WidgetId opened = controlPanel();
    ASSERT_NE(0, opened);
    sim().advance(1.0);
    EXPECT_EQ(1u, sim().roots().size());
    EXPECT_EQ(opened, controlPanel());
    EXPECT_TRUE(sim().widget(opened).shown) << "HideControlPanel hides only a panel the start-up built";
    EXPECT_EQ("47.123457", fieldText(kLatitude));
    EXPECT_EQ("The data below is from the SKD File", statusText());
    EXPECT_EQ(1, placements());
}

}  // namespace
