// Flight loop timing: first calls, rescheduling by return value, frame counts,
// stopping with 0, replacing and unregistering (also from inside a callback).
#include <string>
#include <vector>

#include "CoreTestFixture.h"
#include "skysim/FlightLoopFunctions.h"

namespace {

struct Call {
    float sinceLastCall;
    float sinceLastLoop;
    int counter;
    double time;
};

// What a loop is asked to do and what it saw; passed as the reference value.
struct Probe {
    float next = 0;  // returned at every call
    std::vector<Call> calls;
    XPLMFlightLoop_f unregisterOnCall = nullptr;  // unregisters this (callback, probe) pair at a call
    void* unregisterRefcon = nullptr;
    float reregisterInterval = 0;  // when non-zero, registers itself again at the call
    float ownInterval = 0;         // when non-zero, sets its own interval at the call
};

float recordingLoop(float sinceLastCall, float sinceLastLoop, int counter, void* refcon) {
    auto* probe = static_cast<Probe*>(refcon);
    probe->calls.push_back({sinceLastCall, sinceLastLoop, counter, skysim::Sim::get().now()});
    if (probe->unregisterOnCall != nullptr)
        XPLMUnregisterFlightLoopCallback(probe->unregisterOnCall, probe->unregisterRefcon);
    if (probe->reregisterInterval != 0) XPLMRegisterFlightLoopCallback(recordingLoop, probe->reregisterInterval, probe);
    if (probe->ownInterval != 0) XPLMSetFlightLoopCallbackInterval(recordingLoop, probe->ownInterval, 1, probe);
    return probe->next;
}

float otherLoop(float a, float b, int c, void* refcon) { return recordingLoop(a, b, c, refcon); }

std::vector<int> counters(const Probe& probe) {
    std::vector<int> result;
    for (const Call& call : probe.calls) result.push_back(call.counter);
    return result;
}

}  // namespace

using FlightLoopTest = CoreTest;

TEST_F(FlightLoopTest, AdvanceRunsWholeFramesOfOneTwentiethSecond) {
    sim().advance(1.2);
    EXPECT_NEAR(1.2, sim().now(), 1e-9);
    sim().advance(0.07);  // a part of a frame still needs the whole frame
    EXPECT_NEAR(1.3, sim().now(), 1e-9);
    sim().runFrames(3);
    EXPECT_NEAR(1.45, sim().now(), 1e-9);
    sim().advance(-1);
    EXPECT_NEAR(1.45, sim().now(), 1e-9);
}

TEST_F(FlightLoopTest, PositiveIntervalFirstCallsOnceThatTimeHasPassed) {
    Probe probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 1.0f, &probe);
    sim().advance(0.95);
    EXPECT_TRUE(probe.calls.empty());
    sim().runFrames(1);
    ASSERT_EQ(1u, probe.calls.size());
    EXPECT_NEAR(1.0f, probe.calls[0].sinceLastCall, 1e-5);
    EXPECT_NEAR(0.05f, probe.calls[0].sinceLastLoop, 1e-7);
    EXPECT_EQ(20, probe.calls[0].counter);
}

TEST_F(FlightLoopTest, ReturnedSecondsScheduleTheNextCall) {
    Probe probe;
    probe.next = 0.1f;
    XPLMRegisterFlightLoopCallback(recordingLoop, 1.0f, &probe);
    sim().advance(1.5);
    EXPECT_EQ((std::vector<int>{20, 22, 24, 26, 28, 30}), counters(probe));
    EXPECT_NEAR(0.1f, probe.calls.back().sinceLastCall, 1e-5);
}

TEST_F(FlightLoopTest, RegisteredLaterCountsFromItsRegistration) {
    sim().advance(0.5);
    Probe probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.25f, &probe);
    sim().advance(1);
    ASSERT_FALSE(probe.calls.empty());
    EXPECT_NEAR(0.75, probe.calls[0].time, 1e-9);
    EXPECT_NEAR(0.25f, probe.calls[0].sinceLastCall, 1e-5);
}

TEST_F(FlightLoopTest, NegativeIntervalCountsFrames) {
    Probe probe;
    probe.next = -3;
    XPLMRegisterFlightLoopCallback(recordingLoop, -1.0f, &probe);
    sim().runFrames(10);
    EXPECT_EQ((std::vector<int>{1, 4, 7, 10}), counters(probe));
    EXPECT_NEAR(0.15f, probe.calls[1].sinceLastCall, 1e-5);
}

TEST_F(FlightLoopTest, ReturningZeroStopsCallsButKeepsTheRegistration) {
    Probe probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.1f, &probe);
    sim().advance(2);
    EXPECT_EQ(1u, probe.calls.size());
    EXPECT_EQ(1, sim().flightLoopCount());
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.1f, &probe);  // wakes it again, and says so
    EXPECT_NE(std::string::npos, sim().simLog().find("already registered"));
    sim().advance(0.1);
    EXPECT_EQ(2u, probe.calls.size());
}

TEST_F(FlightLoopTest, IntervalZeroIsNeverCalled) {
    Probe probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.0f, &probe);
    sim().advance(5);
    EXPECT_TRUE(probe.calls.empty());
    EXPECT_EQ(1, sim().flightLoopCount());
}

