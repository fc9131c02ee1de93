// Data references: typed values, null handles, arrays, the access record,
// values set from text, and the flight model that keeps the aircraft state
// whole: at once for the driver, at the next frame for a plug-in's writes.
#include <cmath>
#include <string>
#include <vector>

#include "CoreTestFixture.h"

namespace {

const char* const kQ = "sim/flightmodel/position/q";
const char* const kThrottle = "sim/flightmodel/engine/ENGN_thro";
const char* const kLatitude = "sim/flightmodel/position/latitude";
const char* const kLongitude = "sim/flightmodel/position/longitude";
const char* const kElevation = "sim/flightmodel/position/elevation";
const char* const kLocalX = "sim/flightmodel/position/local_x";
const char* const kLocalY = "sim/flightmodel/position/local_y";
const char* const kLocalZ = "sim/flightmodel/position/local_z";
const char* const kPsi = "sim/flightmodel/position/psi";
const char* const kTheta = "sim/flightmodel/position/theta";
const char* const kPhi = "sim/flightmodel/position/phi";
const char* const kGear = "sim/cockpit/switches/gear_handle_status";
const char* const kFlaps = "sim/flightmodel/controls/flaprqst";
const char* const kAirspeed = "sim/flightmodel/position/indicated_airspeed";

XPLMDataRef find(const char* name) { return XPLMFindDataRef(name); }

}  // namespace

using DataRefTest = CoreTest;

TEST_F(DataRefTest, KnowsEveryNameThePluginLooksUp) {
    const char* names[] = {kQ,
                           kLocalX,
                           kLocalY,
                           kLocalZ,
                           "sim/flightmodel/position/local_vx",
                           "sim/flightmodel/position/local_vy",
                           "sim/flightmodel/position/local_vz",
                           kThrottle,
                           "sim/flightmodel/position/magnetic_variation",
                           kTheta,
                           kPhi,
                           kPsi,
                           kLatitude,
                           kLongitude,
                           kElevation,
                           kAirspeed,
                           kFlaps,
                           kGear,
                           "sim/cockpit/autopilot/autopilot_mode",
                           "sim/cockpit/autopilot/altitude",
                           "sim/cockpit/autopilot/vertical_velocity",
                           "sim/cockpit/autopilot/airspeed",
                           "sim/cockpit/autopilot/heading_mag",
                           "sim/cockpit/autopilot/autopilot_state",
                           "sim/cockpit/autopilot/heading_roll_mode",
                           "sim/graphics/colors/menu_dark_rgb",
                           "sim/graphics/colors/glass_text_rgb",
                           "sim/graphics/misc/cockpit_light_level_b"};
    for (const char* name : names) {
        EXPECT_NE(nullptr, find(name)) << name;
        EXPECT_TRUE(sim().knowsDataRef(name)) << name;
    }
    EXPECT_NE(find(kLocalX), find(kLocalY));
}

TEST_F(DataRefTest, UnknownNameGivesANullHandleThatReadsZeroAndIgnoresWrites) {
    XPLMDataRef unknown = find("sim/no/such/ref");
    EXPECT_EQ(nullptr, unknown);
    EXPECT_FALSE(sim().knowsDataRef("sim/no/such/ref"));
    XPLMSetDataf(unknown, 5.0f);
    XPLMSetDatai(unknown, 7);
    EXPECT_EQ(0.0f, XPLMGetDataf(unknown));
    EXPECT_EQ(0, XPLMGetDatai(unknown));
    float out[2] = {9, 9};
    EXPECT_EQ(0, XPLMGetDatavf(unknown, out, 0, 2));
    EXPECT_EQ(9.0f, out[0]);
    ASSERT_EQ(5u, sim().accesses().size());
    for (const skysim::DataAccess& access : sim().accesses()) EXPECT_EQ("", access.name);
    EXPECT_EQ(7.0, sim().accesses()[1].value);  // what the plug-in tried to write
}

TEST_F(DataRefTest, HandlesOutliveResetWhileValuesDoNot) {
    XPLMDataRef gear = find(kGear);
    XPLMSetDatai(gear, 1);
    sim().reset(root_.path());
    EXPECT_EQ(gear, find(kGear));
    EXPECT_EQ(0, XPLMGetDatai(gear));
    EXPECT_EQ(1u, sim().accesses().size()) << "reset forgets the calls before it";
}

