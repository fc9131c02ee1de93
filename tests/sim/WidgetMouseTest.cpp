// The pilot's mouse and keyboard: routing, capture, buttons, close boxes,
// window order and typing into text fields.
#include "WidgetFixture.h"

using skysim::WidgetId;

TEST_F(WidgetTest, PressGoesToTheDeepestShownWidgetAndClimbs) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPAddWidgetCallback(win, recorder<1>);
    XPWidgetID sub = child(win, 10, 190, 190, 10, xpWidgetClass_SubWindow);
    XPWidgetID caption = child(sub, 20, 180, 100, 160, xpWidgetClass_Caption, "Label");
    XPAddWidgetCallback(caption, recorder<2>);
    sim().mouseDown(30, 170);
    std::vector<SeenMessage> presses = seen(xpMsg_MouseDown);
    ASSERT_EQ(2u, presses.size());  // the caption takes nothing, the window takes the press
    EXPECT_EQ(2, presses[0].tag);
    EXPECT_EQ(1, presses[1].tag);
    EXPECT_EQ(idOf(win), presses[1].widget);
    EXPECT_EQ(30, presses[0].mouse.x);
    EXPECT_EQ(170, presses[0].mouse.y);
    EXPECT_EQ(0, presses[0].mouse.button);
}

TEST_F(WidgetTest, HiddenWidgetsAndBackWindowsTakeNoPress) {
    XPWidgetID back = window(0, 200, 200, 0);
    XPAddWidgetCallback(back, recorder<1>);
    XPWidgetID front = window(100, 200, 300, 0);
    XPAddWidgetCallback(front, recorder<2>);
    XPWidgetID hidden = XPCreateCustomWidget(110, 190, 190, 10, 0, "", 0, front, recorder<3>);
    sim().click(150, 100);
    ASSERT_FALSE(seen(xpMsg_MouseDown).empty());
    EXPECT_EQ(2, seen(xpMsg_MouseDown)[0].tag);
    XPShowWidget(hidden);
    seenMessages().clear();
    sim().click(150, 100);
    EXPECT_EQ(3, seen(xpMsg_MouseDown)[0].tag);
}

TEST_F(WidgetTest, LaterSiblingWinsWhereSiblingsOverlap) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPCreateCustomWidget(10, 100, 100, 50, 1, "", 0, win, recorder<1>);
    XPCreateCustomWidget(10, 52, 100, 0, 1, "", 0, win, recorder<2>);
    handledBy()[1].insert(xpMsg_MouseDown);
    handledBy()[2].insert(xpMsg_MouseDown);
    sim().click(50, 51);
    ASSERT_EQ(1u, seen(xpMsg_MouseDown).size());
    EXPECT_EQ(2, seen(xpMsg_MouseDown)[0].tag);
}

TEST_F(WidgetTest, TheWidgetThatTookThePressGetsDragAndRelease) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPWidgetID list = XPCreateCustomWidget(10, 190, 100, 10, 1, "", 0, win, recorder<1>);
    handledBy()[1] = {xpMsg_MouseDown, xpMsg_MouseDrag, xpMsg_MouseUp};
    sim().mouseDown(50, 50);
    sim().mouseDrag(150, 60);  // outside the widget
    sim().mouseUp(500, 70);    // outside every window
    ASSERT_EQ(1u, seen(xpMsg_MouseDrag).size());
    ASSERT_EQ(1u, seen(xpMsg_MouseUp).size());
    EXPECT_EQ(idOf(list), seen(xpMsg_MouseUp)[0].widget);
    EXPECT_EQ(150, seen(xpMsg_MouseDrag)[0].mouse.x);
    EXPECT_EQ(500, seen(xpMsg_MouseUp)[0].mouse.x);
    sim().mouseUp(50, 50);  // the capture ended with the release
    EXPECT_EQ(1u, seen(xpMsg_MouseUp).size());
}

