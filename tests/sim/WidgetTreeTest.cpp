// The widget tree: ids, properties, descriptors, visibility, z-order and destruction.
#include <cstring>

#include "WidgetFixture.h"

using skysim::WidgetId;

namespace {

// How many children each widget had left when it heard its destroy message.
std::vector<size_t>& childrenWhenDestroyed() {
    static std::vector<size_t> counts;
    return counts;
}

int countChildrenOnDestroy(XPWidgetMessage message, XPWidgetID widget, intptr_t, intptr_t) {
    if (message == xpMsg_Destroy) childrenWhenDestroyed().push_back(skysim::Sim::get().children(idOf(widget)).size());
    return 0;
}

}  // namespace

TEST_F(WidgetTest, IdsAreNeverReusedAndStaleIdsAreIgnored) {
    XPWidgetID first = window(0, 100, 100, 0);
    XPDestroyWidget(first, 1);
    sim().reset(root_.path());
    XPWidgetID second = window(0, 100, 100, 0);
    EXPECT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_FALSE(sim().exists(idOf(first)));

    XPSetWidgetDescriptor(first, "stale");
    XPSetWidgetProperty(first, 1234, 5);
    int exists = 1;
    EXPECT_EQ(0, XPGetWidgetProperty(first, 1234, &exists));
    EXPECT_EQ(0, exists);
    EXPECT_EQ(0, XPGetWidgetDescriptor(first, nullptr, 0));
    EXPECT_EQ(0, XPIsWidgetVisible(first));
    EXPECT_EQ(0, XPSendMessageToWidget(first, 4, xpMode_Direct, 0, 0));
    EXPECT_EQ(1, sim().widgetCount());
    EXPECT_EQ(6, sim().unknownWidgetCalls()) << "every call on the stale id is counted";
}

TEST_F(WidgetTest, CallsOnWidgetZeroAreCountedAndCallsOnLiveWidgetsAreNot) {
    XPWidgetID live = window(0, 100, 100, 0);
    XPSetWidgetProperty(live, xpProperty_Enabled, 0);
    XPHideWidget(live);
    XPDestroyWidget(live, 1);
    EXPECT_EQ(0, sim().unknownWidgetCalls());
    XPGetWidgetProperty(nullptr, xpProperty_Enabled, nullptr);
    XPSetWidgetDescriptor(nullptr, "");
    XPDestroyWidget(live, 1);
    EXPECT_EQ(3, sim().unknownWidgetCalls());
    sim().reset(root_.path());
    EXPECT_EQ(0, sim().unknownWidgetCalls());
}

TEST_F(WidgetTest, EnabledDefaultsToOneAndUnknownPropertiesReadZero) {
    XPWidgetID win = window(0, 100, 100, 0);
    int exists = 0;
    EXPECT_EQ(1, XPGetWidgetProperty(win, xpProperty_Enabled, &exists));
    EXPECT_EQ(1, exists);
    EXPECT_EQ(0, XPGetWidgetProperty(win, 1999, &exists));
    EXPECT_EQ(0, exists);
    EXPECT_EQ(0, XPGetWidgetProperty(win, 1999, nullptr));

    intptr_t big = static_cast<intptr_t>(0x123456789LL);
    XPSetWidgetProperty(win, 1906, big);
    bool known = false;
    EXPECT_EQ(big, sim().property(idOf(win), 1906, &known));
    EXPECT_TRUE(known);
}

TEST_F(WidgetTest, SettingAPropertyOrDescriptorTellsTheWidget) {
    XPWidgetID win = window(0, 100, 100, 0);
    XPAddWidgetCallback(win, recorder<1>);
    XPSetWidgetProperty(win, 1901, 7);
    XPSetWidgetDescriptor(win, "Title");
    ASSERT_EQ(1u, seen(xpMsg_PropertyChanged).size());
    EXPECT_EQ(1901, seen(xpMsg_PropertyChanged)[0].param1);
    EXPECT_EQ(7, seen(xpMsg_PropertyChanged)[0].param2);
    ASSERT_EQ(1u, seen(xpMsg_DescriptorChanged).size());
    EXPECT_EQ("Title", sim().widget(idOf(win)).descriptor);
}

