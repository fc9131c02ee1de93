// Showing and hiding the two windows with their hot keys, the menu and their
// close boxes, also after the plug-in was stopped and started again.
#include "ControlPanelDriver.h"

namespace {

constexpr int kF7 = 118;  // CONTROL_PANEL below
constexpr int kF8 = 119;  // DATA_DISPLAY below
const char* const kToggleKeys = "[CONTROL_PANEL]\nHotKey = F7\n[DATA_DISPLAY]\nHotKey = F8\n";

class WindowToggles : public PanelTest {
protected:
    bool panelShown() const { return sim().widget(controlPanel()).shown; }
    bool displayShown() const { return sim().widget(dataDisplay()).shown; }
    // Opens the window from the menu, then the simulator stops and starts the plug-in in the same
    // process: the stop took the window with it, and the new run's toggle starts from hidden.
    void expectANewRunBuildsTheWindowAgain(const char* menuItem, const std::string& title, int toggleKey) {
        startWithSettings(kToggleKeys);
        ASSERT_TRUE(sim().pickMenuItem(menuItem));
        ASSERT_EQ(1, windowsTitled(title));
        sim().stop();
        EXPECT_EQ(0, windowsTitled(title));
        ASSERT_EQ(1, sim().start());
        runStartup();
        EXPECT_EQ(0, windowsTitled(title)) << "a new run opens no window by itself";
        sim().tapKey(toggleKey, 0);
        ASSERT_EQ(1, windowsTitled(title));
        EXPECT_TRUE(isShown(windowTitled(title)));
        sim().tapKey(toggleKey, 0);
        EXPECT_FALSE(isShown(windowTitled(title)));
    }
};

TEST_F(WindowToggles, CloseBoxHidesThePanelAndTheNextHotKeyShowsIt) {
    startWithSettings(kToggleKeys);
    sim().tapKey(kF7, 0);
    ASSERT_TRUE(panelShown());
    sim().clickCloseBox(controlPanel());
    EXPECT_FALSE(panelShown());
    sim().tapKey(kF7, 0);
    EXPECT_TRUE(panelShown());
    sim().tapKey(kF7, 0);
    EXPECT_FALSE(panelShown());
}

TEST_F(WindowToggles, CloseBoxAfterTheMenuOpenedThePanel) {
    startWithSettings(kToggleKeys);
    openPanel();
    sim().clickCloseBox(controlPanel());
    EXPECT_FALSE(panelShown());
    sim().pickMenuItem("Control Panel");
    EXPECT_TRUE(panelShown());
    sim().tapKey(kF7, 0);
    EXPECT_FALSE(panelShown()) << "the menu set the toggle to shown";
}

TEST_F(WindowToggles, AfterAnAutoStartThatShowedThePanelTheFirstHotKeyKeepsItShown) {
    writeFile(pluginFile("Home.skd"), positionFileText({{"Latitude", "10"}}));
    startWithSettings(std::string("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Home.skd\n") + kToggleKeys);
    ASSERT_TRUE(panelShown());
    sim().tapKey(kF7, 0);
    EXPECT_TRUE(panelShown());
    sim().tapKey(kF7, 0);
    EXPECT_FALSE(panelShown());
}

TEST_F(WindowToggles, CloseBoxAfterAnAutoStartThatShowedThePanel) {
    startWithSettings(std::string("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Missing.skd\n") + kToggleKeys);
    ASSERT_TRUE(panelShown());
    sim().clickCloseBox(controlPanel());
    EXPECT_FALSE(panelShown());
    sim().tapKey(kF7, 0);
    EXPECT_TRUE(panelShown());
}

TEST_F(WindowToggles, DataDisplayCloseBoxHidesAndTheHotKeyShowsItAgain) {
    startWithSettings(kToggleKeys);
    sim().tapKey(kF8, 0);
    ASSERT_TRUE(displayShown());
    int count = sim().widgetCount();
    sim().clickCloseBox(dataDisplay());
    EXPECT_FALSE(displayShown());
    sim().tapKey(kF8, 0);
    EXPECT_TRUE(displayShown());
    sim().tapKey(kF8, 0);
    EXPECT_FALSE(displayShown());
    EXPECT_EQ(count, sim().widgetCount()) << "the display is built only once";
}

TEST_F(WindowToggles, ClosingOneWindowLeavesTheOtherAlone) {
    startWithSettings(kToggleKeys);
    openPanel();
    sim().pickMenuItem("Data Display");
    sim().clickCloseBox(dataDisplay());
    EXPECT_TRUE(panelShown());
    EXPECT_FALSE(displayShown());
    sim().clickCloseBox(controlPanel());
    EXPECT_FALSE(panelShown());
    sim().tapKey(kF8, 0);
    EXPECT_TRUE(displayShown());
    EXPECT_FALSE(panelShown());
}

TEST_F(WindowToggles, AStoppedRunsPanelGoesAndTheNextRunBuildsANewOne) {
    expectANewRunBuildsTheWindowAgain("Control Panel", kPanelTitle, kF7);
}

TEST_F(WindowToggles, AStoppedRunsDisplayGoesAndTheNextRunBuildsANewOne) {
    expectANewRunBuildsTheWindowAgain("Data Display", kDisplayTitle, kF8);
}

TEST_F(WindowToggles, ANewRunsPanelStartsWithoutTheStoppedRunsData) {
    startWithSettings(kToggleKeys);
    openPanel();
    press(" Get Data");
    ASSERT_TRUE(enabled(" Position"));
    ASSERT_NE("No SKD File Loaded", statusText());
    sim().stop();
    ASSERT_EQ(1, sim().start());
    runStartup();
    openPanel();
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_FALSE(enabled(" Position"));
}

}  // namespace