TEST_F(DataRefTest, DefaultsAreZeroButColoursAndLightLevels) {
    EXPECT_EQ(0.0, sim().getDouble(kLatitude));
    EXPECT_EQ((std::vector<float>(16, 0.0f)), sim().getFloats(kThrottle));
    EXPECT_EQ(1.0f, sim().getFloat("sim/graphics/misc/cockpit_light_level_r"));
    std::vector<float> text = sim().getFloats("sim/graphics/colors/list_text_rgb");
    ASSERT_EQ(3u, text.size());
    EXPECT_GT(text[0], 0.0f);
    EXPECT_EQ(text[0], text[1]);  // grey
    sim().setFloats("sim/graphics/colors/list_text_rgb", {0.1f, 0.2f, 0.3f});
    sim().reset(root_.path());
    EXPECT_EQ(text, sim().getFloats("sim/graphics/colors/list_text_rgb"));
}

// A double reads as a float too; nothing else crosses types.
TEST_F(DataRefTest, TypedCallsOnAnotherTypeReadZeroAndWriteNothingButDoublesReadAsFloats) {
    sim().setDouble(kLocalX, 47.25);
    EXPECT_EQ(47.25f, XPLMGetDataf(find(kLocalX)));
    EXPECT_EQ(0, XPLMGetDatai(find(kLocalX)));
    EXPECT_EQ(47.25, XPLMGetDatad(find(kLocalX)));
    XPLMSetDataf(find(kLocalX), 3.0f);
    XPLMSetDatai(find(kLocalX), 3);
    EXPECT_EQ(47.25, sim().getDouble(kLocalX));
    sim().setFloat(kFlaps, 0.5f);
    EXPECT_EQ(0.0, XPLMGetDatad(find(kFlaps)));
    sim().setFloats(kThrottle, {0.5f});
    EXPECT_EQ(0.0f, XPLMGetDataf(find(kThrottle)));
}

TEST_F(DataRefTest, FloatsAndIntsKeepTheirOwnPrecision) {
    sim().setDouble(kFlaps, 0.1);
    EXPECT_EQ(0.1f, XPLMGetDataf(find(kFlaps)));
    sim().setFloat(kGear, 1.9f);
    EXPECT_EQ(1, XPLMGetDatai(find(kGear)));
    XPLMSetDatai(find(kGear), -4);
    EXPECT_EQ(-4, sim().getInt(kGear));
    EXPECT_EQ(-4.0, sim().getDouble(kGear));
}