TEST_F(WidgetTest, DescriptorFillingTheBufferIsNotTerminated) {
    XPWidgetID win = window(0, 100, 100, 0, "abcdef");
    char buffer[8];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(6, XPGetWidgetDescriptor(win, buffer, 6));
    EXPECT_EQ(0, std::memcmp(buffer, "abcdefXX", 8));

    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(6, XPGetWidgetDescriptor(win, buffer, 4));
    EXPECT_EQ(0, std::memcmp(buffer, "abcdXXXX", 8));

    EXPECT_EQ(6, XPGetWidgetDescriptor(win, buffer, 8));
    EXPECT_STREQ("abcdef", buffer);
    EXPECT_EQ(6, XPGetWidgetDescriptor(win, nullptr, 100));
}

// param1 0: the widget was just created; 1: a callback was added to one that exists.
TEST_F(WidgetTest, CreateMessageGoesToANewWidgetAndAtOnceToAnAddedCallback) {
    XPWidgetID win = window(0, 100, 100, 0);
    XPWidgetID custom = XPCreateCustomWidget(10, 90, 90, 10, 1, "a;b", 0, win, recorder<1>);
    ASSERT_EQ(1u, seen(xpMsg_Create).size());
    EXPECT_EQ(idOf(custom), seen(xpMsg_Create)[0].widget);
    EXPECT_EQ(0, seen(xpMsg_Create)[0].param1);
    EXPECT_EQ(skysim::CustomClass, sim().widget(idOf(custom)).widgetClass);
    EXPECT_EQ("a;b", sim().widget(idOf(custom)).descriptor);
    XPAddWidgetCallback(custom, recorder<2>);
    ASSERT_EQ(2u, seen(xpMsg_Create).size()) << "the added function only";
    EXPECT_EQ(2, seen(xpMsg_Create)[1].tag);
    EXPECT_EQ(1, seen(xpMsg_Create)[1].param1);
}

TEST_F(WidgetTest, VisibleAndShownNeedEveryContainerVisible) {
    XPWidgetID win = window(0, 100, 100, 0);
    XPWidgetID sub = child(win, 10, 90, 90, 10, xpWidgetClass_SubWindow);
    XPWidgetID caption = child(sub, 20, 80, 80, 60, xpWidgetClass_Caption, "Hello");
    EXPECT_EQ(1, XPIsWidgetVisible(caption));
    XPHideWidget(win);
    EXPECT_EQ(0, XPIsWidgetVisible(caption));
    EXPECT_TRUE(sim().widget(idOf(caption)).visible) << "its own flag stays";
    EXPECT_FALSE(sim().widget(idOf(caption)).shown);
    EXPECT_EQ(0, sim().findShown("Hello"));
    XPShowWidget(win);
    EXPECT_TRUE(sim().widget(idOf(caption)).shown);
    EXPECT_EQ(idOf(caption), sim().findShown("Hello", xpWidgetClass_Caption));
    EXPECT_EQ(0, sim().findShown("Hello", xpWidgetClass_Button));
}

TEST_F(WidgetTest, RootsAreNewestOnTopAndChildrenInCreationOrder) {
    XPWidgetID back = window(0, 100, 100, 0);
    XPWidgetID front = window(50, 150, 150, 50);
    XPWidgetID a = child(back, 10, 90, 40, 60, xpWidgetClass_Caption);
    XPWidgetID b = child(back, 50, 90, 80, 60, xpWidgetClass_Caption);
    EXPECT_EQ((std::vector<WidgetId>{idOf(back), idOf(front)}), sim().roots());
    EXPECT_EQ((std::vector<WidgetId>{idOf(a), idOf(b)}), sim().children(idOf(back)));
    EXPECT_EQ(idOf(back), sim().widget(idOf(a)).parent);
    EXPECT_TRUE(sim().widget(idOf(front)).root);
    EXPECT_FALSE(sim().widget(idOf(a)).root);
}

