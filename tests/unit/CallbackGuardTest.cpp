// The boundary every simulator callback runs through: work that returns gives
// its own value; work cut short by an exception gives the callback's neutral
// value, and the pilot reads one line about it per callback and run.
#include <stdexcept>

#include "AppFixture.h"
#include "plugin/CallbackGuard.h"

namespace {

using CallbackGuardTest = AppFixture;

TEST_F(CallbackGuardTest, WorkThatReturnsGivesItsOwnValueAndSaysNothing) {
    EXPECT_EQ(5, guarded(SimulatorCall::CommandHandler, 1, [] { return 5; }));
    EXPECT_EQ(std::string::npos, sim().simLog().find("stopped"));
}

TEST_F(CallbackGuardTest, ThrownWorkGivesTheNeutralValueAndIsToldOncePerCallback) {
    app_->config.LogFile = 1;
    auto failing = []() -> float { throw std::runtime_error("the disk caught fire"); };
    EXPECT_EQ(0.1f, guarded(SimulatorCall::PlacementFlightLoop, 0.1f, failing));
    EXPECT_EQ(0.1f, guarded(SimulatorCall::PlacementFlightLoop, 0.1f, failing));
    guarded(SimulatorCall::MenuHandler, [] { throw 3; });
    const std::string line =
        "SkyPlacer - PlacementFlightLoop stopped: the disk caught fire. What it was doing is "
        "left undone and the simulator goes on.";
    EXPECT_EQ(1, occurrences(sim().simLog(), line));
    EXPECT_EQ(1, occurrences(logText(), line));
    EXPECT_EQ(1, occurrences(sim().simLog(), "MenuHandler stopped: an unknown error."));
}

}  // namespace
