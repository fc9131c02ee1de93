// Placing the aircraft, driven as a pilot would: capture with "Get Data",
// arm with "Position", and read back what the placement flight loop wrote.
#include <algorithm>
#include <cmath>

#include "FlightTestSupport.h"

namespace {

using namespace flighttest;

constexpr float kKnotsFactor = 0.51444447f;

const char* const kQ = "sim/flightmodel/position/q";
const char* const kVx = "sim/flightmodel/position/local_vx";
const char* const kVy = "sim/flightmodel/position/local_vy";
const char* const kVz = "sim/flightmodel/position/local_vz";
const char* const kThrottle = "sim/flightmodel/engine/ENGN_thro";

class PlacementTest : public SimTest {
protected:
    void start() {
        startPlugin();
        runStartup();
    }
    // The single value the last placement wrote to `name`.
    double written(const char* name) {
        std::vector<DataAccess> all = writesTo(name);
        EXPECT_FALSE(all.empty()) << name;
        return all.empty() ? NAN : all.back().value;
    }
    // The direction of motion the velocity components point to, in degrees 0 to 360.
    double directionOfMotion() {
        double degrees = std::atan2(written(kVx), -written(kVz)) * 180.0 / M_PI;
        return degrees < 0 ? degrees + 360.0 : degrees;
    }
    // The plug-in's calls since the accesses were cleared are exactly these, in this order.
    void expectAccesses(const std::vector<std::pair<DataAccess::Kind, std::string>>& expected) {
        const std::vector<DataAccess>& seen = sim().accesses();
        ASSERT_EQ(expected.size(), seen.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(expected[i].first, seen[i].kind) << i;
            EXPECT_EQ(expected[i].second, seen[i].name) << i;
        }
    }
    std::vector<float> writtenQuaternion() {
        std::vector<DataAccess> q = writesTo(kQ);
        return q.empty() ? std::vector<float>() : q.back().values;
    }
};

// --- velocity: heading, whole degrees and the knots factor ---

TEST_F(PlacementTest, HeadingNinetyAtHundredKnotsMovesEast) {
    setAircraft(90.0f, 0.0f, 100.0f);
    start();
    captureAndPlace();
    EXPECT_EQ(100.0f * kKnotsFactor, static_cast<float>(written(kVx)));
    EXPECT_FLOAT_EQ(51.444447f, static_cast<float>(written(kVx)));
    EXPECT_NEAR(0.0, written(kVz), 1e-5);
    EXPECT_EQ(0.0, written(kVy));
}

TEST_F(PlacementTest, HeadingZeroMovesNorth) {
    setAircraft(0.0f, 0.0f, 100.0f);
    start();
    captureAndPlace();
    EXPECT_EQ(0.0, written(kVx));
    EXPECT_FLOAT_EQ(-51.444447f, static_cast<float>(written(kVz)));
}

TEST_F(PlacementTest, NegativeHeadingMovesOnWholeDegreesButTurnsTheExactAngle) {
    setAircraft(-10.7f, 0.0f, 100.0f);
    start();
    captureAndPlace();
    // -10.7 is cut to -10, then a full circle is added.
    EXPECT_NEAR(350.0, directionOfMotion(), 1e-4);
    std::vector<float> q = writtenQuaternion();
    ASSERT_EQ(4u, q.size());
    double half = -10.7f * M_PI / 180.0 / 2.0;
    EXPECT_NEAR(std::cos(half), q[0], 1e-6);
    EXPECT_NEAR(std::sin(half), q[3], 1e-6);
}

TEST_F(PlacementTest, HeadingOverTwoTurnsMovesAtFiveDegrees) {
    setAircraft(725.9f, 0.0f, 100.0f);
    start();
    captureAndPlace();
    EXPECT_NEAR(5.0, directionOfMotion(), 1e-4);
    EXPECT_NEAR(std::sin(5.0 * M_PI / 180.0) * 100.0 * kKnotsFactor, written(kVx), 1e-4);
    // The orientation keeps the 0.9 degree that the direction of motion drops.
    std::vector<float> q = writtenQuaternion();
    ASSERT_EQ(4u, q.size());
    double half = 725.9f * M_PI / 180.0 / 2.0;
    EXPECT_NEAR(std::cos(half), q[0], 1e-6);
    EXPECT_NEAR(std::sin(half), q[3], 1e-6);
}

TEST_F(PlacementTest, VelocityIsHorizontalWhateverThePitch) {
    setAircraft(45.0f, 0.0f, 250.0f);
    sim().setFloat("sim/flightmodel/position/theta", 15.0f);
    start();
    captureAndPlace();
    EXPECT_EQ(0.0, written(kVy));
    double horizontal = std::hypot(written(kVx), written(kVz));
    EXPECT_NEAR(250.0 * kKnotsFactor, horizontal, 1e-3);
}

TEST_F(PlacementTest, MagneticVariationIsReadAgainWhenPlacing) {
    setAircraft(30.0f, 5.0f, 100.0f);  // stored heading 35
    start();
    sim().pickMenuItem("Control Panel");
    sim().pickMenuItem("Get Data");
    sim().setFloat("sim/flightmodel/position/magnetic_variation", -3.0f);
    sim().clearAccesses();
    sim().pickMenuItem("Position");
    sim().advance(0.15);
    const std::vector<DataAccess>& seen = sim().accesses();
    const auto firstWrite = std::find_if(seen.begin(), seen.end(), [](const DataAccess& a) { return isWrite(a.kind); });
    EXPECT_TRUE(std::any_of(seen.begin(), firstWrite, [](const DataAccess& a) {
        return a.kind == DataAccess::GetF && a.name == "sim/flightmodel/position/magnetic_variation";
    }));
    EXPECT_NEAR(38.0, directionOfMotion(), 1e-4);
}

// --- position and the other values ---

TEST_F(PlacementTest, AltitudeInFeetIsDividedByTheSameFactorItWasCapturedWith) {
    sim().setDouble("sim/flightmodel/position/elevation", 1000.0);
    start();
    captureAndPlace();
    // 1000 m is held as 3280 ft; 3280 / 3.28 in double precision is one step above 1000.
    EXPECT_EQ(1000.0000000000001, written("sim/flightmodel/position/local_y"));
    EXPECT_NE(1000.0, written("sim/flightmodel/position/local_y"));
}

// The simulator has sixteen engine slots; the plug-in keeps to its eight.
TEST_F(PlacementTest, OneThrottleFillsAllEightEnginesAndLeavesTheOtherSlots) {
    sim().setFloats(kThrottle, std::vector<float>(16, 0.3f));
    sim().setFloats(kThrottle, {0.7f});
    start();
    captureAndPlace();
    std::vector<DataAccess> throttle = writesTo(kThrottle);
    ASSERT_EQ(1u, throttle.size());
    EXPECT_EQ(0, throttle[0].offset);
    EXPECT_EQ(std::vector<float>(8, 0.7f), throttle[0].values);
    std::vector<float> slots(16, 0.3f);
    std::fill(slots.begin(), slots.begin() + 8, 0.7f);
    EXPECT_EQ(slots, sim().getFloats(kThrottle));
}

TEST_F(PlacementTest, EveryCapturedValueLandsInItsOwnDataRef) {
    sim().setDouble("sim/flightmodel/position/latitude", 47.449);
    sim().setDouble("sim/flightmodel/position/longitude", -122.309);
    sim().setFloat("sim/flightmodel/controls/flaprqst", 0.25f);
    sim().setInt("sim/cockpit/switches/gear_handle_status", 1);
    sim().setInt("sim/cockpit/autopilot/autopilot_mode", 2);
    sim().setFloat("sim/cockpit/autopilot/altitude", 3000.0f);
    sim().setFloat("sim/cockpit/autopilot/vertical_velocity", -500.0f);
    sim().setFloat("sim/cockpit/autopilot/airspeed", 150.0f);
    sim().setFloat("sim/cockpit/autopilot/heading_mag", 163.0f);
    sim().setInt("sim/cockpit/autopilot/autopilot_state", 6);
    sim().setInt("sim/cockpit/autopilot/heading_roll_mode", 3);
    start();
    captureAndPlace();
    EXPECT_FLOAT_EQ(0.25f, static_cast<float>(written("sim/flightmodel/controls/flaprqst")));
    EXPECT_EQ(1, written("sim/cockpit/switches/gear_handle_status"));
    EXPECT_EQ(2, written("sim/cockpit/autopilot/autopilot_mode"));
    EXPECT_EQ(3000.0, written("sim/cockpit/autopilot/altitude"));
    EXPECT_EQ(-500.0, written("sim/cockpit/autopilot/vertical_velocity"));
    EXPECT_EQ(150.0, written("sim/cockpit/autopilot/airspeed"));
    EXPECT_EQ(163.0, written("sim/cockpit/autopilot/heading_mag"));
    EXPECT_EQ(3, written("sim/cockpit/autopilot/heading_roll_mode"));
    EXPECT_EQ(6, written("sim/cockpit/autopilot/autopilot_state"));
    // The stand-in turns the local position back into the world position.
    EXPECT_NEAR(47.449, sim().getDouble("sim/flightmodel/position/latitude"), 1e-9);
    EXPECT_NEAR(-122.309, sim().getDouble("sim/flightmodel/position/longitude"), 1e-9);
}

TEST_F(PlacementTest, AutopilotStateIsWrittenBackAsReadBeforeTheStoredState) {
    sim().setInt("sim/cockpit/autopilot/autopilot_state", 5);
    start();
    sim().pickMenuItem("Control Panel");
    sim().pickMenuItem("Get Data");
    sim().setInt("sim/cockpit/autopilot/autopilot_state", 9);
    sim().clearAccesses();
    sim().pickMenuItem("Position");
    sim().advance(0.15);
    std::vector<DataAccess> state = writesTo("sim/cockpit/autopilot/autopilot_state");
    ASSERT_EQ(2u, state.size());
    EXPECT_EQ(9, state[0].value);
    EXPECT_EQ(5, state[1].value);
}

TEST_F(PlacementTest, SimulatorSeesExactlyTheseCallsInThisOrder) {
    start();
    captureAndPlace();
    using K = DataAccess;
    std::vector<std::pair<K::Kind, std::string>> expected = {{K::GetI, "sim/time/is_in_replay"}};
    const std::vector<std::pair<K::Kind, std::string>> captured = captureReads();  // for an undo
    expected.insert(expected.end(), captured.begin(), captured.end());
    const std::vector<std::pair<K::Kind, std::string>> placed = {
        {K::GetF, "sim/flightmodel/position/magnetic_variation"},
        {K::SetD, "sim/flightmodel/position/local_x"},
        {K::SetD, "sim/flightmodel/position/local_y"},
        {K::SetD, "sim/flightmodel/position/local_z"},
        {K::SetVF, kQ},
        {K::SetF, kVx},
        {K::SetF, kVy},
        {K::SetF, kVz},
        {K::SetF, "sim/flightmodel/position/P"},
        {K::SetF, "sim/flightmodel/position/Q"},
        {K::SetF, "sim/flightmodel/position/R"},
        {K::SetF, "sim/flightmodel/position/Prad"},
        {K::SetF, "sim/flightmodel/position/Qrad"},
        {K::SetF, "sim/flightmodel/position/Rrad"},
        {K::SetF, "sim/flightmodel/controls/flaprqst"},
        {K::SetI, "sim/cockpit/switches/gear_handle_status"},
        {K::GetI, "sim/cockpit/autopilot/autopilot_state"},
        {K::SetI, "sim/cockpit/autopilot/autopilot_state"},
        {K::SetI, "sim/cockpit/autopilot/autopilot_mode"},
        {K::SetI, "sim/cockpit/autopilot/autopilot_state"},
        {K::SetF, "sim/cockpit/autopilot/altitude"},
        {K::SetF, "sim/cockpit/autopilot/vertical_velocity"},
        {K::SetF, "sim/cockpit/autopilot/airspeed"},
        {K::SetF, "sim/cockpit/autopilot/heading_mag"},
        {K::SetI, "sim/cockpit/autopilot/heading_roll_mode"},
        {K::SetVF, kThrottle},
    };
    expected.insert(expected.end(), placed.begin(), placed.end());
    expectAccesses(expected);
    const std::vector<DataAccess>& seen = sim().accesses();
    ASSERT_LT(23u, seen.size());
    EXPECT_EQ(4u, seen[23].values.size());
    EXPECT_EQ(0, seen[23].offset);
}

// --- the flight loop ---

TEST_F(PlacementTest, IdleLoopReadsAndWritesNothing) {
    start();
    sim().clearAccesses();
    sim().advance(3.0);
    EXPECT_TRUE(sim().accesses().empty());
    EXPECT_TRUE(sim().keyStrokes().empty());
}

TEST_F(PlacementTest, TwoRequestsBeforeOneLoopCallGiveOnePlacement) {
    start();
    sim().pickMenuItem("Control Panel");
    sim().pickMenuItem("Get Data");
    sim().clearAccesses();
    sim().pickMenuItem("Position");
    sim().pickMenuItem("Position");
    EXPECT_EQ(0, placementCount());  // handlers only arm; the loop places
    sim().advance(1.0);
    EXPECT_EQ(1, placementCount());
}

TEST_F(PlacementTest, LoopPlacesWithinATenthOfASecondEveryTime) {
    start();
    sim().pickMenuItem("Control Panel");
    sim().pickMenuItem("Get Data");
    sim().clearAccesses();
    for (int i = 0; i < 10; ++i) {
        sim().pickMenuItem("Position");
        sim().advance(0.1);
        EXPECT_EQ(i + 1, placementCount()) << i;
    }
}

// The placement's second step, at the next loop call: the variation, the
// orientation, the air and the wind, then the velocity through that air. Then
// nothing more until the next request.
TEST_F(PlacementTest, APlacementIsSettledOnceAtTheNextLoopCallAndThenLeftAlone) {
    start();
    captureAndPlace();
    sim().clearAccesses();
    sim().advance(2.0);
    using K = DataAccess;
    const std::vector<std::pair<K::Kind, std::string>> expected = {
        {K::GetF, "sim/flightmodel/position/magnetic_variation"},
        {K::SetVF, kQ},
        {K::GetF, "sim/weather/rho"},
        {K::GetF, "sim/weather/wind_now_x_msc"},
        {K::GetF, "sim/weather/wind_now_y_msc"},
        {K::GetF, "sim/weather/wind_now_z_msc"},
        {K::SetF, kVx},
        {K::SetF, kVy},
        {K::SetF, kVz},
    };
    expectAccesses(expected);
    EXPECT_TRUE(sim().simLog().empty());
}

TEST_F(PlacementTest, LoopClosesAnAnsweredMessageWindow) {
    start();
    sim().pickMenuItem("Quick Load File");  // no quick file yet: the pilot is told
    int windows = windowCount();
    ASSERT_EQ(1, windows);
    ASSERT_TRUE(sim().clickButton(" OK"));
    EXPECT_EQ(1, windowCount());  // never destroyed from inside its own callback
    sim().advance(0.15);
    EXPECT_EQ(0, windowCount());
}

TEST_F(PlacementTest, LoopClosesACancelledFileDialog) {
    start();
    sim().pickMenuItem("Load Position File");
    ASSERT_NE(0, fileDialog());
    ASSERT_TRUE(sim().clickButton(" Cancel"));
    EXPECT_NE(0, fileDialog());
    sim().advance(0.15);
    EXPECT_EQ(0, fileDialog());
    // A new dialog can be opened afterwards.
    sim().pickMenuItem("Load Position File");
    EXPECT_NE(0, fileDialog());
}

// --- the one pause after an auto-started placement ---

std::string positionFile(double latitude) {
    char text[64];
    snprintf(text, sizeof text, "Latitude = %f\n", latitude);
    return std::string("[CONFIG]\nUse_AutoPilot_Data = 0\n\n[POSITION_DATA]\n") + text +
           "Longitude = 8.5\nAltitude = 1640.000000\nHeading = 90.0\nPitch = 0.0\nRoll = 0.0\nSpeed = 0.0\n"
           "Throttle = 0.0\nFlaps = 0.0\nGear = 1\n";
}

TEST_F(PlacementTest, AutoStartWithPauseSendsOnePauseAfterTheFirstPlacementOnly) {
    writeFile(pluginFile("Start.skd"), positionFile(47.25));
    startWithSettings("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Start.skd\nPauseAutoStart = 1\n");
    EXPECT_EQ(1, placementCount());
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes());
    EXPECT_TRUE(sim().paused());
    captureAndPlace();
    captureAndPlace();
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes());
}

TEST_F(PlacementTest, PauseWithoutAutoStartNeverPauses) {
    startWithSettings("[CONFIG]\nAutoStart = 0\nPauseAutoStart = 1\n");
    captureAndPlace();
    captureAndPlace();
    EXPECT_EQ(1, placementCount());  // accesses are cleared before each placement
    EXPECT_TRUE(sim().keyStrokes().empty());
}

TEST_F(PlacementTest, AutoStartWithoutPauseNeverPauses) {
    writeFile(pluginFile("Start.skd"), positionFile(47.25));
    startWithSettings("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Start.skd\nPauseAutoStart = 0\n");
    captureAndPlace();
    EXPECT_TRUE(sim().keyStrokes().empty());
}

TEST_F(PlacementTest, PauseFollowsTheFirstPlacementWhateverAskedForIt) {
    // The default file is missing, so the pilot's own placement is the first.
    startWithSettings("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Missing.skd\nPauseAutoStart = 1\n");
    captureAndPlace();
    captureAndPlace();
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes());
}

}  // namespace
