// What the simulator records of the plug-in (its log, key strokes, pause) and
// the module's life: loading, starting, stopping and starting again.
#include <string>

#include "CoreTestFixture.h"

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
    EXPECT_EQ(0u, sim().pluginDescription().find("SkyPlacer v1.20"));
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
        sim().advance(1.2);
        sim().stop();
        EXPECT_FALSE(sim().started());
        EXPECT_EQ(0, sim().flightLoopCount()) << "the plug-in unregisters its loops at stop";
    }
    sim().stop();  // not running: nothing happens
    EXPECT_EQ(0, sim().enable());
}

TEST_F(ModuleTest, ResetStopsARunningPlugin) {
    ASSERT_EQ(1, sim().start());
    sim().reset(root_.path());
    EXPECT_FALSE(sim().started());
    EXPECT_EQ(0, sim().flightLoopCount());
    std::string error;
    EXPECT_FALSE(sim().load("libm.so.6", &error));
    ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
    EXPECT_EQ(1, sim().start());
}

TEST_F(ModuleTest, AnotherModuleIsRefusedWhileThePluginRuns) {
    ASSERT_EQ(1, sim().start());
    std::string error;
    EXPECT_FALSE(sim().load(root_.path() + "/other.xpl", &error));
    EXPECT_NE(std::string::npos, error.find("running")) << error;
    EXPECT_TRUE(sim().started());
}
