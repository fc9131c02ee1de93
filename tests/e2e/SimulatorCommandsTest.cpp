// The actions as the simulator's commands, which pilots bind to keys and
// joystick buttons: registered at start with a description each, acting once
// when pressed however long they are held, sharing the hot keys' rules, and
// registered once again after a reload.
#include "FlightTestSupport.h"

namespace {

using namespace flighttest;

int latitudeReads() {
    int reads = 0;
    for (const DataAccess& access : skysim::Sim::get().accesses()) {
        reads += access.name == "sim/flightmodel/position/latitude" && !isWrite(access.kind);
    }
    return reads;
}

class SimulatorCommandsTest : public SimTest {};

TEST_F(SimulatorCommandsTest, EachActionIsACommandDescribedForThePilotWithOneHandler) {
    startPlugin();
    for (int command = 0; command < kCommandCount; ++command) {
        skysim::CommandInfo info = sim().command(commandName(command));
        ASSERT_TRUE(info.exists) << commandName(command);
        EXPECT_FALSE(info.simulators);
        EXPECT_EQ(0u, info.description.find("SkyPlacer: ")) << info.description;
        EXPECT_GT(info.description.size(), std::string("SkyPlacer: ").size() + 10);
        EXPECT_EQ(1, info.beforeHandlers) << commandName(command);
        EXPECT_EQ(0, info.afterHandlers) << commandName(command);
    }
    EXPECT_EQ(kCommandCount, sim().commandHandlerCount());
    sim().stop();
    EXPECT_EQ(0, sim().commandHandlerCount());
}

// A bound key held down sends begin, a continue at every frame and end: the
// action runs once, and every phase goes on to the simulator.
TEST_F(SimulatorCommandsTest, AHeldCommandActsOnceOnItsBeginPhase) {
    startPlugin();
    runStartup();
    sim().clearAccesses();
    ASSERT_TRUE(sim().commandBegin(commandName(GET_DATA)));
    EXPECT_EQ(1, latitudeReads()) << "captured at once";
    sim().advance(1.0);
    ASSERT_TRUE(sim().commandEnd(commandName(GET_DATA)));
    EXPECT_EQ(1, latitudeReads()) << "neither continue nor end captures again";
    EXPECT_EQ(2 + 20, sim().command(commandName(GET_DATA)).phasesReachingSimulator);
}

// The toggle state is the hot key's: a command shows, the hot key hides.
TEST_F(SimulatorCommandsTest, CommandsAndHotKeysToggleTheSameWindow) {
    startWithSettings(allHotKeysIni());
    ASSERT_TRUE(sim().commandOnce(commandName(CONTROL_PANEL)));
    WidgetId panel = controlPanel();
    ASSERT_NE(0, panel);
    EXPECT_TRUE(sim().widget(panel).shown);
    sim().tapKey(hotKeyOf(CONTROL_PANEL), 0);
    EXPECT_FALSE(sim().widget(panel).shown);
    ASSERT_TRUE(sim().commandOnce(commandName(CONTROL_PANEL)));
    EXPECT_TRUE(sim().widget(panel).shown);
    EXPECT_EQ(1, windowCount());
}

TEST_F(SimulatorCommandsTest, AReloadedPluginHandlesEachCommandOnceMore) {
    for (int run = 0; run < 3; ++run) {
        startPlugin();
        runStartup();
        EXPECT_EQ(kCommandCount, sim().commandHandlerCount()) << "run " << run;
        ASSERT_TRUE(sim().commandOnce(commandName(QUICK_SAVE)));
        EXPECT_TRUE(fileExists(pluginFile("QuickFile.skd")));
        std::remove(pluginFile("QuickFile.skd").c_str());
        sim().stop();
    }
    EXPECT_EQ(static_cast<size_t>(kCommandCount), sim().createdCommands().size())
        << "a reloaded plug-in gets its commands back";
}

}  // namespace