TEST_F(WidgetTest, GeometryAcceptsNullOutputs) {
    XPWidgetID win = window(5, 100, 200, 20);
    int left = 0, bottom = 0;
    XPGetWidgetGeometry(win, &left, nullptr, nullptr, &bottom);
    EXPECT_EQ(5, left);
    EXPECT_EQ(20, bottom);
}

// Each widget is told and removed before its container hears of it.
TEST_F(WidgetTest, DestroyTellsAndRemovesEachChildBeforeItsParent) {
    XPWidgetID win = XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, recorder<1>);
    XPWidgetID sub = XPCreateCustomWidget(10, 90, 90, 10, 1, "", 0, win, recorder<2>);
    XPWidgetID leaf = XPCreateCustomWidget(20, 80, 80, 20, 1, "", 0, sub, recorder<3>);
    XPWidgetID other = XPCreateCustomWidget(10, 90, 90, 10, 1, "", 0, win, recorder<4>);
    childrenWhenDestroyed().clear();
    for (XPWidgetID each : {win, sub, leaf, other}) XPAddWidgetCallback(each, countChildrenOnDestroy);
    XPDestroyWidget(win, 1);
    std::vector<SeenMessage> destroyed = seen(xpMsg_Destroy);
    ASSERT_EQ(4u, destroyed.size());
    EXPECT_EQ(idOf(leaf), destroyed[0].widget);
    EXPECT_EQ(idOf(sub), destroyed[1].widget);
    EXPECT_EQ(idOf(other), destroyed[2].widget);
    EXPECT_EQ(idOf(win), destroyed[3].widget);
    EXPECT_EQ((std::vector<size_t>{0, 0, 0, 0}), childrenWhenDestroyed());
    EXPECT_EQ(0, sim().widgetCount());
    EXPECT_TRUE(sim().roots().empty());
}

// A widget's own function frees what it holds on message 2: an added callback
// that handles the message must not keep it from there.
TEST_F(WidgetTest, DestroyReachesEveryFunctionEvenPastAHandler) {
    XPWidgetID win = XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, recorder<1>);
    XPWidgetID inner = XPCreateCustomWidget(10, 90, 90, 10, 1, "", 0, win, recorder<3>);
    XPAddWidgetCallback(win, recorder<2>);
    XPAddWidgetCallback(inner, recorder<4>);
    handledBy()[2].insert(xpMsg_Destroy);
    handledBy()[4].insert(xpMsg_Destroy);
    XPDestroyWidget(win, 1);
    std::vector<int> tags;
    for (const SeenMessage& each : seen(xpMsg_Destroy)) tags.push_back(each.tag);
    EXPECT_EQ((std::vector<int>{4, 3, 2, 1}), tags);
    EXPECT_EQ(0, sim().widgetCount());
}

TEST_F(WidgetTest, DestroyingAChildLeavesItsSiblings) {
    XPWidgetID win = window(0, 100, 100, 0);
    XPWidgetID a = child(win, 10, 90, 40, 60, xpWidgetClass_Caption);
    XPWidgetID b = child(win, 50, 90, 80, 60, xpWidgetClass_Caption);
    XPDestroyWidget(a, 1);
    EXPECT_EQ(std::vector<WidgetId>{idOf(b)}, sim().children(idOf(win)));
}

TEST_F(WidgetTest, DestroyWithoutChildrenOrphansThem) {
    XPWidgetID win = window(0, 100, 100, 0);
    XPWidgetID orphan = XPCreateCustomWidget(10, 90, 90, 10, 1, "", 0, win, recorder<1>);
    XPDestroyWidget(win, 0);
    EXPECT_TRUE(seen(xpMsg_Destroy).empty());
    ASSERT_TRUE(sim().exists(idOf(orphan)));
    EXPECT_EQ(0, sim().widget(idOf(orphan)).parent);
    EXPECT_FALSE(sim().widget(idOf(orphan)).shown);
}
