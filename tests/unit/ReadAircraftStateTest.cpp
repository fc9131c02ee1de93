// Reading the aircraft's state into a record: the throttle comes from a
// zeroed array, so an aircraft whose throttle array yields nothing reads 0.
#include "OwnPluginAppFixture.h"

namespace {

class ReadAircraftStateTest : public OwnPluginAppTest {};

TEST_F(ReadAircraftStateTest, ThrottleArrayYieldingNothingReadsZero) {
    app_->throttleRef = nullptr;  // a name the simulator does not know
    PositionRecord record{};
    record.Throttle = 9.0f;
    app_->readAircraftState(record);
    EXPECT_EQ(0.0f, record.Throttle);
}

TEST_F(ReadAircraftStateTest, UseAutoPilotDataIsLeftAsItWas) {
    app_->lookUpDataRefs();
    sim().setFloats("sim/flightmodel/engine/ENGN_thro", {0.4f});
    PositionRecord record{};
    record.Use_AutoPilot_Data = 1;
    app_->readAircraftState(record);
    EXPECT_EQ(1, record.Use_AutoPilot_Data);
    EXPECT_FLOAT_EQ(0.4f, record.Throttle);
}

}  // namespace
