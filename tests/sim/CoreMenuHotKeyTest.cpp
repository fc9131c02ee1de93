// Menus (the plug-ins menu, submenus, picking, destroying) and hot keys
// (unsigned key codes, flags, several per key, unregistering, the keyboard's
// press, repeats and release).
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "CoreTestFixture.h"

namespace {

std::vector<std::pair<void*, void*>> picks;  // (menu reference, item reference)

void pickHandler(void* menuRef, void* itemRef) { picks.emplace_back(menuRef, itemRef); }

// Builds "Tools" under the plug-ins menu with two items, as a plug-in does.
XPLMMenuID buildToolsMenu(void* menuRef, int* itemIndex) {
    *itemIndex = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Tools", nullptr, 1);
    XPLMMenuID menu = XPLMCreateMenu("Tools", XPLMFindPluginsMenu(), *itemIndex, pickHandler, menuRef);
    static const char* kOpen = "Open";
    static const char* kClose = "Close";
    XPLMAppendMenuItem(menu, kOpen, const_cast<char*>(kOpen), 1);
    XPLMAppendMenuItem(menu, kClose, const_cast<char*>(kClose), 1);
    return menu;
}

std::vector<void*> fired;

void hotKeyHandler(void* refcon) { fired.push_back(refcon); }

XPLMHotKeyID unregisterTarget = nullptr;

void unregisteringHandler(void* refcon) {
    fired.push_back(refcon);
    XPLMUnregisterHotKey(unregisterTarget);
}

class MenuHotKeyTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        picks.clear();
        fired.clear();
    }
};

}  // namespace

TEST_F(MenuHotKeyTest, PluginsMenuHasOneFixedIdAndItemsCountFromZero) {
    XPLMMenuID plugins = XPLMFindPluginsMenu();
    EXPECT_NE(nullptr, plugins);
    EXPECT_EQ(plugins, XPLMFindPluginsMenu());
    EXPECT_EQ(0, XPLMAppendMenuItem(plugins, "First", nullptr, 1));
    EXPECT_EQ(1, XPLMAppendMenuItem(plugins, "Second", nullptr, 1));
    EXPECT_EQ((std::vector<std::string>{"First", "Second"}), sim().pluginsMenuItems());
    EXPECT_EQ(-1, XPLMAppendMenuItem(reinterpret_cast<XPLMMenuID>(999999), "Lost", nullptr, 1));
    sim().reset(root_.path());
    EXPECT_TRUE(sim().pluginsMenuItems().empty());
}

TEST_F(MenuHotKeyTest, SubmenuListsItsItemsWithTheirReferences) {
    int index = -1;
    buildToolsMenu(nullptr, &index);
    EXPECT_EQ(0, index);
    EXPECT_EQ(1, sim().menuCount());
    std::vector<skysim::MenuItemInfo> items = sim().menuItems("Tools");
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ("Open", items[0].text);
    EXPECT_STREQ("Close", static_cast<const char*>(items[1].itemRef));
    EXPECT_TRUE(sim().menuItems("Nothing").empty());
}

TEST_F(MenuHotKeyTest, PickingAnItemCallsTheHandlerWithMenuAndItemReferences) {
    int index;
    int menuRef = 0;
    buildToolsMenu(&menuRef, &index);
    EXPECT_TRUE(sim().pickMenuItem("Close"));
    ASSERT_EQ(1u, picks.size());
    EXPECT_EQ(&menuRef, picks[0].first);
    EXPECT_STREQ("Close", static_cast<const char*>(picks[0].second));
    EXPECT_FALSE(sim().pickMenuItem("Tools"));  // the plug-ins menu has no handler of the plug-in
    EXPECT_FALSE(sim().pickMenuItem("Save"));
    int arbitrary = 0;
    EXPECT_TRUE(sim().pickMenuItemRef("Tools", &arbitrary));
    EXPECT_EQ(&arbitrary, picks.back().second);
    EXPECT_FALSE(sim().pickMenuItemRef("Nothing", &arbitrary));
}

TEST_F(MenuHotKeyTest, DestroyingAMenuRemovesItButKeepsThePluginsMenuItem) {
    int index;
    XPLMMenuID tools = buildToolsMenu(nullptr, &index);
    XPLMMenuID deeper = XPLMCreateMenu("Deeper", tools, 0, pickHandler, nullptr);
    XPLMAppendMenuItem(deeper, "Deep item", nullptr, 1);
    EXPECT_EQ(2, sim().menuCount());
    XPLMDestroyMenu(tools);
    EXPECT_EQ(0, sim().menuCount());  // the menu below it goes too
    EXPECT_EQ((std::vector<std::string>{"Tools"}), sim().pluginsMenuItems());
    EXPECT_FALSE(sim().pickMenuItem("Open"));
    EXPECT_FALSE(sim().pickMenuItem("Deep item"));
    EXPECT_EQ(-1, XPLMAppendMenuItem(tools, "Late", nullptr, 1));
    XPLMDestroyMenu(tools);  // again: ignored
    XPLMDestroyMenu(XPLMFindPluginsMenu());
    EXPECT_EQ(1u, sim().pluginsMenuItems().size());
}

