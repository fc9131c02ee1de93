// The control panel as the menu builds it: every widget's class, rectangle,
// text and properties, in creation order, read back from the stand-in.
#include <string>
#include <vector>

#include "ControlPanelDriver.h"

namespace {

struct Expected {
    int widgetClass;
    int left, top, right, bottom;
    std::string text;
};

// The panel opened at left 20, top 540, 410 wide and 340 high: x 20 to 430, y 540 to 200.
std::vector<Expected> expectedChildren() {
    using namespace skysim;
    std::vector<Expected> rows = {
        {SubWindow, 30, 510, 420, 210, ""},
        {Caption, 40, 510, 290, 488, "No SKD File Loaded"},
        {Caption, 40, 500, 290, 478, "Use the Get Data button to get the current aircraft position"},
        {Caption, 40, 490, 290, 468, "Use the Position button to use the data below to position the aircraft"},
    };
    const char* left[] = {"Latitude", "Longitude", "Altitude", "Heading", "Pitch",
                          "Roll",     "Speed",     "Throttle", "Flaps",   "Gear"};
    for (int k = 0; k < 10; ++k) {
        int y = 470 - 20 * k;
        rows.push_back({Caption, 40, y, 90, y - 22, left[k]});
        rows.push_back({TextField, 100, y, 180, y - 22, k == 9 ? "0" : "0.000000"});
    }
    const char* right[] = {"AP Mode",     "AP Altitude", "AP VerticalVelocity", "AP Heading",
                           "AP Airspeed", "AP State",    "AP HeadingRollMode"};
    for (int k = 0; k < 7; ++k) {
        int y = 470 - 20 * k;
        bool whole = k == 0 || k == 5 || k == 6;
        rows.push_back({Caption, 220, y, 290, y - 22, right[k]});
        rows.push_back({TextField, 330, y, 410, y - 22, whole ? "0" : "0.000000"});
    }
    std::vector<Expected> buttons = {
        {Button, 40, 260, 100, 238, " Load SKD"},    {Button, 110, 260, 170, 238, " Save SKD"},
        {Button, 180, 260, 240, 238, " Quick Load"}, {Button, 250, 260, 310, 238, " Quick Save"},
        {Button, 40, 240, 100, 218, " Get Data"},    {Button, 110, 240, 170, 218, " Save Data"},
        {Button, 180, 240, 240, 218, " Position"},
    };
    rows.insert(rows.end(), buttons.begin(), buttons.end());
    rows.push_back({Caption, 30, 220, 240, 198, ""});
    return rows;
}

class ControlPanelLayout : public PanelTest {};

TEST_F(ControlPanelLayout, WindowHasTheMenuGeometryTitleAndCloseBoxes) {
    startWithSettings("");
    WidgetId id = openPanel();
    ASSERT_NE(0, id);
    WidgetInfo info = sim().widget(id);
    EXPECT_EQ(skysim::MainWindow, info.widgetClass);
    EXPECT_TRUE(info.root);
    EXPECT_TRUE(info.shown);
    EXPECT_EQ(20, info.left);
    EXPECT_EQ(540, info.top);
    EXPECT_EQ(430, info.right);
    EXPECT_EQ(200, info.bottom);
    EXPECT_EQ(0u, info.descriptor.find(std::string(kPanelTitle) + " " + kPluginVersion + " "));
    EXPECT_EQ(1, sim().property(id, 1200));
}

TEST_F(ControlPanelLayout, EveryChildInOrderWithItsRectangleClassAndText) {
    startWithSettings("");
    WidgetId id = openPanel();
    std::vector<WidgetInfo> actual = childrenOf(id);
    std::vector<Expected> expected = expectedChildren();
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("child " + std::to_string(i) + " " + expected[i].text);
        EXPECT_EQ(expected[i].widgetClass, actual[i].widgetClass);
        EXPECT_EQ(expected[i].left, actual[i].left);
        EXPECT_EQ(expected[i].top, actual[i].top);
        EXPECT_EQ(expected[i].right, actual[i].right);
        EXPECT_EQ(expected[i].bottom, actual[i].bottom);
        EXPECT_EQ(expected[i].text, actual[i].descriptor);
        EXPECT_TRUE(actual[i].visible);
        EXPECT_FALSE(actual[i].root);
    }
}

TEST_F(ControlPanelLayout, WidgetPropertiesAreSetByClass) {
    startWithSettings("");
    WidgetId id = openPanel();
    std::vector<WidgetInfo> subWindows = childrenOf(id, skysim::SubWindow);
    ASSERT_EQ(1u, subWindows.size());
    bool exists = false;
    EXPECT_EQ(0, sim().property(subWindows[0].id, 1200, &exists));
    EXPECT_TRUE(exists);
    for (const WidgetInfo& field : childrenOf(id, skysim::TextField)) {
        exists = false;
        EXPECT_EQ(0, sim().property(field.id, 1403, &exists));
        EXPECT_TRUE(exists) << "text field type not set";
    }
    for (const WidgetInfo& button : childrenOf(id, skysim::Button)) {
        exists = false;
        EXPECT_EQ(0, sim().property(button.id, 1300, &exists));
        EXPECT_TRUE(exists) << button.descriptor << ": button type not set";
    }
}

TEST_F(ControlPanelLayout, PanelIsBuiltOnceWhateverOpensItAgain) {
    startWithSettings("[CONTROL_PANEL]\nHotKey = F7\n");
    openPanel();
    int count = sim().widgetCount();
    sim().pickMenuItem("Control Panel");
    sim().tapKey(118, 0);
    sim().tapKey(118, 0);
    EXPECT_EQ(count, sim().widgetCount());
}

}  // namespace
