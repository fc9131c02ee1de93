// What the simulator records of the plug-in (its log, key strokes, pause) and
// the module's life: loading, starting, stopping and starting again.
#include <string>

#include "CoreTestFixture.h"
#include "XPWidgetsApi.h"

using SimulatorTest = CoreTest;

TEST_F(SimulatorTest, DebugStringsAppendToTheSimulatorLog) {
    XPLMDebugString("one ");
    XPLMDebugString("two\n");
    XPLMDebugString(nullptr);
    EXPECT_EQ("one two\n", sim().simLog());
    sim().reset(root_.path());
    EXPECT_EQ("", sim().simLog());
}

TEST_F(SimulatorTest, KeyStrokeZeroTogglesPauseAndEveryStrokeIsKept) {
    EXPECT_FALSE(sim().paused());
    XPLMCommandKeyStroke(kPauseKeyStroke);
    EXPECT_TRUE(sim().paused());
    XPLMCommandKeyStroke(5);
    EXPECT_TRUE(sim().paused());
    XPLMCommandKeyStroke(kPauseKeyStroke);
    EXPECT_FALSE(sim().paused());
    EXPECT_EQ((std::vector<int>{0, 5, 0}), sim().keyStrokes());
    XPLMCommandKeyStroke(kPauseKeyStroke);
    sim().reset(root_.path());
    EXPECT_FALSE(sim().paused());
    EXPECT_TRUE(sim().keyStrokes().empty());
}

// The pause is the simulator's "sim/time/paused", set by key stroke 0 or by the
// driver; the flight clock moves with the frames and stands still while paused.
TEST_F(SimulatorTest, FlightClockStandsStillWhilePaused) {
    const char* const kClock = "sim/time/total_flight_time_sec";
    sim().advance(1.0);
    EXPECT_FLOAT_EQ(1.0f, sim().getFloat(kClock));
    XPLMCommandKeyStroke(kPauseKeyStroke);
    EXPECT_EQ(1, sim().getInt("sim/time/paused"));
    sim().advance(1.0);
    EXPECT_FLOAT_EQ(1.0f, sim().getFloat(kClock));
    sim().setInt("sim/time/paused", 0);
    EXPECT_FALSE(sim().paused());
    sim().advance(0.5);
    EXPECT_FLOAT_EQ(1.5f, sim().getFloat(kClock));
    sim().setFloat(kClock, 0.0f);  // a new flight
    sim().advance(0.5);
    EXPECT_FLOAT_EQ(0.5f, sim().getFloat(kClock));
    sim().reset(root_.path());
    EXPECT_EQ(0.0f, sim().getFloat(kClock));
}

TEST_F(SimulatorTest, ResetMakesAMissingRootFolder) {
    std::string root = root_.path() + "/new/root";
    sim().reset(root);
    EXPECT_TRUE(fileExists(root));
    EXPECT_EQ(root + "/", sim().rootPath());
}

TEST_F(SimulatorTest, LoadingAMissingModuleReportsTheLoaderError) {
    std::string error;
    EXPECT_FALSE(sim().load(root_.path() + "/none.xpl", &error));
    EXPECT_NE(std::string::npos, error.find("none.xpl")) << error;
    EXPECT_FALSE(sim().load(root_.path() + "/none.xpl"));  // no error text asked for
    EXPECT_EQ(0, sim().start());
}

TEST_F(SimulatorTest, ALibraryWithoutTheEntryPointsIsNoPlugin) {
    std::string error;
    EXPECT_FALSE(sim().load("libm.so.6", &error));
    EXPECT_NE(std::string::npos, error.find("XPluginStart")) << error;
}

using ModuleTest = SimTest;