// Registering twice is a fault the simulator's log shows; the later schedule wins.
TEST_F(FlightLoopTest, SameCallbackAndRefconReplacesAndIsLoggedOtherRefconAdds) {
    Probe first, second;
    XPLMRegisterFlightLoopCallback(recordingLoop, 1.0f, &first);
    XPLMRegisterFlightLoopCallback(recordingLoop, 2.0f, &second);
    EXPECT_EQ("", sim().simLog()) << "another reference value is another loop";
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.5f, &first);
    EXPECT_NE(std::string::npos, sim().simLog().find("XPLMRegisterFlightLoopCallback: the flight loop ("));
    EXPECT_NE(std::string::npos, sim().simLog().find(") is already registered; its schedule was replaced\n"));
    EXPECT_EQ(2, sim().flightLoopCount());
    sim().advance(2);
    EXPECT_EQ((std::vector<int>{10}), counters(first));
    EXPECT_EQ((std::vector<int>{40}), counters(second));
}

TEST_F(FlightLoopTest, LoopsDueInOneFrameRunInRegistrationOrder) {
    std::vector<int> order;
    static std::vector<int>* seen;
    seen = &order;
    auto first = [](float, float, int, void*) -> float {
        seen->push_back(1);
        return 0;
    };
    auto second = [](float, float, int, void*) -> float {
        seen->push_back(2);
        return 0;
    };
    XPLMRegisterFlightLoopCallback(second, 1.0f, nullptr);
    XPLMRegisterFlightLoopCallback(first, 1.0f, nullptr);
    sim().advance(1);
    EXPECT_EQ((std::vector<int>{2, 1}), order);
}

TEST_F(FlightLoopTest, UnregisteringItselfInsideTheCallbackEndsIt) {
    Probe probe;
    probe.next = 0.1f;
    probe.unregisterOnCall = recordingLoop;
    probe.unregisterRefcon = &probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.1f, &probe);
    sim().advance(1);
    EXPECT_EQ(1u, probe.calls.size());
    EXPECT_EQ(0, sim().flightLoopCount());
    const std::string fault = "XPLMUnregisterFlightLoopCallback: the flight loop (";
    EXPECT_EQ(0u, sim().simLog().find(fault)) << "the SDK says not to: " << sim().simLog();
    EXPECT_NE(std::string::npos, sim().simLog().find("from inside its own callback"));
    XPLMRegisterFlightLoopCallback(recordingLoop, 0.1f, &probe);  // gone, so a new registration
    EXPECT_EQ(std::string::npos, sim().simLog().find("already registered"));
}

// Another loop's interval, or one's own from outside, reschedules it; one's
// own from inside the callback is named, and the return value schedules it.
TEST_F(FlightLoopTest, SettingAnIntervalReschedulesButNotFromInsideTheLoopItself) {
    Probe other, self;
    XPLMRegisterFlightLoopCallback(otherLoop, 0.0f, &other);
    XPLMSetFlightLoopCallbackInterval(otherLoop, -2.0f, 1, &other);
    sim().runFrames(2);
    EXPECT_EQ((std::vector<int>{2}), counters(other));
    EXPECT_EQ("", sim().simLog());

    self.next = -1.0f;
    self.ownInterval = -5.0f;
    XPLMRegisterFlightLoopCallback(recordingLoop, -1.0f, &self);
    sim().runFrames(3);
    EXPECT_EQ((std::vector<int>{3, 4, 5}), counters(self));
    EXPECT_EQ(0u, sim().simLog().find("XPLMSetFlightLoopCallbackInterval: the flight loop (")) << sim().simLog();
}

TEST_F(FlightLoopTest, UnregisteringAnotherDueLoopInsideACallbackSkipsIt) {
    Probe killer, victim;
    killer.unregisterOnCall = otherLoop;
    killer.unregisterRefcon = &victim;
    XPLMRegisterFlightLoopCallback(recordingLoop, 1.0f, &killer);
    XPLMRegisterFlightLoopCallback(otherLoop, 1.0f, &victim);
    sim().advance(2);
    EXPECT_EQ(1u, killer.calls.size());
    EXPECT_TRUE(victim.calls.empty());
    EXPECT_EQ(1, sim().flightLoopCount());
}

TEST_F(FlightLoopTest, ReRegisteringInsideTheCallbackWinsOverItsReturnValue) {
    Probe probe;
    probe.next = 0.05f;             // would call every frame
    probe.reregisterInterval = -4;  // but the new registration asks for every fourth frame
    XPLMRegisterFlightLoopCallback(recordingLoop, -1.0f, &probe);
    sim().runFrames(9);
    EXPECT_EQ((std::vector<int>{1, 5, 9}), counters(probe));
    EXPECT_EQ(1, sim().flightLoopCount());
    EXPECT_NE(std::string::npos, sim().simLog().find("already registered"));
}

TEST_F(FlightLoopTest, UnregisteringAnUnknownLoopChangesNothing) {
    Probe probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 1.0f, &probe);
    XPLMUnregisterFlightLoopCallback(recordingLoop, nullptr);
    XPLMUnregisterFlightLoopCallback(otherLoop, &probe);
    EXPECT_EQ(1, sim().flightLoopCount());
}

TEST_F(FlightLoopTest, ResetForgetsLoopsAndTime) {
    Probe probe;
    XPLMRegisterFlightLoopCallback(recordingLoop, 1.0f, &probe);
    sim().advance(0.5);
    sim().reset(root_.path());
    EXPECT_EQ(0, sim().flightLoopCount());
    EXPECT_EQ(0.0, sim().now());
    sim().advance(2);
    EXPECT_TRUE(probe.calls.empty());
}
