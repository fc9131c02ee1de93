// The simulator's published data references as the stand-in's catalogue, and
// what its flight model makes of writes: values derived at the next frame,
// the indicated airspeed at altitude, and the autopilot's mode buttons.
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "CoreTestFixture.h"

namespace {

const char* const kPsi = "sim/flightmodel/position/psi";
const char* const kQ = "sim/flightmodel/position/q";
const char* const kElevation = "sim/flightmodel/position/elevation";
const char* const kAirspeed = "sim/flightmodel/position/indicated_airspeed";
const char* const kVx = "sim/flightmodel/position/local_vx";
const char* const kState = "sim/cockpit/autopilot/autopilot_state";

constexpr double kKnot = 1852.0 / 3600.0;  // metres per second
constexpr double kFeet = 0.3048;           // metres

// Elements of a published type: "float[56][2][2][721]" has 161504; a scalar or byte[] none.
int elementsOf(const std::string& type) {
    if (type.find('[') == std::string::npos || type.find("[]") != std::string::npos) return 0;
    int count = 1;
    for (size_t at = type.find('['); at != std::string::npos; at = type.find('[', at + 1)) {
        count *= std::stoi(type.substr(at + 1));
    }
    return count;
}

using PublishedDataRefs = CoreTest;
using FlightModel = CoreTest;
using Autopilot = CoreTest;

// Flying level at this true airspeed (knots) at this elevation (metres), frames passed.
void fly(skysim::Sim& sim, double trueKnots, double metres) {
    sim.setDouble(kElevation, metres);
    XPLMSetDataf(XPLMFindDataRef(kVx), static_cast<float>(trueKnots * kKnot));
    sim.runFrames(1);
}

int pressed(int value) {
    XPLMSetDatai(XPLMFindDataRef(kState), value);
    return XPLMGetDatai(XPLMFindDataRef(kState));
}

}  // namespace

// Every line of the list the stand-in carries resolves, with its type and size.
TEST_F(PublishedDataRefs, EveryPublishedNameResolvesWithItsTypeAndSize) {
    std::ifstream table(std::string(SKYPLACER_SOURCE_DIR) + "/sim/data/datarefs-12.1.tsv");
    std::string line;
    int names = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, type;
        std::getline(fields, name, '\t');
        std::getline(fields, type, '\t');
        XPLMDataRef ref = XPLMFindDataRef(name.c_str());
        ASSERT_NE(nullptr, ref) << name;
        ++names;
        EXPECT_EQ(type.rfind("float[", 0) == 0 ? elementsOf(type) : 0, XPLMGetDatavf(ref, nullptr, 0, 0)) << line;
        if (type.find('[') != std::string::npos) continue;
        sim().setDouble(name, 2.0);
        EXPECT_EQ(type == "int" ? 2 : 0, XPLMGetDatai(ref)) << line;
        EXPECT_EQ(type == "int" ? 0.0f : 2.0f, XPLMGetDataf(ref)) << line << ": a double reads as a float too";
        EXPECT_EQ(type == "double" ? 2.0 : 0.0, XPLMGetDatad(ref)) << line;
    }
    EXPECT_EQ(5573, names);
    EXPECT_TRUE(sim().unpublishedLookUps().empty());
    EXPECT_EQ(nullptr, XPLMFindDataRef("sim/graphics/colors/menu_bkgnd_rgb")) << "published by older versions only";
    EXPECT_EQ(std::vector<std::string>{"sim/graphics/colors/menu_bkgnd_rgb"}, sim().unpublishedLookUps());
}

TEST_F(FlightModel, WrittenAnglesAreOverwrittenFromTheQuaternionAtTheNextFrame) {
    sim().setFloat(kPsi, 120.0f);
    const std::vector<float> q = sim().getFloats(kQ);
    XPLMSetDataf(XPLMFindDataRef(kPsi), 300.0f);
    EXPECT_EQ(300.0f, XPLMGetDataf(XPLMFindDataRef(kPsi))) << "the write holds until the flight model runs";
    EXPECT_EQ(q, sim().getFloats(kQ)) << "and turns nothing";
    sim().runFrames(1);
    EXPECT_NEAR(120.0f, XPLMGetDataf(XPLMFindDataRef(kPsi)), 1e-3);
}

// The standard atmosphere's density ratio: 0.6012 at 5,000 m, 0.2971 at
// 11,000 m and 0.0719 at 20,000 m.
TEST_F(FlightModel, IndicatedAirspeedIsTheTrueAirspeedScaledByTheAirsDensity) {
    for (const auto& [metres, sigma] : {std::pair{0.0, 1.0}, {5000.0, 0.6012}, {11000.0, 0.2971}, {20000.0, 0.0719}}) {
        fly(sim(), 200.0, metres);
        EXPECT_NEAR(200.0 * std::sqrt(sigma), sim().getFloat(kAirspeed), 0.1) << metres << " m";
    }
    fly(sim(), 250.0, 35000 * kFeet);
    EXPECT_NEAR(139.2, sim().getFloat(kAirspeed), 0.3) << "250 knots true at 35,000 ft";
    XPLMSetDataf(XPLMFindDataRef(kAirspeed), 250.0f);
    sim().runFrames(1);
    EXPECT_NEAR(139.2, sim().getFloat(kAirspeed), 0.3) << "a written airspeed is overwritten at the next frame";
}

