// What the simulator shows once a placement has taken effect, a frame after
// it: the stored indicated airspeed at any altitude, and exactly the stored
// autopilot modes whatever modes were engaged before.
#include <cmath>

#include "ControlPanelDriver.h"

namespace {

const char* const kAirspeed = "sim/flightmodel/position/indicated_airspeed";
const char* const kElevation = "sim/flightmodel/position/elevation";
const char* const kVx = "sim/flightmodel/position/local_vx";
const char* const kVy = "sim/flightmodel/position/local_vy";
const char* const kVz = "sim/flightmodel/position/local_vz";
const char* const kState = "sim/cockpit/autopilot/autopilot_state";

constexpr double kKnot = 1852.0 / 3600.0;  // metres per second

class PlacedState : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        startWithSettings("");
        openPanel();
    }
    // Quick-loads a position file of these values and presses Position; the
    // placement loop runs and the next frame shows its result.
    void place(const std::map<std::string, std::string>& values) {
        writeFile(pluginFile("QuickFile.skd"), positionFileText(values));
        press(" Quick Load");
        press(" Position");
        nextFlightLoops();
    }
    void placeAt(const std::string& feet, const std::string& knots) {
        place({{"Altitude", feet}, {"Speed", knots}, {"Heading", "90"}});
    }
    double trueKnots() const {
        return std::hypot(sim().getFloat(kVx), sim().getFloat(kVy), sim().getFloat(kVz)) / kKnot;
    }
};

TEST_F(PlacedState, AStoredSpeedAtCruiseReadsTheSameIndicatedSpeed) {
    placeAt("35000", "250");
    EXPECT_NEAR(250.0, sim().getFloat(kAirspeed), 0.5) << "not the 140 knots of 250 knots true up there";
    EXPECT_NEAR(449.0, trueKnots(), 1.0);
    EXPECT_EQ(0.0f, sim().getFloat(kVy));
    EXPECT_NEAR(0.0, sim().getFloat(kVz), 1e-3) << "still along the heading";
}

TEST_F(PlacedState, ACaptureAtCruisePlacedAgainGivesBackItsIndicatedSpeed) {
    sim().setDouble(kElevation, 10668.0);
    sim().setFloat(kAirspeed, 231.0f);
    press(" Get Data");
    sim().setDouble(kElevation, 20.0);  // the aircraft flies on, lower and slower
    sim().setFloat(kAirspeed, 120.0f);
    press(" Position");
    nextFlightLoops();
    EXPECT_NEAR(10668.0, sim().getDouble(kElevation), 0.01);
    EXPECT_NEAR(231.0, sim().getFloat(kAirspeed), 0.5);
}

TEST_F(PlacedState, AtSeaLevelTheVelocityIsTheStoredSpeed) {
    placeAt("0", "180");
    EXPECT_NEAR(180.0, trueKnots(), 0.01);
    EXPECT_NEAR(180.0, sim().getFloat(kAirspeed), 0.01);
}

TEST_F(PlacedState, BelowSeaLevelAndHighUpTheVelocityIsFiniteAndReadsTheStoredSpeed) {
    for (const char* feet : {"-1000", "60000"}) {
        placeAt(feet, "200");
        EXPECT_TRUE(std::isfinite(sim().getFloat(kVx))) << feet;
        EXPECT_NEAR(200.0, sim().getFloat(kAirspeed), 0.5) << feet;
    }
    EXPECT_GT(trueKnots(), 400.0) << "at 60,000 ft";
}

// Autothrottle, heading, vertical speed, altitude and nav armed.
TEST_F(PlacedState, ThePlacementEndsWithExactlyTheStoredAutopilotModes) {
    const int stored = 1 | 2 | 16 | 32 | 256;
    const int everyMode = 1 | 2 | 4 | 8 | 16 | 32 | 64 | 128 | 256 | 512 | 1024 | 2048 | 4096 | 16384 | 131072;
    const int sameAxesOthers = 4 | 64 | 1024;  // roll hold, level change, glideslope armed
    for (int before : {0, stored, sameAxesOthers, everyMode}) {
        sim().setInt(kState, before);
        place({{"AutoPilot_State", std::to_string(stored)}});
        EXPECT_EQ(stored, sim().getInt(kState)) << "from " << before;
    }
    place({{"AutoPilot_State", "0"}});
    EXPECT_EQ(0, sim().getInt(kState)) << "a stored state of none releases them all";
}

}  // namespace
