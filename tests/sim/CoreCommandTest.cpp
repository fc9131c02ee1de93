// Commands: the simulator's own from its published list, commands made by
// plug-ins for the whole process, handlers before and after the simulator's
// own handling, and running a command once or holding it.
#include <algorithm>
#include <fstream>
#include <utility>
#include <vector>

#include "CoreTestFixture.h"
#include "skysim/CommandFunctions.h"

namespace {

std::vector<std::pair<void*, int>> calls;  // (reference, phase) in call order

int passOn(XPLMCommandRef, XPLMCommandPhase phase, void* refcon) {
    calls.emplace_back(refcon, phase);
    return 1;
}

int keep(XPLMCommandRef, XPLMCommandPhase phase, void* refcon) {
    calls.emplace_back(refcon, phase);
    return 0;
}

class CommandTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        calls.clear();
    }
    int a = 0, b = 0, c = 0;  // handlers' references
};

using Calls = std::vector<std::pair<void*, int>>;

TEST_F(CommandTest, EveryCommandOfTheSimulatorsListExists) {
    std::ifstream list(std::string(SKYPLACER_SOURCE_DIR) + "/sim/facts/commands-12.1.txt");
    int names = 0;
    for (std::string name; std::getline(list, name);) {
        if (name.empty() || name[0] == '#') continue;
        ++names;
        skysim::CommandInfo info = sim().command(name);
        ASSERT_TRUE(info.exists && info.simulators) << name;
        ASSERT_NE(nullptr, XPLMFindCommand(name.c_str())) << name;
    }
    EXPECT_GT(names, 3000);
    EXPECT_EQ(nullptr, XPLMFindCommand("skyplacer/never_made"));
    EXPECT_FALSE(sim().command("skyplacer/never_made").exists);
    EXPECT_EQ(nullptr, XPLMFindCommand(nullptr));
}

TEST_F(CommandTest, CreatingASimulatorsCommandGivesItBackAndTheLogSaysSo) {
    XPLMCommandRef pause = XPLMCreateCommand("sim/operation/pause_toggle", "Mine");
    EXPECT_EQ(XPLMFindCommand("sim/operation/pause_toggle"), pause);
    EXPECT_EQ("", sim().command("sim/operation/pause_toggle").description);
    EXPECT_NE(std::string::npos, sim().simLog().find("XPLMCreateCommand: \"sim/operation/pause_toggle\" is one of the "
                                                     "simulator's own commands"))
        << sim().simLog();
    EXPECT_EQ(nullptr, XPLMCreateCommand(nullptr, "No name"));
}

TEST_F(CommandTest, ACommandLastsForTheProcessWithItsFirstDescription) {
    XPLMCommandRef lasting = XPLMCreateCommand("test/lasting", "First");
    XPLMRegisterCommandHandler(lasting, passOn, 1, &a);
    sim().reset(root_.path());
    EXPECT_EQ(lasting, XPLMCreateCommand("test/lasting", "Second"));
    skysim::CommandInfo info = sim().command("test/lasting");
    EXPECT_EQ("First", info.description);
    EXPECT_FALSE(info.simulators);
    EXPECT_EQ(0, info.beforeHandlers) << "handlers go with the reset";
    std::vector<std::string> made = sim().createdCommands();
    EXPECT_EQ(1, std::count(made.begin(), made.end(), "test/lasting"));
}

TEST_F(CommandTest, HandlersRunBeforeAndAfterTheSimulatorEachWithItsReference) {
    XPLMCommandRef command = XPLMCreateCommand("test/order", "");
    XPLMRegisterCommandHandler(command, passOn, 0, &a);
    XPLMRegisterCommandHandler(command, passOn, 1, &b);
    XPLMRegisterCommandHandler(command, passOn, 1, &c);
    ASSERT_TRUE(sim().commandOnce("test/order"));
    EXPECT_EQ((Calls{{&b, 0}, {&c, 0}, {&a, 0}, {&b, 2}, {&c, 2}, {&a, 2}}), calls);
    EXPECT_EQ(2, sim().command("test/order").phasesReachingSimulator);

    // A handler that keeps the command ends each phase there.
    XPLMUnregisterCommandHandler(command, passOn, 1, &c);
    XPLMRegisterCommandHandler(command, keep, 1, &c);
    calls.clear();
    XPLMCommandOnce(command);
    EXPECT_EQ((Calls{{&b, 0}, {&c, 0}, {&b, 2}, {&c, 2}}), calls);
    EXPECT_EQ(2, sim().command("test/order").phasesReachingSimulator);
}

TEST_F(CommandTest, AHeldCommandContinuesAtEveryFrameUntilReleased) {
    XPLMCommandRef command = XPLMCreateCommand("test/held", "");
    XPLMRegisterCommandHandler(command, passOn, 1, &a);
    ASSERT_TRUE(sim().commandBegin("test/held"));
    EXPECT_FALSE(sim().commandBegin("test/held"));
    EXPECT_FALSE(sim().commandOnce("test/held"));
    sim().runFrames(3);
    ASSERT_TRUE(sim().commandEnd("test/held"));
    EXPECT_FALSE(sim().commandEnd("test/held"));
    sim().runFrames(2);
    EXPECT_EQ((Calls{{&a, 0}, {&a, 1}, {&a, 1}, {&a, 1}, {&a, 2}}), calls);

    // The same through the simulator's functions, whose faults are logged.
    calls.clear();
    XPLMCommandBegin(command);
    XPLMCommandBegin(command);
    sim().runFrames(1);
    XPLMCommandEnd(command);
    XPLMCommandEnd(command);
    EXPECT_EQ((Calls{{&a, 0}, {&a, 1}, {&a, 2}}), calls);
    EXPECT_NE(std::string::npos, sim().simLog().find("XPLMCommandBegin: the command \"test/held\" is held already"));
    EXPECT_NE(std::string::npos, sim().simLog().find("XPLMCommandEnd: the command \"test/held\" is not held"));
    EXPECT_FALSE(sim().commandOnce("test/never_made"));
}

TEST_F(CommandTest, OnlyTheSameFourArgumentsUnregisterAHandler) {
    XPLMCommandRef command = XPLMCreateCommand("test/unregister", "");
    XPLMRegisterCommandHandler(command, passOn, 1, &a);
    XPLMRegisterCommandHandler(command, passOn, 1, &a);  // again: still one
    XPLMUnregisterCommandHandler(command, passOn, 0, &a);
    XPLMUnregisterCommandHandler(command, passOn, 1, &b);
    XPLMUnregisterCommandHandler(command, keep, 1, &a);
    EXPECT_EQ(1, sim().command("test/unregister").beforeHandlers);
    XPLMUnregisterCommandHandler(command, passOn, 1, &a);
    EXPECT_EQ(0, sim().commandHandlerCount());
    std::string log = sim().simLog();
    EXPECT_NE(std::string::npos, log.find("the command \"test/unregister\" has this handler already")) << log;
    size_t misses = 0;
    for (size_t at = 0; (at = log.find("has no handler registered with these arguments", at)) != std::string::npos;
         ++at)
        ++misses;
    EXPECT_EQ(3u, misses) << log;
}

}  // namespace