TEST_F(DataRefTest, ArrayReadsGiveSizeCopyFromOffsetAndClip) {
    XPLMDataRef throttle = find(kThrottle);
    sim().setFloats(kThrottle, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    EXPECT_EQ(16, XPLMGetDatavf(throttle, nullptr, 0, 0));
    float out[8] = {};
    EXPECT_EQ(3, XPLMGetDatavf(throttle, out, 2, 3));
    EXPECT_EQ((std::vector<float>{2, 3, 4, 0}), std::vector<float>(out, out + 4));
    EXPECT_EQ(2, XPLMGetDatavf(throttle, out, 14, 8));
    EXPECT_EQ(14.0f, out[0]);
    EXPECT_EQ(0, XPLMGetDatavf(throttle, out, 16, 8));
    EXPECT_EQ(0, XPLMGetDatavf(throttle, out, -1, 8));
    EXPECT_EQ(0, XPLMGetDatavf(find(kGear), out, 0, 8));  // not an array
}

TEST_F(DataRefTest, ArrayWritesStartAtOffsetAndAreClippedToTheArray) {
    XPLMDataRef throttle = find(kThrottle);
    float values[4] = {0.5f, 0.6f, 0.7f, 0.8f};
    XPLMSetDatavf(throttle, values, 14, 4);
    std::vector<float> expected(16, 0.0f);
    expected[14] = 0.5f;
    expected[15] = 0.6f;
    EXPECT_EQ(expected, sim().getFloats(kThrottle));
    XPLMSetDatavf(throttle, values, 16, 1);
    XPLMSetDatavf(throttle, values, -1, 2);
    EXPECT_EQ(0.0f, sim().getFloats(kThrottle)[0]);
    const skysim::DataAccess& first = sim().accesses()[0];
    EXPECT_EQ(skysim::DataAccess::SetVF, first.kind);
    EXPECT_EQ(kThrottle, first.name);
    EXPECT_EQ(14, first.offset);
    EXPECT_EQ((std::vector<float>{0.5f, 0.6f}), first.values);
}

TEST_F(DataRefTest, AccessesListPluginCallsInOrderWithValuesButNotDriverCalls) {
    sim().setInt(kGear, 1);
    sim().getInt(kGear);
    XPLMGetDatai(find(kGear));
    XPLMSetDataf(find(kFlaps), 0.25f);
    float rgb[3];
    XPLMGetDatavf(find("sim/graphics/colors/menu_text_rgb"), rgb, 0, 3);
    const std::vector<skysim::DataAccess>& seen = sim().accesses();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(skysim::DataAccess::GetI, seen[0].kind);
    EXPECT_EQ(1.0, seen[0].value);
    EXPECT_EQ(skysim::DataAccess::SetF, seen[1].kind);
    EXPECT_EQ(kFlaps, seen[1].name);
    EXPECT_EQ(0.25, seen[1].value);
    EXPECT_EQ(skysim::DataAccess::GetVF, seen[2].kind);
    EXPECT_EQ(std::vector<float>(rgb, rgb + 3), seen[2].values);
    sim().clearAccesses();
    EXPECT_TRUE(sim().accesses().empty());
}

TEST_F(DataRefTest, SetFromTextFollowsTheType) {
    EXPECT_TRUE(sim().setFromText(kFlaps, "0.5"));
    EXPECT_EQ(0.5f, sim().getFloat(kFlaps));
    EXPECT_TRUE(sim().setFromText(kLatitude, " 12.25 "));
    EXPECT_EQ(12.25, sim().getDouble(kLatitude));
    EXPECT_TRUE(sim().setFromText(kGear, "3"));
    EXPECT_EQ(3, sim().getInt(kGear));
    EXPECT_FALSE(sim().setFromText(kGear, "3.5"));
    EXPECT_EQ(3, sim().getInt(kGear));
    sim().setFloats(kThrottle, std::vector<float>(8, 0.9f));
    EXPECT_TRUE(sim().setFromText(kThrottle, "0.2,0.4"));
    std::vector<float> throttles = sim().getFloats(kThrottle);
    EXPECT_EQ((std::vector<float>{0.2f, 0.4f, 0.9f}), std::vector<float>(throttles.begin(), throttles.begin() + 3));
    EXPECT_FALSE(sim().setFromText(kThrottle, "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17"));
    EXPECT_FALSE(sim().setFromText(kThrottle, "0.2,,0.4"));
    EXPECT_FALSE(sim().setFromText(kFlaps, "abc"));
    EXPECT_FALSE(sim().setFromText(kFlaps, "1.5x"));
    EXPECT_FALSE(sim().setFromText("sim/no/such/ref", "1"));
}

TEST_F(DataRefTest, WorldToLocalIsEquirectangularAboutTheOrigin) {
    double x = 1, y = 1, z = 1;
    XPLMWorldToLocal(0, 0, 250, &x, &y, &z);
    EXPECT_EQ(0.0, x);
    EXPECT_EQ(250.0, y);
    EXPECT_EQ(0.0, z);
    XPLMWorldToLocal(1, 1, 0, &x, &y, &z);
    EXPECT_NEAR(111319.49, x, 0.01);   // one degree of arc of the equator, east
    EXPECT_NEAR(-111319.49, z, 0.01);  // north is toward negative z
    XPLMWorldToLocal(1, 1, 0, nullptr, &y, nullptr);
}

TEST_F(DataRefTest, WritingLocalPositionMovesLatitudeLongitudeElevationAtTheNextFrame) {
    double x, y, z;
    XPLMWorldToLocal(47.4647, 8.5492, 432.0, &x, &y, &z);
    XPLMSetDatad(find(kLocalX), x);
    XPLMSetDatad(find(kLocalY), y);
    XPLMSetDatad(find(kLocalZ), z);
    EXPECT_EQ(0.0, XPLMGetDatad(find(kLatitude))) << "not within the same callback";
    sim().runFrames(1);
    EXPECT_NEAR(47.4647, sim().getDouble(kLatitude), 1e-9);
    EXPECT_NEAR(8.5492, sim().getDouble(kLongitude), 1e-9);
    EXPECT_NEAR(432.0, sim().getDouble(kElevation), 1e-9);
}

TEST_F(DataRefTest, SettingLatitudeLongitudeElevationMovesLocalPosition) {
    sim().setDouble(kLatitude, -33.9461);
    sim().setDouble(kLongitude, 151.1772);
    sim().setDouble(kElevation, 6.0);
    double x, y, z;
    XPLMWorldToLocal(-33.9461, 151.1772, 6.0, &x, &y, &z);
    EXPECT_DOUBLE_EQ(x, XPLMGetDatad(find(kLocalX)));
    EXPECT_DOUBLE_EQ(y, XPLMGetDatad(find(kLocalY)));
    EXPECT_DOUBLE_EQ(z, XPLMGetDatad(find(kLocalZ)));
}

// The published list says which a plug-in may write: latitude, longitude,
// elevation and the magnetic variation are the simulator's own.
TEST_F(DataRefTest, PluginWritesToUnwritableReferencesAreRecordedIgnoredAndLoggedOncePerName) {
    const char* const kVariation = "sim/flightmodel/position/magnetic_variation";
    sim().setDouble(kLatitude, 10.0);
    sim().setDouble(kElevation, 300.0);
    sim().setFloat(kVariation, 4.0f);
    double x = sim().getDouble(kLocalX);
    sim().clearAccesses();
    for (int i = 0; i < 2; ++i) {
        XPLMSetDatad(find(kLatitude), 50.0);
        XPLMSetDatad(find(kElevation), 700.0);
        XPLMSetDataf(find(kVariation), -8.0f);
    }
    sim().runFrames(1);
    EXPECT_EQ(10.0, sim().getDouble(kLatitude));
    EXPECT_EQ(300.0, sim().getDouble(kElevation));
    EXPECT_EQ(4.0f, sim().getFloat(kVariation));
    EXPECT_EQ(x, sim().getDouble(kLocalX)) << "nothing follows an ignored write";
    ASSERT_EQ(6u, sim().accesses().size());
    EXPECT_EQ(skysim::DataAccess::SetD, sim().accesses()[0].kind);
    EXPECT_EQ(kLatitude, sim().accesses()[0].name);
    EXPECT_EQ(50.0, sim().accesses()[0].value);
    const std::string log = sim().simLog();
    for (const char* name : {kLatitude, kElevation, kVariation}) {
        size_t first = log.find(std::string("\"") + name + "\" is not writable");
        EXPECT_NE(std::string::npos, first) << name << " in\n" << log;
        EXPECT_EQ(std::string::npos, log.find(name, first + 2)) << "said once: " << name;
    }
    // Writable neighbours take a plug-in's write and move them at the next frame.
    XPLMSetDatad(find(kLocalY), 900.0);
    sim().runFrames(1);
    EXPECT_EQ(900.0, sim().getDouble(kElevation));
}

// A replay shows the recorded flight: a plug-in's writes to the aircraft's
// state are ignored, each said in the log; the rest of what is writable, and
// the same writes once the replay is over, are taken.
TEST_F(DataRefTest, DuringAReplayWritesToTheAircraftAreIgnoredAndLogged) {
    sim().setInt("sim/time/is_in_replay", 1);
    XPLMSetDatad(find(kLocalY), 900.0);
    float q[4] = {std::sqrt(0.5f), 0, 0, std::sqrt(0.5f)};
    XPLMSetDatavf(find(kQ), q, 0, 4);
    XPLMSetDataf(find("sim/flightmodel/controls/flaprqst"), 0.5f);
    sim().runFrames(1);
    EXPECT_EQ(0.0, sim().getDouble(kElevation));
    EXPECT_EQ(0.0f, sim().getFloat(kPsi));
    EXPECT_EQ(0.5f, sim().getFloat("sim/flightmodel/controls/flaprqst"));
    const std::string log = sim().simLog();
    EXPECT_NE(std::string::npos, log.find(std::string("XPLMSetDatad: \"") + kLocalY + "\" written during a replay"));
    EXPECT_NE(std::string::npos, log.find(std::string("XPLMSetDatavf: \"") + kQ + "\" written during a replay"));
    EXPECT_EQ(2, occurrences(log, "during a replay")) << log;
    sim().setInt("sim/time/is_in_replay", 0);
    XPLMSetDatad(find(kLocalY), 900.0);
    sim().runFrames(1);
    EXPECT_EQ(900.0, sim().getDouble(kElevation));
}

TEST_F(DataRefTest, QuaternionOfAQuarterTurnReadsAsHeadingNinetyFromTheNextFrame) {
    float q[4] = {std::sqrt(0.5f), 0, 0, std::sqrt(0.5f)};
    XPLMSetDatavf(find(kQ), q, 0, 4);
    EXPECT_EQ(0.0f, XPLMGetDataf(find(kPsi)));
    sim().runFrames(1);
    EXPECT_NEAR(90.0f, XPLMGetDataf(find(kPsi)), 1e-4);
    EXPECT_NEAR(0.0f, XPLMGetDataf(find(kTheta)), 1e-4);
    EXPECT_NEAR(0.0f, XPLMGetDataf(find(kPhi)), 1e-4);
}

TEST_F(DataRefTest, EulerAnglesAndQuaternionRoundTrip) {
    sim().setFloat(kPsi, 250.0f);
    sim().setFloat(kTheta, 10.0f);
    sim().setFloat(kPhi, -20.0f);
    std::vector<float> q = sim().getFloats(kQ);
    float norm = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3];
    EXPECT_NEAR(1.0f, norm, 1e-5);
    sim().setFloat(kPsi, 0.0f);  // scramble the angles, then write the quaternion back
    sim().setFloat(kPhi, 5.0f);
    XPLMSetDatavf(find(kQ), q.data(), 0, 4);
    sim().runFrames(1);
    EXPECT_NEAR(250.0f, sim().getFloat(kPsi), 1e-3);
    EXPECT_NEAR(10.0f, sim().getFloat(kTheta), 1e-3);
    EXPECT_NEAR(-20.0f, sim().getFloat(kPhi), 1e-3);
}