// The driver sets the aircraft flying at an indicated airspeed: the velocity follows.
TEST_F(FlightModel, TheDriversIndicatedAirspeedSetsTheVelocityAlongTheHeading) {
    sim().setDouble(kElevation, 35000 * kFeet);
    sim().setFloat(kPsi, 90.0f);
    sim().setFloat(kAirspeed, 139.2f);
    EXPECT_NEAR(250.0, sim().getFloat(kVx) / kKnot, 0.5);
    EXPECT_NEAR(0.0, sim().getFloat("sim/flightmodel/position/local_vz"), 1e-3);
    sim().runFrames(3);
    EXPECT_FLOAT_EQ(139.2f, sim().getFloat(kAirspeed));
}

TEST_F(Autopilot, AWriteIsAPressOfEachSetBitSoTheSameWriteTwiceReleasesThemAll) {
    EXPECT_EQ(2 | 16 | 32 | 1, pressed(2 | 16 | 32 | 1));
    EXPECT_EQ(0, pressed(2 | 16 | 32 | 1));
    EXPECT_EQ(0, pressed(0));
    sim().setInt(kState, 6);  // the driver sets the panel directly, whatever it shows
    EXPECT_EQ(6, XPLMGetDatai(XPLMFindDataRef(kState)));
}

TEST_F(Autopilot, EngagingAModeReleasesTheOtherEngagedModesOfItsAxisOnly) {
    const int lateral = 2, roll = 4, nav = 512, vs = 16, altHold = 16384, altArm = 32, navArm = 256, fms = 4096;
    EXPECT_EQ(lateral | vs | altArm, pressed(lateral | vs | altArm));
    EXPECT_EQ(roll | vs | altArm, pressed(roll));
    EXPECT_EQ(nav | altHold | altArm | navArm, pressed(nav | vs | altHold | navArm)) << "lowest bit first";
    EXPECT_EQ(nav | altHold | altArm | navArm | fms | 1 | 131072, pressed(fms | 1 | 131072));
    EXPECT_EQ(lateral | altHold | navArm | fms | 1 | 131072, pressed(lateral | altArm)) << "arms toggle alone";
}

// The air the aircraft flies in: the density of the standard atmosphere,
// thinned by a warmer day, and the wind, which the indicated airspeed leaves out.
TEST_F(FlightModel, IndicatedAirspeedIsTheSpeedThroughTheAirOfTheDay) {
    const char* const kRho = "sim/weather/rho";
    EXPECT_FLOAT_EQ(1.225f, sim().getFloat(kRho)) << "standard air at sea level after reset";
    sim().setTemperatureOffset(20.0);
    EXPECT_NEAR(1.225 * 288.15 / 308.15, sim().getFloat(kRho), 1e-5);
    sim().setTemperatureOffset(0.0);

    sim().setWind(20.0 * kKnot, 0.0, 0.0);
    EXPECT_FLOAT_EQ(20.0f * kKnot, sim().getFloat("sim/weather/aircraft/wind_now_x_msc"));
    fly(sim(), 100.0, 0.0);  // 100 knots east over the ground, 20 of them the wind's
    EXPECT_NEAR(80.0, sim().getFloat(kAirspeed), 0.01);
    sim().setFloat(kAirspeed, 150.0f);  // the driver's speed is through the air too
    EXPECT_NEAR(170.0, sim().getFloat(kVx) / kKnot, 0.01);

    fly(sim(), 100.0, 5000.0);
    const double standard = sim().getFloat(kAirspeed);
    sim().setTemperatureOffset(25.0);
    EXPECT_LT(sim().getFloat(kAirspeed), standard - 2.0) << "a hot day at altitude reads slow";
}

// The variation and the density belong to the place, derived with it: for the
// plug-in's write at the next frame, for the driver's at once.
TEST_F(FlightModel, TheVariationAndTheAirFollowThePlace) {
    const char* const kVariation = "sim/flightmodel/position/magnetic_variation";
    EXPECT_EQ(0.0f, sim().getFloat(kVariation)) << "0 at latitude 0, longitude 0";
    sim().setDouble("sim/flightmodel/position/latitude", 50.0);
    sim().setDouble("sim/flightmodel/position/longitude", 10.0);
    const float europe = sim().getFloat(kVariation);
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(40.0, -75.0, 10000.0, &x, &y, &z);
    XPLMSetDatad(XPLMFindDataRef("sim/flightmodel/position/local_x"), x);
    XPLMSetDatad(XPLMFindDataRef("sim/flightmodel/position/local_y"), y);
    XPLMSetDatad(XPLMFindDataRef("sim/flightmodel/position/local_z"), z);
    EXPECT_EQ(europe, sim().getFloat(kVariation)) << "not before the flight model runs";
    EXPECT_FLOAT_EQ(1.225f, sim().getFloat("sim/weather/rho"));
    sim().runFrames(1);
    EXPECT_GT(std::fabs(europe - sim().getFloat(kVariation)), 20.0f) << "Europe and North America";
    EXPECT_NEAR(0.4135, sim().getFloat("sim/weather/rho"), 1e-3) << "at 10,000 m";
    for (double latitude = -90; latitude <= 90; latitude += 7.5) {
        for (double longitude = -180; longitude <= 180; longitude += 7.5) {
            sim().setDouble("sim/flightmodel/position/latitude", latitude);
            sim().setDouble("sim/flightmodel/position/longitude", longitude);
            ASSERT_LE(std::fabs(sim().getFloat(kVariation)), 25.0f) << latitude << ", " << longitude;
        }
    }
}
