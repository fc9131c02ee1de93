// Undoing a placement, as a pilot meets it: whichever way the aircraft was
// placed, skyplacer/undo_placement puts it back where that placement found it,
// and a second undo goes back to where the first one started; the panel, the
// data display and the files never hear of it. With nothing to undo, one log
// line. During a replay neither a placement nor an undo writes anything: the
// window says why.
#include <filesystem>
#include <functional>
#include <set>

#include "ControlPanelDriver.h"
#include "FlightTestSupport.h"

namespace {

using namespace flighttest;

const char* const kInReplay = "sim/time/is_in_replay";
const char* const kUndo = "skyplacer/undo_placement";

// Where the aircraft is, as a pilot reads it: the magnetic heading is what is
// captured and placed again, wherever the variation differs.
struct Place {
    double latitude, longitude, metres;
    float magneticHeading, knots;
};

Place placeNow() {
    skysim::Sim& sim = skysim::Sim::get();
    return {sim.getDouble("sim/flightmodel/position/latitude"), sim.getDouble("sim/flightmodel/position/longitude"),
            sim.getDouble("sim/flightmodel/position/elevation"),
            sim.getFloat("sim/flightmodel/position/psi") + sim.getFloat("sim/flightmodel/position/magnetic_variation"),
            sim.getFloat("sim/flightmodel/position/indicated_airspeed")};
}

// The stand-in derives the variation and the air of the place.
void flyAt(const Place& place) {
    skysim::Sim& sim = skysim::Sim::get();
    sim.setDouble("sim/flightmodel/position/latitude", place.latitude);
    sim.setDouble("sim/flightmodel/position/longitude", place.longitude);
    sim.setDouble("sim/flightmodel/position/elevation", place.metres);
    sim.setFloat("sim/flightmodel/position/psi",
                 place.magneticHeading - sim.getFloat("sim/flightmodel/position/magnetic_variation"));
    sim.setFloat("sim/flightmodel/position/indicated_airspeed", place.knots);
}

void expectAt(const Place& expected, const std::string& why) {
    const Place now = placeNow();
    EXPECT_NEAR(expected.latitude, now.latitude, 1e-6) << why;
    EXPECT_NEAR(expected.longitude, now.longitude, 1e-6) << why;
    EXPECT_NEAR(expected.metres, now.metres, 0.01) << why;
    EXPECT_NEAR(expected.magneticHeading, now.magneticHeading, 0.01) << why;
    EXPECT_NEAR(expected.knots, now.knots, 0.01) << why;
}

// The names in the plug-in's folder.
std::set<std::string> folderNames(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder))) {
        names.insert(entry.path().filename().u8string());
    }
    return names;
}

class Undo : public PanelTest {
protected:
    void undo() {
        ASSERT_TRUE(sim().commandOnce(kUndo));
        nextFlightLoops();
    }
    // The panel's texts, and the data display's "Stored" column (each row's second caption).
    std::vector<std::string> heldTexts() const {
        std::vector<std::string> texts{statusText(), fileNameText()};
        for (int i = kLatitude; i <= kApHeadingRollMode; ++i) texts.push_back(fieldText(i));
        const std::vector<WidgetInfo> captions = childrenOf(dataDisplay(), skysim::Caption);
        for (size_t i = 1; i < captions.size(); i += 3) texts.push_back(captions[i].descriptor);
        return texts;
    }
};

// The file the auto-start places, and the panel's record after it.
const Place kRunway = {47.5, -122.25, 120.0, 163.5, 0.0f};

