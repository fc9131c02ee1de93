// Showing and hiding the two windows with their hot keys, the menu and their
// close boxes.
#include "ControlPanelDriver.h"

namespace {

constexpr int kF7 = 118;  // CONTROL_PANEL below
constexpr int kF8 = 119;  // DATA_DISPLAY below
const char* const kToggleKeys = "[CONTROL_PANEL]\nHotKey = F7\n[DATA_DISPLAY]\nHotKey = F8\n";

class WindowToggles : public PanelTest {
protected:
    bool panelShown() const { return sim().widget(panel()).shown; }
    bool displayShown() const { return sim().widget(display()).shown; }
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

}  // namespace
