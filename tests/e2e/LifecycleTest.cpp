// Starting and stopping the plug-in in the stand-in simulator: identity,
// menu, registrations, the log's opening and closing lines, and a second
// start in the same process.
#include <filesystem>

#include "TestSupport.h"

namespace {

const std::string kCredit = pluginNameAndVersion() + " by the SkyPlacer developers";
const std::string kOpeningLines = "+++ LOGGING STARTED +++\n" + kCredit + "\n";
const char* const kClosingLines = "--- LOGGING STOPPED ---\n\n";

class LifecycleTest : public SimTest {};

TEST_F(LifecycleTest, StartGivesTheSimulatorTheIdentity) {
    startPlugin();
    EXPECT_EQ("SkyPlacer", sim().pluginName());
    EXPECT_EQ("quenmark.projects.skyplacer", sim().pluginSignature());
    EXPECT_EQ(kCredit, sim().pluginDescription());
    EXPECT_EQ(1, sim().enable());
}

TEST_F(LifecycleTest, StartFailsWhenMemoryHasRunOutAndSucceedsOnceItIsBack) {
    if (!sim().refusePluginAllocations(true)) GTEST_SKIP() << "this build cannot refuse allocations";
    int result = sim().start();
    sim().refusePluginAllocations(false);
    EXPECT_EQ(0, result);
    EXPECT_FALSE(sim().started());
    EXPECT_EQ(0, sim().menuCount());
    EXPECT_EQ(0, sim().flightLoopCount());
    startPlugin();
    EXPECT_EQ(1, sim().menuCount());
}

TEST_F(LifecycleTest, MenuHasTheEightItemsInOrderWithTheirTextsAsReferences) {
    startPlugin();
    EXPECT_EQ(std::vector<std::string>{"Sky Placer"}, sim().pluginsMenuItems());
    std::vector<skysim::MenuItemInfo> items = sim().menuItems("Sky Placer");
    const std::vector<std::string> expected = {"Control Panel",      "Data Display",    "Load Position File",
                                               "Save Position File", "Quick Load File", "Quick Save File",
                                               "Get Data",           "Position"};
    ASSERT_EQ(expected.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(expected[i], items[i].text);
        ASSERT_NE(nullptr, items[i].itemRef);
        EXPECT_EQ(expected[i], static_cast<const char*>(items[i].itemRef));
    }
}

TEST_F(LifecycleTest, StartAndStopWriteTheOpeningAndClosingLines) {
    startPlugin();
    EXPECT_NE(std::string::npos, logText().find(kOpeningLines));
    EXPECT_EQ(std::string::npos, logText().find("LOGGING STOPPED"));
    sim().stop();
    std::string log = logText();
    ASSERT_GE(log.size(), std::string(kClosingLines).size());
    EXPECT_EQ(kClosingLines, log.substr(log.size() - std::string(kClosingLines).size()));
}

TEST_F(LifecycleTest, TwoRunsFollowEachOtherInOneLogFile) {
    startPlugin();
    sim().advance(2.0);
    sim().stop();
    startPlugin();
    sim().advance(2.0);
    sim().stop();
    std::string log = logText();
    size_t first = log.find(kOpeningLines);
    size_t firstEnd = log.find(kClosingLines, first);
    size_t second = log.find(kOpeningLines, firstEnd);
    size_t secondEnd = log.find(kClosingLines, second);
    ASSERT_NE(std::string::npos, first);
    ASSERT_NE(std::string::npos, firstEnd);
    ASSERT_NE(std::string::npos, second);
    ASSERT_NE(std::string::npos, secondEnd);
    EXPECT_EQ(log.size(), secondEnd + std::string(kClosingLines).size());
}

TEST_F(LifecycleTest, StopUndoesEveryRegistration) {
    writeFile(pluginFile("SkyPlacer.ini"),
              "[LOAD]\nHotKey = F2\n[CONTROL_PANEL]\nHotKey = F7\nHotKeyModifiers = Shift\n");
    startPlugin();
    ASSERT_EQ(2, sim().flightLoopCount());
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(113, keys[0].key);
    EXPECT_EQ("01", keys[0].description);
    EXPECT_EQ(118, keys[1].key);
    EXPECT_EQ(1 + 8, keys[1].flags) << "Shift, and Down to fire on the press";
    EXPECT_EQ("06", keys[1].description);
    EXPECT_EQ(1, sim().menuCount());

    sim().stop();
    EXPECT_EQ(0, sim().flightLoopCount());
    EXPECT_TRUE(sim().hotKeys().empty());
    EXPECT_EQ(0, sim().menuCount());
}

TEST_F(LifecycleTest, StartStopAndStartAgainInOneProcess) {
    for (int run = 0; run < 3; ++run) {
        startPlugin();
        sim().advance(1.5);
        ASSERT_TRUE(sim().pickMenuItem("Get Data"));
        ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
        sim().advance(0.5);
        sim().stop();
        EXPECT_EQ(0, sim().flightLoopCount());
        EXPECT_EQ(0, sim().menuCount());
    }
    EXPECT_TRUE(sim().menuItems("Sky Placer").empty());
}

// Every name the plug-in looks up at start is in the simulator's published
// list: a misspelt name would show here. The interface colours are looked up
// once for the whole process, when a list first draws, so the colour tests
// check theirs in a process of their own.
TEST_F(LifecycleTest, EveryDataRefThePluginLooksUpAtStartIsPublished) {
    startPlugin();
    runStartup();
    EXPECT_EQ(37, sim().dataRefLookUps());
    EXPECT_TRUE(sim().unpublishedLookUps().empty());
}

// The stop sequence destroys every window the plug-in built, so none stays on
// screen to reach a freed application object, and reloads do not pile them up.
TEST_F(LifecycleTest, StopDestroysEveryWindowThePluginBuilt) {
    startPlugin();
    runStartup();
    for (const char* item : {"Control Panel", "Data Display", "Load Position File", "Quick Load File"}) {
        ASSERT_TRUE(sim().pickMenuItem(item)) << item;
    }
    ASSERT_EQ(4u, sim().roots().size()) << "panel, display, file dialog and message window";
    sim().stop();
    EXPECT_TRUE(sim().roots().empty());
    EXPECT_EQ(0, sim().widgetCount());
    EXPECT_FALSE(sim().clickButton(" Get Data"));
}

// A window closed by the pilot is only hidden: the stop still destroys it.
TEST_F(LifecycleTest, StopDestroysAHiddenPanel) {
    startPlugin();
    ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
    sim().clickCloseBox(sim().roots().at(0));
    ASSERT_FALSE(sim().widget(sim().roots().at(0)).shown);
    sim().stop();
    EXPECT_EQ(0, sim().widgetCount());
}

// The message window answered just before the stop is destroyed by the stop,
// not by the next run's flight loop, which has no such window.
TEST_F(LifecycleTest, AnAnswerLeftAtStopDoesNotReachTheNextRun) {
    startPlugin();
    runStartup();
    ASSERT_TRUE(sim().pickMenuItem("Quick Load File"));
    ASSERT_TRUE(sim().clickButton(" OK"));
    sim().stop();
    startPlugin();
    runStartup();
    EXPECT_EQ(0, sim().unknownWidgetCalls());
    EXPECT_EQ(0, sim().widgetCount());
}

TEST_F(LifecycleTest, QuittingTheSimulatorStopsARunningPlugin) {
    startPlugin();
    sim().reset(root_.path());
    EXPECT_FALSE(sim().started());
    std::string log = logText();
    ASSERT_GE(log.size(), std::string(kClosingLines).size());
    EXPECT_EQ(kClosingLines, log.substr(log.size() - std::string(kClosingLines).size()));
}

TEST_F(LifecycleTest, EnableDisableAndMessagesChangeNothing) {
    startPlugin();
    EXPECT_EQ(1, sim().enable());
    sim().disable();
    sim().sendMessage(0, 101, nullptr);
    sim().sendMessage(7, 12345, reinterpret_cast<void*>(0x1));
    EXPECT_EQ(2, sim().flightLoopCount());
    EXPECT_EQ(1, sim().menuCount());
}

TEST_F(LifecycleTest, NoSettingsFileMeansDefaultsAndNoHotKeys) {
    startPlugin();
    EXPECT_TRUE(sim().hotKeys().empty());
    std::string log = logText();
    EXPECT_NE(std::string::npos, log.find("SkyPlacer - parsing INI file\nSkyPlacer - No SkyPlacer.ini file found\n."));
    EXPECT_NE(std::string::npos, log.find(kOpeningLines));
    sim().advance(1.5);
    EXPECT_TRUE(sim().widgets().empty()) << "no window without AutoStart";
}

TEST_F(LifecycleTest, LogFileZeroKeepsTheRunLinesOutOfTheFile) {
    writeFile(pluginFile("SkyPlacer.ini"), "[DEBUG]\nLogFile = 0\n");
    startPlugin();
    sim().stop();
    std::string log = logText();
    EXPECT_NE(std::string::npos, log.find("SkyPlacer - INI file parsing successful\n")) << "the reader logs always";
    EXPECT_EQ(std::string::npos, log.find("LOGGING STARTED"));
    EXPECT_EQ(std::string::npos, log.find("LOGGING STOPPED"));
}

TEST_F(LifecycleTest, DebugViewSendsTheRunLinesToTheDebugOutput) {
    writeFile(pluginFile("SkyPlacer.ini"), "[DEBUG]\nLogFile = 0\nDebugView = 1\n");
    DebugOutputCapture capture;
    startPlugin();
    sim().stop();
    std::string debug = capture.text();
    EXPECT_NE(std::string::npos, debug.find(kOpeningLines));
    EXPECT_NE(std::string::npos, debug.find(kClosingLines));
    EXPECT_EQ(std::string::npos, logText().find("LOGGING STARTED"));
}

TEST_F(LifecycleTest, DebugViewOffLeavesTheDebugOutputToTheReaders) {
    DebugOutputCapture capture;
    startPlugin();
    sim().stop();
    std::string debug = capture.text();
    EXPECT_NE(std::string::npos, debug.find("SkyPlacer - parsing INI file\n"));
    EXPECT_EQ(std::string::npos, debug.find("LOGGING STARTED"));
}

TEST_F(LifecycleTest, MissingPluginFolderIsReportedInTheSimulatorsLog) {
    std::filesystem::remove_all(pluginFolder());
    startPlugin();
    EXPECT_NE(std::string::npos,
              sim().simLog().find(
                  "SkyPlacer - Unable to create SkyPlacerLog.txt, make sure that the SkyPlacer directory exists.\n"));
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerLog.txt")));
}

}  // namespace
