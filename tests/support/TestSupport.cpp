// Shared test fixtures.
#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "skysim/TemporaryFolder.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() : path_(skysim::makeTemporaryFolder("skyplacer-")) {}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(fs::u8path(path_), ignored);
}

AircraftState aircraftInFlight() {
    AircraftState state{};
    state.place = {47.4490123456789, -122.3093055555, 1234.5678};
    state.motion = {182.37f, 15.62f, 2.51f, -3.07f, 151.26f};
    state.controls = {{0.8125f, 0.8125f}, 0.25f, 1};
    state.autopilot = {2, 8000.0f, 700.0f, 250.0f, 181.5f, 6, 1};
    return state;
}

void setAircraftState(const AircraftState& state) {
    skysim::Sim& sim = skysim::Sim::get();
    sim.setDouble("sim/flightmodel/position/latitude", state.place.latitude);
    sim.setDouble("sim/flightmodel/position/longitude", state.place.longitude);
    sim.setDouble("sim/flightmodel/position/elevation", state.place.elevation);
    sim.setFloat("sim/flightmodel/position/psi", state.motion.psi);
    sim.setFloat("sim/flightmodel/position/magnetic_variation", state.motion.magneticVariation);
    sim.setFloat("sim/flightmodel/position/theta", state.motion.theta);
    sim.setFloat("sim/flightmodel/position/phi", state.motion.phi);
    sim.setFloat("sim/flightmodel/position/indicated_airspeed", state.motion.knots);
    sim.setFloats("sim/flightmodel/engine/ENGN_thro", state.controls.throttles);
    sim.setFloat("sim/flightmodel/controls/flaprqst", state.controls.flaps);
    sim.setInt("sim/cockpit/switches/gear_handle_status", state.controls.gear);
    sim.setInt("sim/cockpit/autopilot/autopilot_mode", state.autopilot.mode);
    sim.setFloat("sim/cockpit/autopilot/altitude", state.autopilot.altitude);
    sim.setFloat("sim/cockpit/autopilot/vertical_velocity", state.autopilot.verticalVelocity);
    sim.setFloat("sim/cockpit/autopilot/airspeed", state.autopilot.airspeed);
    sim.setFloat("sim/cockpit/autopilot/heading_mag", state.autopilot.heading);
    sim.setInt("sim/cockpit/autopilot/autopilot_state", state.autopilot.state);
    sim.setInt("sim/cockpit/autopilot/heading_roll_mode", state.autopilot.headingRollMode);
}

std::string readFile(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(fs::u8path(path), std::ios::binary | std::ios::trunc);
    out << contents;
}

bool fileExists(const std::string& path) { return fs::exists(fs::u8path(path)); }

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

void SimTest::SetUp() {
    sim().reset(root_.path());
    fs::create_directories(fs::u8path(sim().pluginFolder()));
    std::string error;
    ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
}

// Stops the plug-in and quits the simulator, which destroys the windows the
// plug-in left behind, so nothing a test opened outlives it.
void SimTest::TearDown() {
    EXPECT_EQ(0, sim().unknownWidgetCalls()) << "the plug-in called the toolkit with a widget id of 0 or a dead one";
    EXPECT_EQ(std::string::npos, sim().simLog().find("is not writable"))
        << "the plug-in wrote a data reference the simulator does not let it write:\n"
        << sim().simLog();
    EXPECT_EQ(std::string::npos, sim().simLog().find("from inside its own callback"))
        << "a flight loop of the plug-in did what the SDK says not to do from inside it:\n"
        << sim().simLog();
    if (sim().started()) sim().stop();
    EXPECT_EQ(std::string::npos, sim().simLog().find("XPluginStop:"))
        << "the plug-in left registrations behind at stop:\n"
        << sim().simLog();
    sim().reset(root_.path());
}

std::string SimTest::logText() const { return pluginText("SkyPlacerLog.txt"); }

void SimTest::startPlugin() { ASSERT_EQ(1, sim().start()); }

void SimTest::startWithSettings(const std::string& ini) {
    writeFile(pluginFile("SkyPlacer.ini"), ini);
    startPlugin();
    runStartup();
}
