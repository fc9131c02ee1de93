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