TEST_F(Undo, EveryRouteToAPlacementCanBeUndoneAndASecondUndoUndoesTheFirst) {
    writeFile(pluginFile("Runway.skd"),
              positionFileText(
                  {{"Latitude", "47.5"}, {"Longitude", "-122.25"}, {"Altitude", "393.6"}, {"Heading", "163.5"}}));
    const Place atStart = {51.47, -0.45, 3000.0, 90.0f, 220.0f};
    flyAt(atStart);
    startWithSettings("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Runway.skd\n" + allHotKeysIni());
    nextFlightLoops();
    expectAt(kRunway, "the auto-start placed the file");
    sim().pickMenuItem("Data Display");
    nextFlightLoops();
    const std::vector<std::string> held = heldTexts();
    sim().tapKey(hotKeyOf(DATA_DISPLAY), 0);  // hidden, so that it covers no button
    const std::set<std::string> files = folderNames(pluginFolder());
    const std::string log = logText();

    undo();
    expectAt(atStart, "the auto-start undone");
    undo();
    expectAt(kRunway, "the undo undone");

    const std::vector<std::pair<std::string, std::function<void()>>> routes = {
        {"the panel's button", [this] { press(" Position"); }},
        {"the menu", [this] { sim().pickMenuItem("Position"); }},
        {"the hot key", [this] { sim().tapKey(hotKeyOf(POSITION), 0); }},
        {"the simulator's command", [this] { sim().commandOnce(commandName(POSITION)); }},
    };
    double latitude = 10.0;
    for (const auto& route : routes) {
        const Place before = {latitude, 20.0, 5000.0, 270.0f, 180.0f};
        latitude += 1.0;
        flyAt(before);
        route.second();
        nextFlightLoops();
        expectAt(kRunway, route.first);
        undo();
        expectAt(before, route.first + ", undone");
        undo();
        expectAt(kRunway, route.first + ", undone twice");
    }
    // Undone at the very call that settles the placement: the aircraft is
    // captured as the settle left it, not half turned.
    flyAt(atStart);
    sim().clearAccesses();
    press(" Position");
    for (int frame = 0; frame < 10 && placementCount() == 0; ++frame) sim().runFrames(1);
    ASSERT_EQ(1, placementCount());
    undo();
    undo();
    expectAt(kRunway, "undone as it settled, and undone again");
    undo();
    expectAt(atStart, "and once more");

    sim().pickMenuItem("Data Display");
    nextFlightLoops();
    EXPECT_EQ(held, heldTexts()) << "the panel and the display show what they showed";
    EXPECT_EQ(files, folderNames(pluginFolder())) << "nothing written";
    EXPECT_EQ(log, logText());
}

TEST_F(Undo, WithNothingToUndoTheCommandLogsOneLineAndTouchesNothing) {
    startWithSettings("");
    sim().clearAccesses();
    undo();
    EXPECT_TRUE(sim().accesses().empty());
    EXPECT_EQ(1, occurrences(logText(), "SkyPlacer - nothing to undo: no placement yet in this session\n"));
    undo();
    EXPECT_EQ(2, occurrences(logText(), "SkyPlacer - nothing to undo"));
    EXPECT_EQ(0, windowCount());
}

// Neither a placement nor an undo goes into a replay: the window says why, and
// both work again once it is over. The undo still holds the place before the
// last placement that went in.
TEST_F(Undo, DuringAReplayNeitherAPlacementNorAnUndoIsMade) {
    const Place before = {10.0, 20.0, 5000.0, 270.0f, 180.0f};
    flyAt(before);
    startWithSettings("");
    openPanel();
    press(" Get Data");
    typeField(kLatitude, "12.5");
    press(" Position");
    nextFlightLoops();
    ASSERT_NEAR(12.5, placeNow().latitude, 1e-9);

    sim().setInt(kInReplay, 1);
    sim().clearAccesses();
    for (const std::function<void()>& request :
         std::vector<std::function<void()>>{[this] { press(" Position"); }, [this] { undo(); }}) {
        request();
        nextFlightLoops();
        EXPECT_TRUE(flighttest::writes().empty());
        EXPECT_NE(0, sim().findShown("The simulator is replaying."));
        EXPECT_NE(0, sim().findShown("Not placed: end the replay first"));
        press(" OK");
        nextFlightLoops();
    }
    EXPECT_EQ(std::string::npos, sim().simLog().find("during a replay")) << sim().simLog();

    sim().setInt(kInReplay, 0);
    undo();
    expectAt(before, "the replay is over");
}

}  // namespace