TEST_F(ModuleTest, StartKeepsThePluginsIdentity) {
    EXPECT_FALSE(sim().started());
    EXPECT_EQ(1, sim().start());
    EXPECT_TRUE(sim().started());
    EXPECT_EQ("SkyPlacer", sim().pluginName());
    EXPECT_EQ("quenmark.projects.skyplacer", sim().pluginSignature());
    EXPECT_EQ(0u, sim().pluginDescription().find(pluginNameAndVersion()));
    EXPECT_EQ(0, sim().start()) << "a running plug-in is not started twice";
    EXPECT_EQ(1, sim().enable());
    sim().disable();
    sim().sendMessage(0, 12345, nullptr);
    EXPECT_TRUE(sim().started());
}

TEST_F(ModuleTest, StopAndStartAgainAsWhenPluginsAreReloaded) {
    std::string error;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;  // the same handle again
        ASSERT_EQ(1, sim().start());
        EXPECT_GT(sim().flightLoopCount(), 0);
        EXPECT_EQ(std::vector<std::string>{"Sky Placer"}, sim().pluginsMenuItems()) << "round " << round;
        sim().advance(1.2);
        sim().stop();
        EXPECT_FALSE(sim().started());
        EXPECT_EQ(0, sim().flightLoopCount()) << "the plug-in unregisters its loops at stop";
        EXPECT_TRUE(sim().pluginsMenuItems().empty()) << "the plug-in removes its item";
    }
    EXPECT_EQ(std::string::npos, sim().simLog().find("XPluginStop:")) << "the plug-in left nothing behind";
    EXPECT_EQ(std::string::npos, sim().simLog().find("already registered"));
    sim().stop();  // not running: nothing happens
    EXPECT_EQ(0, sim().enable());
}

TEST_F(ModuleTest, AFailedLoadLeavesNoModuleToStart) {
    std::string error;
    EXPECT_FALSE(sim().load(root_.path() + "/none.xpl", &error));  // the plug-in was loaded before
    EXPECT_EQ(0, sim().start());
    EXPECT_FALSE(sim().started());
    EXPECT_FALSE(sim().load("libm.so.6", &error));  // opens, but is no plug-in
    EXPECT_EQ(0, sim().start());
    ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
    EXPECT_EQ(1, sim().start());
}

TEST_F(ModuleTest, StartEnablesAndStopDisablesFirst) {
    EXPECT_FALSE(sim().enabled());
    ASSERT_EQ(1, sim().start());
    EXPECT_TRUE(sim().enabled()) << "a started plug-in is enabled at once";
    sim().disable();
    EXPECT_FALSE(sim().enabled());
    EXPECT_TRUE(sim().started());
    EXPECT_EQ(1, sim().enable());
    EXPECT_EQ(1, sim().enable()) << "enabling again calls XPluginEnable again";
    EXPECT_TRUE(sim().enabled());
    sim().stop();
    EXPECT_FALSE(sim().enabled());
    EXPECT_FALSE(sim().started());
}

namespace {

// Registrations made while the plug-in runs are the plug-in's; these stand
// for ones a faulty plug-in forgets to undo at stop.
float idleLoop(float, float, int, void*) { return 0; }
void idleHotKey(void*) {}
void idleMenuHandler(void*, void*) {}
int idleCommand(XPLMCommandRef, XPLMCommandPhase, void*) { return 1; }

}  // namespace

