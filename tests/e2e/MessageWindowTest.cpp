// The message window as the pilot sees it: where it stands, its two buttons,
// closing at the next flight loop after OK or Cancel, and one window at most.
#include <filesystem>

#include "TestSupport.h"
#include "WidgetFinder.h"

namespace {

const char* const kWarningTitle = "SkyPlacer Plugin Warning";

class MessageWindow : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        startWithSettings("");
    }
    // A failed quick load: there is no quick file.
    void warn() { ASSERT_TRUE(sim().pickMenuItem("Quick Load File")); }
    skysim::WidgetId warning() { return sim().findShown(kWarningTitle, skysim::MainWindow); }
};

TEST_F(MessageWindow, StandsAtItsFixedPlaceWithTwoLinesAndTwoPushButtons) {
    warn();
    skysim::WidgetId window = warning();
    ASSERT_NE(0, window);
    skysim::WidgetInfo info = sim().widget(window);
    EXPECT_EQ(300, info.left);
    EXPECT_EQ(550, info.top);
    EXPECT_EQ(550, info.right);
    EXPECT_EQ(450, info.bottom);
    EXPECT_TRUE(info.root);
    EXPECT_EQ(0, sim().property(window, 1200)) << "no close boxes: only the buttons close it";

    struct Expected {
        int widgetClass;
        int left, top, right, bottom;
        const char* text;
    };
    const Expected children[] = {
        {skysim::Caption, 320, 530, 420, 508, "Unable to Load QuickFile.skd File."},
        {skysim::Caption, 320, 510, 420, 488, "Probably not created with QuickSave Yet"},
        {skysim::Button, 320, 480, 360, 458, " OK"},
        {skysim::Button, 370, 480, 410, 458, " Cancel"},
    };
    std::vector<skysim::WidgetId> ids = sim().children(window);
    ASSERT_EQ(4u, ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        skysim::WidgetInfo child = sim().widget(ids[i]);
        EXPECT_EQ(children[i].widgetClass, child.widgetClass) << i;
        EXPECT_EQ(children[i].text, child.descriptor);
        EXPECT_EQ(children[i].left, child.left) << i;
        EXPECT_EQ(children[i].top, child.top) << i;
        EXPECT_EQ(children[i].right, child.right) << i;
        EXPECT_EQ(children[i].bottom, child.bottom) << i;
        EXPECT_TRUE(child.shown) << i;
        if (child.widgetClass == skysim::Button) {
            EXPECT_EQ(0, sim().property(ids[i], 1300)) << i;
        }
    }
}

TEST_F(MessageWindow, OkClosesItAtTheNextFlightLoopNotBefore) {
    warn();
    skysim::WidgetId window = warning();
    int widgets = sim().widgetCount();
    ASSERT_TRUE(sim().clickButton(" OK"));
    EXPECT_TRUE(sim().exists(window)) << "a button never destroys its own window";
    sim().advance(0.2);
    EXPECT_FALSE(sim().exists(window));
    EXPECT_EQ(widgets - 5, sim().widgetCount()) << "the window goes with its four children";
}

TEST_F(MessageWindow, CancelClosesItJustAsOkDoes) {
    warn();
    skysim::WidgetId window = warning();
    ASSERT_TRUE(sim().clickButton(" Cancel"));
    sim().advance(0.2);
    EXPECT_FALSE(sim().exists(window));
}

TEST_F(MessageWindow, UnansweredWindowStaysOpen) {
    warn();
    sim().advance(2.0);
    EXPECT_NE(0, warning());
}

TEST_F(MessageWindow, SecondMessageReplacesTheFirstAtOnce) {
    warn();
    skysim::WidgetId first = warning();
    warn();
    EXPECT_FALSE(sim().exists(first));
    EXPECT_EQ(1, windowsTitled(kWarningTitle));
    skysim::WidgetId second = warning();
    ASSERT_TRUE(sim().clickButton(" OK"));
    sim().advance(0.2);
    EXPECT_FALSE(sim().exists(second));
}

TEST_F(MessageWindow, NewMessageAfterAnAnswerStaysOpen) {
    warn();
    ASSERT_TRUE(sim().clickButton(" OK"));
    // A failed save reported by the same flight-loop call that closes the answered window.
    std::filesystem::remove_all(pluginFolder());
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    sim().advance(0.5);
    EXPECT_EQ(0, windowsTitled(kWarningTitle));
    EXPECT_NE(0, sim().findShown("SkyPlacer Plugin Error", skysim::MainWindow));
}

TEST_F(MessageWindow, ClosedWindowLeavesRoomForTheNext) {
    warn();
    ASSERT_TRUE(sim().clickButton(" Cancel"));
    sim().advance(0.2);
    warn();
    EXPECT_EQ(1, windowsTitled(kWarningTitle));
    sim().advance(0.5);
    EXPECT_NE(0, warning());
}

}  // namespace
