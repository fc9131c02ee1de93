// The placement flight loop on an application object of the test's own: its
// constant interval, its idle path, one placement per request and the one
// pause key stroke. End-to-end tests drive the same loop through the module.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "OwnPluginAppFixture.h"
#include "plugin/Callbacks.h"
#include "position/RecordText.h"

namespace {

class PlacementLoopTest : public OwnPluginAppTest {
protected:
    void SetUp() override {
        OwnPluginAppTest::SetUp();
        app_->magneticVariationRef = ref("sim/flightmodel/position/magnetic_variation");
        app_->qRef = ref("sim/flightmodel/position/q");
        app_->localVxRef = ref("sim/flightmodel/position/local_vx");
        app_->throttleRef = ref("sim/flightmodel/engine/ENGN_thro");
    }
    float callLoop() { return PlacementFlightLoop(0.1f, 0.1f, 1, nullptr); }
};

TEST_F(PlacementLoopTest, IdleCallTouchesNothingAndAsksAgainInATenth) {
    std::unique_ptr<PluginApp> before(new PluginApp(*app_));
    sim().clearAccesses();
    EXPECT_EQ(0.1f, callLoop());
    EXPECT_EQ(0, std::memcmp(before.get(), app_.get(), sizeof(PluginApp)));
    EXPECT_TRUE(sim().accesses().empty());
}

TEST_F(PlacementLoopTest, ArmedCallPlacesOnceAndDisarms) {
    app_->storedRecord.Throttle = 0.5f;
    app_->placementDone = 0;
    sim().clearAccesses();
    EXPECT_EQ(0.1f, callLoop());
    EXPECT_EQ(1, app_->placementDone);
    std::vector<float> throttles(16, 0.0f);
    std::fill(throttles.begin(), throttles.begin() + 8, 0.5f);
    EXPECT_EQ(throttles, sim().getFloats("sim/flightmodel/engine/ENGN_thro")) << "eight of the sixteen slots";
    EXPECT_EQ(0.1f, callLoop());  // the settle
    size_t afterSettle = sim().accesses().size();
    EXPECT_EQ(0.1f, callLoop());
    EXPECT_EQ(afterSettle, sim().accesses().size());
}

// The settle's air: the density the simulator reads where it is air at all,
// else the standard atmosphere at the placed altitude; a wind that reads as
// no number counts as none.
TEST_F(PlacementLoopTest, TheSettleTakesStandardAirForNonsenseDensityAndNoWindForNonsenseWind) {
    app_->airDensityRef = ref("sim/weather/rho");
    app_->windEastRef = ref("sim/weather/wind_now_x_msc");
    app_->windUpRef = ref("sim/weather/wind_now_y_msc");
    app_->windSouthRef = ref("sim/weather/wind_now_z_msc");
    app_->localVyRef = ref("sim/flightmodel/position/local_vy");
    app_->storedRecord.Heading = 90.0f;
    app_->storedRecord.Speed = 200.0f;
    app_->storedRecord.Altitude = 32800.0;  // 10,000 m
    auto settledVx = [this](float density, float windEast) {
        sim().setFloat("sim/weather/rho", density);
        sim().setWind(windEast, 2.0, 0.0);
        app_->placementDone = 0;
        callLoop();  // placed
        sim().clearAccesses();
        callLoop();  // settled
        EXPECT_FALSE(sim().accesses().empty());
        return sim().getFloat("sim/flightmodel/position/local_vx");
    };
    const float standard = settledVx(1.225f * 0.3369f, 0.0f);  // the standard atmosphere's at 10,000 m
    EXPECT_NEAR(200.0 / std::sqrt(0.3369) * 0.514444, standard, 0.05);
    for (float nonsense : {0.0f, -1.0f, NAN, INFINITY}) {
        EXPECT_NEAR(standard, settledVx(nonsense, 0.0f), 0.05) << nonsense;
    }
    EXPECT_NEAR(200.0 * 0.514444 + 5.0, settledVx(1.225f, 5.0f), 1e-3) << "sea-level air, 5 m/s of wind";
    EXPECT_EQ(2.0f, sim().getFloat("sim/flightmodel/position/local_vy"));
    EXPECT_NEAR(200.0 * 0.514444, settledVx(1.225f, NAN), 1e-3);
    EXPECT_EQ(0.0f, sim().getFloat("sim/flightmodel/position/local_vy")) << "the whole wind counts as none";
    EXPECT_NEAR(20000.0 * 0.514444, settledVx(1e-6f, 0.0f), 0.05) << "air far thinner than the standard's";
}

// The track the velocity points along, in degrees 0 to 360.
double track(const skysim::Sim& sim) {
    const double degrees = std::atan2(sim.getFloat("sim/flightmodel/position/local_vx"),
                                      -sim.getFloat("sim/flightmodel/position/local_vz")) *
                           180.0 / M_PI;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

// The placement moves along the whole degrees it always has; the settle then
// flies the exact true heading, so the aircraft is left with no sideslip.
TEST_F(PlacementLoopTest, TheSettleFliesTheExactTrueHeading) {
    app_->localVzRef = ref("sim/flightmodel/position/local_vz");
    sim().setFloat("sim/flightmodel/position/magnetic_variation", -13.3f);
    app_->storedRecord.Heading = 250.4f;
    app_->storedRecord.Speed = 450.0f;
    app_->placementDone = 0;
    callLoop();
    EXPECT_NEAR(263.0, track(sim()), 1e-4);
    callLoop();
    EXPECT_NEAR(263.7, track(sim()), 0.05);
}

TEST_F(PlacementLoopTest, AllZeroRecordFacesMinusTheOldVariation) {
    sim().setFloat("sim/flightmodel/position/magnetic_variation", 12.0f);
    app_->placementDone = 0;
    callLoop();
    std::vector<float> q = sim().getFloats("sim/flightmodel/position/q");
    ASSERT_EQ(4u, q.size());
    EXPECT_NEAR(std::cos(-6.0 * M_PI / 180.0), q[0], 1e-6);
    EXPECT_NEAR(std::sin(-6.0 * M_PI / 180.0), q[3], 1e-6);
    EXPECT_EQ(0.0f, sim().getFloat("sim/flightmodel/position/local_vx"));
}

// The velocity's precision: the sine and the negated cosine are rounded to
// single precision; their product with the speed and the single-precision
// factor is worked in double and rounded once, as it is written.
TEST_F(PlacementLoopTest, VelocityIsWorkedOutInDoubleAndWrittenAsFloat) {
    app_->localVzRef = ref("sim/flightmodel/position/local_vz");
    app_->storedRecord.Heading = 1.0f;
    app_->storedRecord.Speed = 123.0f;
    app_->placementDone = 0;
    callLoop();
    const double radians = 1 * (1.0 / 57.29577951308238);
    const float factor = static_cast<float>(0.5144444456666667);
    const float vx = static_cast<float>(double(static_cast<float>(std::sin(radians))) * 123.0 * double(factor));
    const float vz = static_cast<float>(double(static_cast<float>(-std::cos(radians))) * 123.0 * double(factor));
    EXPECT_EQ(vx, sim().getFloat("sim/flightmodel/position/local_vx"));
    EXPECT_EQ(vz, sim().getFloat("sim/flightmodel/position/local_vz"));
    EXPECT_NE(static_cast<float>(std::sin(radians)) * 123.0f * factor, vx)
        << "the case must tell the single-precision product apart";
}

TEST_F(PlacementLoopTest, PauseFollowsOnlyTheFirstPlacementWithBothSettings) {
    app_->config.AutoStart = 1;
    app_->config.PauseAutoStart = 1;
    app_->placementDone = 0;
    callLoop();
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes());
    EXPECT_EQ(0, app_->config.PauseAutoStart);
    EXPECT_EQ(1, app_->config.AutoStart);
    app_->placementDone = 0;
    callLoop();
    EXPECT_EQ(std::vector<int>{0}, sim().keyStrokes());
}

TEST_F(PlacementLoopTest, NoPauseUnlessBothSettingsAreSet) {
    const int settings[][2] = {{0, 1}, {1, 0}, {0, 0}};
    for (const auto& s : settings) {
        app_->config.AutoStart = s[0];
        app_->config.PauseAutoStart = s[1];
        app_->placementDone = 0;
        callLoop();
        EXPECT_TRUE(sim().keyStrokes().empty()) << s[0] << s[1];
        EXPECT_EQ(s[1], app_->config.PauseAutoStart);
    }
}

TEST_F(PlacementLoopTest, NoPauseWithoutAPlacement) {
    app_->config.AutoStart = 1;
    app_->config.PauseAutoStart = 1;
    callLoop();
    EXPECT_TRUE(sim().keyStrokes().empty());
    EXPECT_EQ(1, app_->config.PauseAutoStart);
}

TEST_F(PlacementLoopTest, HeadingsBeyondAnyIntStillGiveAFiniteVelocity) {
    // Whatever a file holds is placed; a huge or infinite heading must not
    // reach an integer conversion.
    const float headings[] = {3.0e9f, -3.0e9f, INFINITY, -INFINITY, NAN};
    for (float heading : headings) {
        app_->storedRecord.Heading = heading;
        app_->storedRecord.Speed = 100.0f;
        app_->placementDone = 0;
        sim().clearAccesses();
        callLoop();
        float vx = sim().getFloat("sim/flightmodel/position/local_vx");
        EXPECT_TRUE(std::isfinite(vx)) << heading;
        EXPECT_EQ(1, app_->placementDone);
    }
}

// Each bound is a place, just past it a refusal: nothing read or written, the
// message window naming the value as the file writes it (with the decimals
// that show it outside) and its range, each line inside the window, and the
// record kept as it was. So is a speed that is too fast a true airspeed at its
// altitude (1000 m, where the air is 0.907 of the sea's).
TEST_F(PlacementLoopTest, AValueOutsideItsRangeIsRefusedAndTheEdgesArePlaced) {
    const char* const kLatitudes = "Not placed: use -90 to 90";
    const char* const kLongitudes = "Not placed: use -180 to 180";
    const char* const kAltitudes = "Not placed: use -1500 to 1000000";
    const char* const kSpeeds = "Not placed: use -20000 to 20000";
    const char* const kTooFast = "Not placed: over 20000 kt true";
    struct Row {
        int field;  // Latitude 1, Longitude 2, Altitude 3, Speed 7
        const char* value;
        const char* shown;  // null: placed
        const char* range;
        const char* altitude = "0";
    };
    const Row rows[] = {
        {1, "-90", nullptr, nullptr},
        {1, "90", nullptr, nullptr},
        {1, "-90.000001", "Latitude = -90.000001", kLatitudes},
        {1, "90.000001", "Latitude = 90.000001", kLatitudes},
        {1, "90.0000001", "Latitude = 90.0000001", kLatitudes},
        {1, "-90.00000000000001", "Latitude = -90.00000000000001", kLatitudes},
        {2, "-180", nullptr, nullptr},
        {2, "180", nullptr, nullptr},
        {2, "-180.000001", "Longitude = -180.000001", kLongitudes},
        {2, "180.000001", "Longitude = 180.000001", kLongitudes},
        {2, "1e300", "Longitude = 10000000000000000...", kLongitudes},
        {3, "-1500", nullptr, nullptr},
        {3, "1000000", nullptr, nullptr},
        {3, "-1500.000001", "Altitude = -1500.000001", kAltitudes},
        {3, "1000000.000001", "Altitude = 1000000.000001", kAltitudes},
        {3, "1000000.0000000002", "Altitude = 1000000.0000000002", kAltitudes},
        {7, "-20000", nullptr, nullptr},
        {7, "-0.001", nullptr, nullptr},
        {7, "20000", nullptr, nullptr},
        {7, "-20000.002", "Speed = -20000.001953", kSpeeds},
        {7, "20000.002", "Speed = 20000.001953", kSpeeds},
        {7, "19000", nullptr, nullptr, "3280"},
        {7, "-19000", nullptr, nullptr, "3280"},
        {7, "19100", "Speed = 19100.000000", kTooFast, "3280"},
        {7, "-19100", "Speed = -19100.000000", kTooFast, "3280"},
        {7, "1", "Speed = 1.000000", kTooFast, "1000000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        app_->storedRecord = PositionRecord{};
        parseField(app_->storedRecord, 3, row.altitude);
        parseField(app_->storedRecord, row.field, row.value);
        const PositionRecord record = app_->storedRecord;
        app_->pendingSettle = PendingSettle{};  // the last row's settle
        if (app_->messageWindow != nullptr) XPDestroyWidget(app_->messageWindow, 1);
        app_->messageWindow = nullptr;
        app_->placementDone = 0;
        sim().clearAccesses();
        callLoop();
        EXPECT_EQ(0, std::memcmp(&record, &app_->storedRecord, sizeof record));
        EXPECT_EQ(row.shown == nullptr, !sim().accesses().empty());
        if (row.shown == nullptr) {
            EXPECT_EQ(nullptr, app_->messageWindow);
            continue;
        }
        ASSERT_NE(nullptr, app_->messageWindow);
        const skysim::WidgetId window = reinterpret_cast<skysim::WidgetId>(app_->messageWindow);
        EXPECT_EQ("SkyPlacer Plugin Error", sim().widget(window).descriptor);
        const std::vector<skysim::WidgetId> lines = sim().children(window);
        ASSERT_LE(2u, lines.size());
        EXPECT_EQ(row.shown, sim().widget(lines[0]).descriptor);
        EXPECT_EQ(row.range, sim().widget(lines[1]).descriptor);
        for (int i = 0; i < 2; ++i) {
            const skysim::WidgetInfo line = sim().widget(lines[i]);
            EXPECT_LE(line.left + int(line.descriptor.size()) * skysim::Sim::kFontWidth, sim().widget(window).right);
        }
    }
}

}  // namespace