TEST_F(ModuleTest, WhatAStoppedPluginLeftIsNamedInTheSimulatorsLog) {
    ASSERT_EQ(1, sim().start());
    XPLMRegisterFlightLoopCallback(idleLoop, 1.0f, nullptr);
    XPLMRegisterHotKey('K', 0, "Forgotten key", idleHotKey, nullptr);
    XPLMRegisterCommandHandler(XPLMCreateCommand("test/forgotten", ""), idleCommand, 0, nullptr);
    int item = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Forgotten", nullptr, 1);
    XPLMMenuID menu = XPLMCreateMenu("Forgotten menu", XPLMFindPluginsMenu(), item, idleMenuHandler, nullptr);
    ASSERT_NE(nullptr, menu);
    XPLMAppendMenuItem(menu, "Forgotten action", nullptr, 1);
    XPWidgetID window = XPCreateWidget(0, 100, 100, 0, 1, "Left open", 1, nullptr, xpWidgetClass_MainWindow);
    sim().stop();
    // The simulator calls no stopped plug-in: its registrations go.
    EXPECT_EQ(0, sim().flightLoopCount());
    EXPECT_TRUE(sim().hotKeys().empty());
    EXPECT_EQ(0, sim().commandHandlerCount());
    // What it put in menus stays, and no longer reaches it.
    EXPECT_EQ(1, sim().menuCount());
    EXPECT_EQ(std::vector<std::string>{"Forgotten"}, sim().pluginsMenuItems());
    EXPECT_FALSE(sim().pickMenuItem("Forgotten action"));
    std::string log = sim().simLog();
    EXPECT_NE(std::string::npos, log.find("did not unregister its flight loop")) << log;
    EXPECT_NE(std::string::npos, log.find("did not unregister its hot key \"Forgotten key\"")) << log;
    EXPECT_NE(std::string::npos, log.find("did not unregister its handler (after) of the command \"test/forgotten\""))
        << log;
    EXPECT_NE(std::string::npos, log.find("did not remove its item \"Forgotten\" from the menu \"Plugins\"")) << log;
    EXPECT_NE(std::string::npos, log.find("did not destroy its menu \"Forgotten menu\"")) << log;
    EXPECT_EQ(std::string::npos, log.find("\"Sky Placer\"")) << "the plug-in removes its own item and menu";
    EXPECT_TRUE(sim().exists(reinterpret_cast<skysim::WidgetId>(window))) << "windows stay until reset";
    sim().reset(root_.path());  // the leftovers were this test's own: the teardown's check starts afresh
}

// In the plug-ins menu, a plug-in's item indices count only its own items,
// whatever other plug-ins add.
TEST_F(ModuleTest, ThePluginsIndicesCountOnlyItsOwnItems) {
    XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Other", nullptr, 1);  // before the start: another plug-in's
    ASSERT_EQ(1, sim().start());                                     // "Sky Placer" is the plug-in's item 0
    EXPECT_EQ(1, XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Second", nullptr, 1)) << "made while it runs: its own";
    XPLMRemoveMenuItem(XPLMFindPluginsMenu(), 1);
    EXPECT_EQ((std::vector<std::string>{"Other", "Sky Placer"}), sim().pluginsMenuItems());
    sim().stop();
    EXPECT_EQ(std::vector<std::string>{"Other"}, sim().pluginsMenuItems());
    EXPECT_EQ("", sim().simLog());
}

TEST_F(ModuleTest, RegistrationsMadeWithoutThePluginSurviveItsStop) {
    XPLMRegisterFlightLoopCallback(idleLoop, 1.0f, nullptr);
    XPLMRegisterHotKey('K', 0, "Simulator key", idleHotKey, nullptr);
    int item = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Other", nullptr, 1);
    ASSERT_NE(nullptr, XPLMCreateMenu("Other menu", XPLMFindPluginsMenu(), item, idleMenuHandler, nullptr));
    ASSERT_EQ(1, sim().start());
    sim().stop();
    EXPECT_EQ(1, sim().flightLoopCount());
    EXPECT_EQ(1u, sim().hotKeys().size());
    EXPECT_EQ(1, sim().menuCount());
    EXPECT_EQ(std::vector<std::string>{"Other"}, sim().pluginsMenuItems());
    EXPECT_EQ(std::string::npos, sim().simLog().find("XPluginStop:"));
}

TEST_F(ModuleTest, LoadingIsRefusedWhileThePluginRuns) {
    ASSERT_EQ(1, sim().start());
    std::string error;
    EXPECT_FALSE(sim().load(root_.path() + "/other.xpl", &error));
    EXPECT_NE(std::string::npos, error.find("running")) << error;
    EXPECT_FALSE(sim().load(SKYPLACER_MODULE_PATH, &error)) << "not even the running module again";
    EXPECT_TRUE(sim().started());
    sim().stop();
    EXPECT_EQ(1, sim().start()) << "the refused loads did not unload the running module";
}
