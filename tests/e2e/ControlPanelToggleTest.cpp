// Showing and hiding the two windows with their hot keys, the menu and their
// close boxes, also when windows of an earlier run of the plug-in are still on
// screen.
#include "ControlPanelDriver.h"

namespace {

constexpr int kF7 = 118;  // CONTROL_PANEL below
constexpr int kF8 = 119;  // DATA_DISPLAY below
const char* const kToggleKeys = "[CONTROL_PANEL]\nHotKey = F7\n[DATA_DISPLAY]\nHotKey = F8\n";

class WindowToggles : public PanelTest {
protected:
    bool panelShown() const { return sim().widget(panel()).shown; }
    bool displayShown() const { return sim().widget(display()).shown; }
    bool shown(WidgetId window) const { return sim().widget(window).shown; }

    // The newest root window of this title.
    WidgetId newest(const std::string& title) const {
        WidgetId found = 0;
        for (const WidgetInfo& info : sim().widgets()) {
            if (info.root && info.descriptor.compare(0, title.size(), title) == 0) found = info.id;
        }
        return found;
    }

    struct Runs {
        WidgetId earlier, current;
    };
    // Opens the window from the menu, then the simulator stops and starts the plug-in in the same process
    // and it is opened again: the earlier run's window stays on screen. The pilot brings the earlier one
    // in front by clicking its frame while the current one is hidden with `toggleKey`.
    Runs openInTwoRuns(const char* menuItem, const std::string& title, int toggleKey) {
        Runs runs = {};
        startWithSettings(kToggleKeys);
        sim().pickMenuItem(menuItem);
        runs.earlier = newest(title);
        sim().stop();
        EXPECT_EQ(1, sim().start());
        runStartup();
        sim().pickMenuItem(menuItem);
        runs.current = newest(title);
        EXPECT_NE(runs.earlier, runs.current);

        sim().pressHotKey(toggleKey, 0);
        EXPECT_FALSE(shown(runs.current));
        WidgetInfo earlier = sim().widget(runs.earlier);
        sim().click(earlier.left + 3, earlier.bottom + 3);
        sim().pressHotKey(toggleKey, 0);
        EXPECT_TRUE(shown(runs.current));
        EXPECT_EQ(runs.earlier, sim().roots().back());
        return runs;
    }
    // The earlier window's close box hides neither the current window nor changes its toggle.
    void expectEarlierCloseBoxIgnored(const char* menuItem, const std::string& title, int toggleKey) {
        Runs runs = openInTwoRuns(menuItem, title, toggleKey);
        sim().clickCloseBox(runs.earlier);
        EXPECT_TRUE(shown(runs.current));
        sim().pressHotKey(toggleKey, 0);
        EXPECT_FALSE(shown(runs.current)) << "the toggle still knew the current window shown";
    }
};

TEST_F(WindowToggles, CloseBoxHidesThePanelAndTheNextHotKeyShowsIt) {
    startWithSettings(kToggleKeys);
    sim().pressHotKey(kF7, 0);
    ASSERT_TRUE(panelShown());
    sim().clickCloseBox(panel());
    EXPECT_FALSE(panelShown());
    sim().pressHotKey(kF7, 0);
    EXPECT_TRUE(panelShown());
    sim().pressHotKey(kF7, 0);
    EXPECT_FALSE(panelShown());
}

TEST_F(WindowToggles, CloseBoxAfterTheMenuOpenedThePanel) {
    startWithSettings(kToggleKeys);
    openPanel();
    sim().clickCloseBox(panel());
    EXPECT_FALSE(panelShown());
    sim().pickMenuItem("Control Panel");
    EXPECT_TRUE(panelShown());
    sim().pressHotKey(kF7, 0);
    EXPECT_FALSE(panelShown()) << "the menu set the toggle to shown";
}

TEST_F(WindowToggles, AfterAnAutoStartThatShowedThePanelTheFirstHotKeyKeepsItShown) {
    writeFile(pluginFile("Home.skd"), positionFileText({{"Latitude", "10"}}));
    startWithSettings(std::string("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Home.skd\n") + kToggleKeys);
    ASSERT_TRUE(panelShown());
    sim().pressHotKey(kF7, 0);
    EXPECT_TRUE(panelShown());
    sim().pressHotKey(kF7, 0);
    EXPECT_FALSE(panelShown());
}

TEST_F(WindowToggles, CloseBoxAfterAnAutoStartThatShowedThePanel) {
    startWithSettings(std::string("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = Missing.skd\n") + kToggleKeys);
    ASSERT_TRUE(panelShown());
    sim().clickCloseBox(panel());
    EXPECT_FALSE(panelShown());
    sim().pressHotKey(kF7, 0);
    EXPECT_TRUE(panelShown());
}

TEST_F(WindowToggles, DataDisplayCloseBoxHidesAndTheHotKeyShowsItAgain) {
    startWithSettings(kToggleKeys);
    sim().pressHotKey(kF8, 0);
    ASSERT_TRUE(displayShown());
    int count = sim().widgetCount();
    sim().clickCloseBox(display());
    EXPECT_FALSE(displayShown());
    sim().pressHotKey(kF8, 0);
    EXPECT_TRUE(displayShown());
    sim().pressHotKey(kF8, 0);
    EXPECT_FALSE(displayShown());
    EXPECT_EQ(count, sim().widgetCount()) << "the display is built only once";
}

TEST_F(WindowToggles, ClosingOneWindowLeavesTheOtherAlone) {
    startWithSettings(kToggleKeys);
    openPanel();
    sim().pickMenuItem("Data Display");
    sim().clickCloseBox(display());
    EXPECT_TRUE(panelShown());
    EXPECT_FALSE(displayShown());
    sim().clickCloseBox(panel());
    EXPECT_FALSE(panelShown());
    sim().pressHotKey(kF8, 0);
    EXPECT_TRUE(displayShown());
    EXPECT_FALSE(panelShown());
}

TEST_F(WindowToggles, AnEarlierRunsPanelCloseBoxLeavesTheCurrentPanelShown) {
    expectEarlierCloseBoxIgnored("Control Panel", kPanelTitle, kF7);
}

TEST_F(WindowToggles, AnEarlierRunsDisplayCloseBoxLeavesTheCurrentDisplayShown) {
    expectEarlierCloseBoxIgnored("Data Display", kDisplayTitle, kF8);
}

TEST_F(WindowToggles, AnEarlierRunsPanelButtonsDoNothing) {
    Runs panels = openInTwoRuns("Control Panel", kPanelTitle, kF7);
    ASSERT_TRUE(sim().clickButton(" Get Data"));  // the earlier panel's, in front
    EXPECT_EQ("No SKD File Loaded", children(panels.current, skysim::Caption).front().descriptor);
    for (const WidgetInfo& info : children(panels.current, skysim::Button)) {
        if (info.descriptor == " Position") {
            EXPECT_EQ(0, sim().property(info.id, 7));
        }
    }
}

}  // namespace
