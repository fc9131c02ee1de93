// What the simulator shows once a placement has taken effect and settled: the
// stored indicated airspeed at any altitude, in any air and wind, the stored
// magnetic heading wherever the aircraft came from, no rotation, and exactly
// the stored autopilot modes whatever modes were engaged before.
#include <cmath>

#include "XPLMApi.h"

#include "ControlPanelDriver.h"

namespace {

const char* const kAirspeed = "sim/flightmodel/position/indicated_airspeed";
const char* const kElevation = "sim/flightmodel/position/elevation";
const char* const kVx = "sim/flightmodel/position/local_vx";
const char* const kVy = "sim/flightmodel/position/local_vy";
const char* const kVz = "sim/flightmodel/position/local_vz";
const char* const kState = "sim/cockpit/autopilot/autopilot_state";
const char* const kLatitude = "sim/flightmodel/position/latitude";
const char* const kLongitude = "sim/flightmodel/position/longitude";
const char* const kPsi = "sim/flightmodel/position/psi";
const char* const kVariation = "sim/flightmodel/position/magnetic_variation";
const char* const kRates[] = {"sim/flightmodel/position/P",    "sim/flightmodel/position/Q",
                              "sim/flightmodel/position/R",    "sim/flightmodel/position/Prad",
                              "sim/flightmodel/position/Qrad", "sim/flightmodel/position/Rrad"};

constexpr double kKnot = 1852.0 / 3600.0;                         // metres per second
constexpr double kKilometresPerDegree = 6378.137 * M_PI / 180.0;  // of longitude, in the local projection

// The day the aircraft is placed back where it was captured, having flown on.
struct Day {
    double kilometresAway;  // west of the captured place, where the aircraft is when placed
    double warmer;          // degrees above the standard atmosphere
    double windKnots;
    double windFrom;  // degrees true
    bool paused;
};

double magneticHeading() {
    const skysim::Sim& sim = skysim::Sim::get();
    return std::fmod(sim.getFloat(kPsi) + sim.getFloat(kVariation) + 720.0, 360.0);
}

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

// Captured at cruise on a standard day; placed back there from far away on
// another day: once settled it reads its stored indicated speed and magnetic
// heading, in the new place's variation, air and wind, paused or not.
TEST_F(PlacedState, SettledItReadsItsStoredSpeedAndMagneticHeadingInTheDaysAirAndWind) {
    const Day kDays[] = {
        {5000, 20, 60, 270, false}, {5000, 20, 60, 75, false}, {9000, -15, 40, 200, true}, {0, 0, 0, 0, false}};
    for (const Day& day : kDays) {
        SCOPED_TRACE(std::to_string(day.kilometresAway) + " km, " + std::to_string(day.warmer) + " C, wind " +
                     std::to_string(day.windKnots) + " kt from " + std::to_string(day.windFrom));
        sim().setTemperatureOffset(0);
        sim().setWind(0, 0, 0);
        sim().setDouble(kLatitude, 45.0);
        sim().setDouble(kLongitude, 5.0);
        sim().setDouble(kElevation, 10668.0);
        sim().setFloat(kPsi, 75.0f);
        sim().setFloat(kAirspeed, 250.0f);
        press(" Get Data");
        const double storedHeading = magneticHeading();

        sim().setDouble(kLongitude, 5.0 - day.kilometresAway / kKilometresPerDegree);
        sim().setDouble(kElevation, 900.0);
        sim().setFloat(kPsi, 300.0f);
        sim().setFloat(kAirspeed, 140.0f);
        for (const char* rate : kRates) sim().setFloat(rate, 3.0f);
        sim().setTemperatureOffset(day.warmer);
        const double toward = (day.windFrom + 180.0) * M_PI / 180.0;
        sim().setWind(day.windKnots * kKnot * std::sin(toward), 0.5, -day.windKnots * kKnot * std::cos(toward));
        if (day.paused) XPLMCommandKeyStroke(0);
        press(" Position");
        sim().advance(0.3);
        if (day.paused) XPLMCommandKeyStroke(0);

        EXPECT_NEAR(5.0, sim().getDouble(kLongitude), 1e-6);
        EXPECT_NEAR(250.0, sim().getFloat(kAirspeed), 1.0);
        EXPECT_NEAR(storedHeading, magneticHeading(), 0.1);
        for (const char* rate : kRates) EXPECT_EQ(0.0f, sim().getFloat(rate)) << rate;
    }
}

// The settle finishes the placement that was made, even when another record
// is loaded before the loop's next call.
TEST_F(PlacedState, ASettleKeepsToThePlacedRecordWhateverIsLoadedMeanwhile) {
    writeFile(pluginFile("QuickFile.skd"), positionFileText({{"Latitude", "40"}, {"Heading", "90"}}));
    press(" Quick Load");
    sim().clearAccesses();
    press(" Position");
    sim().advance(0.1);  // placed; settled only at the next loop call
    ASSERT_EQ(1u, writes("sim/flightmodel/position/local_x").size());
    writeFile(pluginFile("QuickFile.skd"), positionFileText({{"Latitude", "40"}, {"Heading", "10"}}));
    press(" Quick Load");
    nextFlightLoops();
    EXPECT_NEAR(90.0, magneticHeading(), 0.1);
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