TEST_F(WidgetTest, PushButtonTellsItsContainersWithItsId) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPAddWidgetCallback(win, recorder<1>);
    XPWidgetID sub = child(win, 10, 190, 190, 10, xpWidgetClass_SubWindow);
    XPWidgetID ok = pushButton(sub, 20, 50, 80, 28, " OK");
    EXPECT_TRUE(sim().clickButton(" OK"));
    std::vector<SeenMessage> pushed = seen(xpMsg_PushButtonPressed);
    ASSERT_EQ(1u, pushed.size());
    EXPECT_EQ(idOf(win), pushed[0].widget);
    EXPECT_EQ(idOf(ok), pushed[0].param1);
}

// What a click does comes from the behaviour (1301), not from the look (1300).
TEST_F(WidgetTest, AButtonPushesByItsBehaviourWhateverItsLook) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPAddWidgetCallback(win, recorder<1>);
    XPWidgetID radioLook = pushButton(win, 20, 50, 80, 28, " Look");
    XPSetWidgetProperty(radioLook, xpProperty_ButtonType, 1);
    XPWidgetID checkBox = pushButton(win, 100, 50, 160, 28, " Box");
    XPSetWidgetProperty(checkBox, 1301, 1);
    EXPECT_TRUE(sim().clickButton(" Look"));
    EXPECT_FALSE(sim().clickButton(" Box")) << "not a push button";
    sim().click(130, 40);
    ASSERT_EQ(1u, seen(xpMsg_PushButtonPressed).size());
    EXPECT_EQ(idOf(radioLook), seen(xpMsg_PushButtonPressed)[0].param1);
}

TEST_F(WidgetTest, PushButtonReleasedElsewhereIsNotPressed) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPAddWidgetCallback(win, recorder<1>);
    pushButton(win, 20, 50, 80, 28, " OK");
    sim().mouseDown(50, 40);
    sim().mouseUp(150, 150);
    EXPECT_TRUE(seen(xpMsg_PushButtonPressed).empty());
}

TEST_F(WidgetTest, DisabledButtonTakesNoClick) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPAddWidgetCallback(win, recorder<1>);
    XPWidgetID position = pushButton(win, 20, 50, 80, 28, " Position");
    XPSetWidgetProperty(position, xpProperty_Enabled, 0);
    EXPECT_TRUE(sim().clickButton(" Position"));
    EXPECT_TRUE(seen(xpMsg_PushButtonPressed).empty());

    // Disabled between press and release: still no press.
    XPSetWidgetProperty(position, xpProperty_Enabled, 1);
    sim().mouseDown(50, 40);
    XPSetWidgetProperty(position, xpProperty_Enabled, 0);
    sim().mouseUp(50, 40);
    EXPECT_TRUE(seen(xpMsg_PushButtonPressed).empty());
}

TEST_F(WidgetTest, ClickButtonLooksInTheFrontWindowFirstAndOnlyAtShownButtons) {
    XPWidgetID back = window(0, 200, 200, 0);
    XPAddWidgetCallback(back, recorder<1>);
    XPWidgetID front = window(300, 200, 500, 0);
    XPAddWidgetCallback(front, recorder<2>);
    pushButton(back, 20, 50, 80, 28, " OK");
    XPWidgetID frontOk = pushButton(front, 320, 50, 380, 28, " OK");
    XPWidgetID hidden = pushButton(front, 320, 100, 380, 78, " Cancel");
    XPHideWidget(hidden);
    EXPECT_TRUE(sim().clickButton(" OK"));
    ASSERT_EQ(1u, seen(xpMsg_PushButtonPressed).size());
    EXPECT_EQ(idOf(frontOk), seen(xpMsg_PushButtonPressed)[0].param1);
    EXPECT_FALSE(sim().clickButton(" Cancel"));
    EXPECT_FALSE(sim().clickButton("OK"));
}

TEST_F(WidgetTest, CoveredButtonIsOutOfReachUntilItsWindowIsRaised) {
    XPWidgetID panel = window(20, 540, 430, 200, "Panel");
    XPAddWidgetCallback(panel, recorder<1>);
    XPWidgetID position = pushButton(panel, 180, 240, 240, 218, " Position");
    window(20, 540, 370, 120, "Display");  // covers the whole panel
    seenMessages().clear();
    EXPECT_FALSE(sim().clickButton(" Position"));
    EXPECT_TRUE(seenMessages().empty());
    sim().click(400, 300);  // the panel's uncovered strip raises it
    EXPECT_TRUE(sim().clickButton(" Position"));
    ASSERT_EQ(1u, seen(xpMsg_PushButtonPressed).size());
    EXPECT_EQ(idOf(position), seen(xpMsg_PushButtonPressed)[0].param1);
}