TEST_F(DataRefTest, HeadingComesBackInZeroTo360) {
    sim().setFloat(kPsi, -30.0f);
    std::vector<float> q = sim().getFloats(kQ);
    XPLMSetDatavf(find(kQ), q.data(), 0, 4);
    sim().runFrames(1);
    EXPECT_NEAR(330.0f, sim().getFloat(kPsi), 1e-3);
    float nearNorth[4] = {1.0f, 0, 0, -1e-9f};
    XPLMSetDatavf(find(kQ), nearNorth, 0, 4);
    sim().runFrames(1);
    EXPECT_GE(sim().getFloat(kPsi), 0.0f);
    EXPECT_LT(sim().getFloat(kPsi), 360.0f);
}

TEST_F(DataRefTest, LocalVelocitySetsIndicatedAirspeedInKnotsAtSeaLevel) {
    XPLMSetDataf(find("sim/flightmodel/position/local_vx"), 51.444447f);
    XPLMSetDataf(find("sim/flightmodel/position/local_vy"), 0.0f);
    XPLMSetDataf(find("sim/flightmodel/position/local_vz"), 0.0f);
    sim().runFrames(1);
    EXPECT_NEAR(100.0f, sim().getFloat(kAirspeed), 1e-3);
    sim().setFloat("sim/flightmodel/position/local_vx", 3.0f);
    sim().setFloat("sim/flightmodel/position/local_vy", 0.0f);
    sim().setFloat("sim/flightmodel/position/local_vz", -4.0f);
    EXPECT_NEAR(5.0f / 0.5144444f, sim().getFloat(kAirspeed), 1e-3);
}