TEST_F(MenuHotKeyTest, RemovingAnItemMovesTheLaterOnesUpAndTakesTheMenusBelowIt) {
    int index;
    XPLMMenuID tools = buildToolsMenu(nullptr, &index);  // Tools: Open, Close
    EXPECT_EQ(1, XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Help", nullptr, 1));
    XPLMRemoveMenuItem(tools, 0);
    ASSERT_EQ(1u, sim().menuItems("Tools").size());
    EXPECT_EQ("Close", sim().menuItems("Tools")[0].text);
    XPLMRemoveMenuItem(tools, 1);  // Close is item 0 now
    XPLMRemoveMenuItem(reinterpret_cast<XPLMMenuID>(999999), 0);
    EXPECT_EQ(1u, sim().menuItems("Tools").size());
    XPLMRemoveMenuItem(XPLMFindPluginsMenu(), 0);  // the item Tools hangs from
    EXPECT_EQ(std::vector<std::string>{"Help"}, sim().pluginsMenuItems());
    EXPECT_EQ(0, sim().menuCount());
    EXPECT_FALSE(sim().pickMenuItem("Close"));
    std::string log = sim().simLog();
    EXPECT_NE(std::string::npos, log.find("XPLMRemoveMenuItem: the menu \"Tools\" has no item 1 of the caller")) << log;
    EXPECT_NE(std::string::npos, log.find("XPLMRemoveMenuItem: unknown menu")) << log;
}

TEST_F(MenuHotKeyTest, AMenuNeedsAKnownParentAndAnExistingItem) {
    int index;
    XPLMMenuID tools = buildToolsMenu(nullptr, &index);  // the plug-ins menu has item 0; Tools has 0 and 1
    XPLMMenuID lost = XPLMCreateMenu("Lost", reinterpret_cast<XPLMMenuID>(999999), 0, pickHandler, nullptr);
    XPLMMenuID noParent = XPLMCreateMenu("No parent", nullptr, 0, pickHandler, nullptr);
    XPLMMenuID pastEnd = XPLMCreateMenu("Past the end", XPLMFindPluginsMenu(), 1, pickHandler, nullptr);
    XPLMMenuID negative = XPLMCreateMenu("Negative", tools, -1, pickHandler, nullptr);
    EXPECT_EQ(nullptr, lost);
    EXPECT_EQ(nullptr, noParent);
    EXPECT_EQ(nullptr, pastEnd);
    EXPECT_EQ(nullptr, negative);
    EXPECT_EQ(1, sim().menuCount());
    EXPECT_EQ(-1, XPLMAppendMenuItem(pastEnd, "Unreachable", nullptr, 1));
    EXPECT_FALSE(sim().pickMenuItem("Unreachable"));
    std::string log = sim().simLog();
    EXPECT_NE(std::string::npos, log.find("XPLMCreateMenu: unknown parent menu for \"Lost\"")) << log;
    EXPECT_NE(std::string::npos, log.find("unknown parent menu for \"No parent\"")) << log;
    EXPECT_NE(std::string::npos, log.find("has no item 1 for \"Past the end\"")) << log;
    EXPECT_NE(std::string::npos, log.find("has no item -1 for \"Negative\"")) << log;
    EXPECT_NE(nullptr, XPLMCreateMenu("Under close", tools, 1, pickHandler, nullptr)) << "the last item is fine";
}

TEST_F(MenuHotKeyTest, MenuIdsAreNotReusedAfterReset) {
    int index;
    XPLMMenuID old = buildToolsMenu(nullptr, &index);
    sim().reset(root_.path());
    EXPECT_EQ(0, sim().menuCount());
    XPLMMenuID fresh = buildToolsMenu(nullptr, &index);
    EXPECT_NE(old, fresh);
    XPLMDestroyMenu(old);
    EXPECT_EQ(1, sim().menuCount());
}

TEST_F(MenuHotKeyTest, KeysAboveOneTwentySevenAreStoredUnsigned) {
    char f1 = static_cast<char>(0x70);
    char numpadKey = static_cast<char>(0xBB);  // negative where char is signed
    int refA = 0, refB = 0;
    XPLMRegisterHotKey(f1, 0, "A", hotKeyHandler, &refA);
    XPLMRegisterHotKey(numpadKey, xplm_DownFlag | 2, "B", hotKeyHandler, &refB);
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(0x70, keys[0].key);
    EXPECT_EQ(0xBB, keys[1].key);
    EXPECT_EQ(xplm_DownFlag | 2, keys[1].flags);
    EXPECT_EQ("B", keys[1].description);
    EXPECT_EQ(&refB, keys[1].refcon);
    EXPECT_EQ(1, sim().tapKey(0xBB, 2));
    EXPECT_EQ(0, sim().tapKey(0xBB, 0));  // flags must match
    EXPECT_EQ(0, sim().tapKey(-69, 2));   // the signed code is not the key
    EXPECT_EQ((std::vector<void*>{&refB}), fired);
}

TEST_F(MenuHotKeyTest, EveryHotKeyOfTheKeyFiresAndUnregisteredOnesDoNot) {
    int refA = 0, refB = 0;
    XPLMHotKeyID a = XPLMRegisterHotKey('Q', xplm_DownFlag | 1, "A", hotKeyHandler, &refA);
    XPLMHotKeyID b = XPLMRegisterHotKey('Q', xplm_DownFlag | 1, "B", hotKeyHandler, &refB);
    EXPECT_NE(a, b);
    EXPECT_EQ(2, sim().tapKey('Q', 1));
    XPLMUnregisterHotKey(a);
    EXPECT_EQ("", sim().simLog());
    XPLMUnregisterHotKey(a);                                   // twice: removes nothing, named
    XPLMUnregisterHotKey(reinterpret_cast<XPLMHotKeyID>(-7));  // unknown: likewise
    EXPECT_EQ("XPLMUnregisterHotKey: no hot key has this id\nXPLMUnregisterHotKey: no hot key has this id\n",
              sim().simLog());
    EXPECT_EQ(1u, sim().hotKeys().size());
    EXPECT_EQ(1, sim().tapKey('Q', 1));
    EXPECT_EQ((std::vector<void*>{&refA, &refB, &refB}), fired);
}

TEST_F(MenuHotKeyTest, AHotKeyUnregisteredByAnotherDuringThePressDoesNotFire) {
    int refA = 0, refB = 0;
    XPLMRegisterHotKey('W', xplm_DownFlag, "A", unregisteringHandler, &refA);
    unregisterTarget = XPLMRegisterHotKey('W', xplm_DownFlag, "B", hotKeyHandler, &refB);
    EXPECT_EQ(1, sim().tapKey('W', 0));
    EXPECT_EQ((std::vector<void*>{&refA}), fired);
}

TEST_F(MenuHotKeyTest, ResetForgetsHotKeys) {
    XPLMRegisterHotKey('E', xplm_DownFlag, "A", hotKeyHandler, nullptr);
    sim().reset(root_.path());
    EXPECT_TRUE(sim().hotKeys().empty());
    EXPECT_EQ(0, sim().tapKey('E', 0));
}

// A key press as the SDK's key flags describe it: Down and the modifiers once,
// the modifiers alone at every repeat, Up and the modifiers once.
TEST_F(MenuHotKeyTest, AKeyPressSendsDownThenARepeatPerRepeatThenUp) {
    int down = 0, repeat = 0, up = 0;
    XPLMRegisterHotKey('R', xplm_DownFlag | xplm_ControlFlag, "down", hotKeyHandler, &down);
    XPLMRegisterHotKey('R', xplm_ControlFlag, "repeat", hotKeyHandler, &repeat);
    XPLMRegisterHotKey('R', xplm_UpFlag | xplm_ControlFlag, "up", hotKeyHandler, &up);
    auto count = [](const int* ref) { return std::count(fired.begin(), fired.end(), ref); };

    EXPECT_EQ(2, sim().tapKey('R', xplm_ControlFlag | xplm_DownFlag));  // only the modifier bits count
    EXPECT_EQ((std::vector<void*>{&down, &up}), fired);

    fired.clear();
    const double start = sim().now();
    EXPECT_EQ(1 + 38 + 1, sim().holdKey('R', xplm_ControlFlag, 2.0));  // 0.5 s, then 25 a second
    EXPECT_NEAR(start + 2.0, sim().now(), 1e-9);
    EXPECT_EQ(1, count(&down));
    EXPECT_EQ(38, count(&repeat));
    EXPECT_EQ(1, count(&up));
    EXPECT_EQ(&up, fired.back());

    fired.clear();
    EXPECT_FALSE(sim().setKeyRepeat(-1, 10));
    EXPECT_FALSE(sim().setKeyRepeat(0.2, 0));
    ASSERT_TRUE(sim().setKeyRepeat(0.2, 10));
    EXPECT_EQ(1, sim().pressKey('R', xplm_ControlFlag));
    EXPECT_EQ(-1, sim().pressKey('Q', 0)) << "one key at a time";
    sim().advance(1.0);
    EXPECT_EQ(9, count(&repeat)) << "at 0.2 s, then every 0.1 s to 1.0 s";
    EXPECT_EQ(11, sim().releaseKey());
    EXPECT_EQ(-1, sim().releaseKey());
    EXPECT_EQ(0, sim().tapKey('R', 0)) << "without Control, nothing of it fires";
}