TEST_F(WidgetTest, CloseBoxSendsCloseMessageWithTheWindow) {
    XPWidgetID win = window(100, 400, 300, 200);
    XPAddWidgetCallback(win, recorder<1>);
    sim().clickCloseBox(idOf(win));
    EXPECT_TRUE(seen(xpMessage_CloseButtonPushed).empty());  // no close boxes yet

    XPSetWidgetProperty(win, xpProperty_MainWindowHasCloseBoxes, 1);
    sim().clickCloseBox(idOf(win));
    ASSERT_EQ(1u, seen(xpMessage_CloseButtonPushed).size());
    EXPECT_EQ(idOf(win), seen(xpMessage_CloseButtonPushed)[0].param1);

    sim().click(300 - 21, 400 - 12);  // just left of the box
    sim().click(300 - 4, 400 - 4);    // its top-right corner
    EXPECT_EQ(2u, seen(xpMessage_CloseButtonPushed).size());
}

TEST_F(WidgetTest, ClickInAMainWindowBringsItToTheFront) {
    XPWidgetID back = window(0, 200, 200, 0);
    XPWidgetID front = window(100, 300, 300, 100);
    sim().click(50, 50);
    EXPECT_EQ((std::vector<WidgetId>{idOf(front), idOf(back)}), sim().roots());
    sim().click(500, 500);  // nothing there
    EXPECT_EQ(idOf(back), sim().roots().back());
}

TEST_F(WidgetTest, SelectIfNeededRaisesABackWindowAndEatsTheClick) {
    XPWidgetID back = window(0, 200, 200, 0);
    XPWidgetID list = XPCreateCustomWidget(10, 190, 100, 10, 1, "", 0, back, recorder<1>);
    XPWidgetID front = window(100, 300, 300, 100);
    EXPECT_EQ(0, XPUSelectIfNeeded(xpMsg_MouseDrag, list, 0, 0, 1));
    EXPECT_EQ(idOf(front), sim().roots().back());
    EXPECT_EQ(1, XPUSelectIfNeeded(xpMsg_MouseDown, list, 0, 0, 1));
    EXPECT_EQ(idOf(back), sim().roots().back());
    EXPECT_EQ(0, XPUSelectIfNeeded(xpMsg_MouseDown, list, 0, 0, 1));  // already in front
}

TEST_F(WidgetTest, TypingReplacesAFieldsText) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPWidgetID field = child(win, 20, 100, 100, 78, xpWidgetClass_TextField, "0.000000");
    XPAddWidgetCallback(field, recorder<1>);
    EXPECT_TRUE(sim().typeInto(idOf(field), "12abc"));
    EXPECT_EQ("12abc", sim().widget(idOf(field)).descriptor);
    EXPECT_EQ(1u, seen(xpMsg_DescriptorChanged).size());
}

TEST_F(WidgetTest, TypingNeedsAnEnabledShownUncoveredField) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPWidgetID field = child(win, 20, 100, 100, 78, xpWidgetClass_TextField, "keep");
    XPWidgetID caption = child(win, 20, 150, 100, 128, xpWidgetClass_Caption, "Label");
    XPSetWidgetProperty(field, xpProperty_Enabled, 0);
    EXPECT_FALSE(sim().typeInto(idOf(field), "x"));
    XPSetWidgetProperty(field, xpProperty_Enabled, 1);
    XPHideWidget(win);
    EXPECT_FALSE(sim().typeInto(idOf(field), "x"));
    XPShowWidget(win);
    EXPECT_FALSE(sim().typeInto(idOf(caption), "x"));
    window(0, 200, 200, 0, "Cover");  // another window over the field
    EXPECT_FALSE(sim().typeInto(idOf(field), "x"));
    EXPECT_EQ("keep", sim().widget(idOf(field)).descriptor);
}
