// The list box driven directly on the stand-in: creation from the descriptor,
// what one frame draws, scrolling, selection and its announcement, the
// trigger properties and the release of the item store.
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ui/InterfaceColor.h"
#include "ui/ListBox.h"

namespace {

using skysim::DrawOp;
using skysim::Sim;

// The list box's rectangle: 220 by 200 pixels, so 16 lines and a 200-pixel text width.
constexpr int L = 100, T = 300, R = 320, B = 100;
constexpr int kBarX = R - 10;   // middle of the scroll-bar column
constexpr int kItemX = L + 50;  // inside the item area

struct Announcement {
    XPWidgetID from;
    intptr_t index;
};
std::vector<Announcement> announcements;

int recordSelection(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t param2) {
    if (message != ListBoxMsg_ItemSelected) return 0;
    announcements.push_back({reinterpret_cast<XPWidgetID>(param1), param2});
    return 1;
}

std::string numberedItems(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? ";item" : "item") + std::to_string(i);
    return text;
}

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sim::get().reset(root_.path());
        announcements.clear();
        host_ = XPCreateWidget(0, 600, 600, 0, 1, "Host", 1, nullptr, xpWidgetClass_MainWindow);
        XPAddWidgetCallback(host_, recordSelection);
    }
    void TearDown() override { XPDestroyWidget(host_, 1); }

    XPWidgetID create(const std::string& descriptor, int top = T, int right = R) {
        box_ = createListBox(L, top, right, B, 1, descriptor.c_str(), host_);
        return box_;
    }
    intptr_t prop(XPWidgetPropertyID id) const { return XPGetWidgetProperty(box_, id, nullptr); }
    void set(XPWidgetPropertyID id, intptr_t value) { XPSetWidgetProperty(box_, id, value); }
    const std::vector<ListItem>& items() const { return reinterpret_cast<ListItems*>(prop(ListBoxProp_Items))->items; }
    std::vector<DrawOp> boxOps() const {
        std::vector<DrawOp> ops;
        for (const DrawOp& op : Sim::get().draw()) {
            if (op.widget == reinterpret_cast<skysim::WidgetId>(box_)) ops.push_back(op);
        }
        return ops;
    }
    // Text drawn on each line, by line number from the top.
    std::map<int, std::string> shownLines() const {
        std::map<int, std::string> lines;
        for (const DrawOp& op : boxOps()) {
            if (op.kind != DrawOp::String) continue;
            EXPECT_EQ(L, op.x1);
            EXPECT_EQ(0, (T - 10 - op.y1) % 12) << op.y1;
            lines[(T - 10 - op.y1) / 12] = op.text;
        }
        return lines;
    }
    // Expects items first..last on lines 0 onwards and nothing else.
    void expectShown(int first, int last) const {
        std::map<int, std::string> expected;
        for (int i = first; i <= last; ++i) expected[i - first] = "item" + std::to_string(i);
        EXPECT_EQ(expected, shownLines());
    }

    TempFolder root_;
    XPWidgetID host_ = nullptr;
    XPWidgetID box_ = nullptr;
};

// --- creation ---

TEST_F(ListBoxTest, CreationSplitsTheDescriptorAndShowsTheFirstItemsSelectingItemZero) {
    create(numberedItems(20));
    EXPECT_EQ(20u, items().size());
    EXPECT_EQ(16, prop(ListBoxProp_VisibleLines));
    EXPECT_EQ(16, prop(ListBoxProp_PageLines));
    EXPECT_EQ(0, prop(ListBoxProp_ScrollMin));
    EXPECT_EQ(20, prop(ListBoxProp_ScrollMax));
    EXPECT_EQ(20, prop(ListBoxProp_ScrollPos));
    EXPECT_EQ(0, prop(ListBoxProp_CurrentItem));
    EXPECT_EQ(0, prop(ListBoxProp_ThumbDragging));
    for (const ListItem& item : items()) {
        EXPECT_EQ(0, item.xStart);
        EXPECT_EQ(R - L - 20, item.xEnd);
    }
    expectShown(0, 15);
}

TEST_F(ListBoxTest, SplittingKeepsEmptyPartsBetweenSeparatorsButNotATrailingOne) {
    create("a;b;;c");
    ASSERT_EQ(4u, items().size());
    EXPECT_EQ("a", items()[0].text);
    EXPECT_EQ("b", items()[1].text);
    EXPECT_EQ("", items()[2].text);
    EXPECT_EQ("c", items()[3].text);
    XPSetWidgetDescriptor(box_, "a;");
    set(ListBoxProp_SetItems, 1);
    ASSERT_EQ(1u, items().size());
    EXPECT_EQ("a", items()[0].text);
}

TEST_F(ListBoxTest, AnEmptyDescriptorGivesAnEmptyListThatDrawsNoTextAndAnnouncesNothing) {
    create("");
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(0, prop(ListBoxProp_ScrollMax));
    EXPECT_EQ(0, prop(ListBoxProp_ScrollPos));
    EXPECT_TRUE(shownLines().empty());
    Sim::get().click(kItemX, T - 5);
    EXPECT_TRUE(announcements.empty());
}

// --- one frame ---

TEST_F(ListBoxTest, OneFrameDrawsBackgroundTrackSelectionBarAndTextsInOrder) {
    Sim::get().setFloats("sim/graphics/colors/menu_hilite_rgb", {0.1f, 0.2f, 0.3f});
    Sim::get().setFloats("sim/graphics/colors/list_text_rgb", {0.7f, 0.8f, 0.9f});
    create("alpha;beta");
    std::vector<DrawOp> ops = boxOps();
    ASSERT_EQ(16u, ops.size());  // nothing is drawn past the last item

    EXPECT_EQ(DrawOp::Window, ops[0].kind);
    EXPECT_EQ((std::vector<int>{L, B, R - 20, T, xpWindow_ListView}),
              (std::vector<int>{ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2, ops[0].style}));
    EXPECT_EQ(DrawOp::Track, ops[1].kind);
    EXPECT_EQ((std::vector<int>{R - 20, B, R, T, 0, 2, 2, 0, 0}),
              (std::vector<int>{ops[1].x1, ops[1].y1, ops[1].x2, ops[1].y2, ops[1].min, ops[1].max, ops[1].value,
                                ops[1].style, ops[1].lit}));
    EXPECT_EQ(DrawOp::GraphicsState, ops[2].kind);
    EXPECT_EQ((std::vector<int>{0, 1, 0, 0, 1, 0, 0}), std::vector<int>(ops[2].state, ops[2].state + 7));
    EXPECT_EQ(DrawOp::BindTexture, ops[3].kind);
    EXPECT_EQ(0, ops[3].state[1]);
    EXPECT_EQ(DrawOp::Color, ops[4].kind);
    EXPECT_EQ((std::vector<float>{1, 1, 1, 1}), std::vector<float>(ops[4].rgba, ops[4].rgba + 4));
    EXPECT_EQ((std::vector<int>(7, 0)), std::vector<int>(ops[5].state, ops[5].state + 7));

    // Item 0 is selected: a translucent bar in the highlight colour behind its line.
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 1, 0, 0}), std::vector<int>(ops[6].state, ops[6].state + 7));
    EXPECT_EQ(DrawOp::Color, ops[7].kind);
    EXPECT_EQ((std::vector<float>{0.1f, 0.2f, 0.3f, 0.25f}), std::vector<float>(ops[7].rgba, ops[7].rgba + 4));
    EXPECT_EQ(DrawOp::Begin, ops[8].kind);
    EXPECT_EQ(7, ops[8].style);
    const int corners[4][2] = {{L, T}, {R - 20, T}, {R - 20, T - 12}, {L, T - 12}};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(DrawOp::Vertex, ops[9 + c].kind);
        EXPECT_EQ(corners[c][0], ops[9 + c].x1) << c;
        EXPECT_EQ(corners[c][1], ops[9 + c].y1) << c;
    }
    EXPECT_EQ(DrawOp::End, ops[13].kind);

    EXPECT_EQ(DrawOp::String, ops[14].kind);
    EXPECT_EQ("alpha", ops[14].text);
    EXPECT_EQ(T - 10, ops[14].y1);
    EXPECT_EQ((std::vector<float>{0.7f, 0.8f, 0.9f, 1}), std::vector<float>(ops[14].rgba, ops[14].rgba + 4));
    EXPECT_EQ("beta", ops[15].text);
    EXPECT_EQ(T - 22, ops[15].y1);
    EXPECT_EQ(0, ops[15].font);
    EXPECT_EQ(1.0f, interfaceAlpha);
}

TEST_F(ListBoxTest, TextsAreCutToWholeCharactersOfTheBasicFont) {
    std::string forty(40, 'x');
    forty.replace(27, 2, "YZ");
    create(forty);
    ASSERT_EQ(7, Sim::kFontWidth);
    std::map<int, std::string> lines = shownLines();
    EXPECT_EQ(forty.substr(0, 28), lines[0]);
    EXPECT_EQ('Y', lines[0].back());

    create("abc", T, L + kListScrollBarWidth + Sim::kFontWidth - 1);  // no room for one character
    EXPECT_EQ("", shownLines()[0]);
}

TEST_F(ListBoxTest, TheSelectionBarFollowsTheSelectedItem) {
    create(numberedItems(5));
    Sim::get().click(kItemX, T - 12 * 3 - 6);
    int bars = 0;
    for (const DrawOp& op : boxOps()) {
        if (op.kind != DrawOp::Vertex) continue;
        ++bars;
        EXPECT_TRUE(op.y1 == T - 36 || op.y1 == T - 48) << op.y1;
    }
    EXPECT_EQ(4, bars);
}

// --- scrolling ---

TEST_F(ListBoxTest, DownButtonScrollsOneItem) {
    create(numberedItems(20));
    Sim::get().click(kBarX, B + 5);
    EXPECT_EQ(19, prop(ListBoxProp_ScrollPos));
    expectShown(1, 16);
}

TEST_F(ListBoxTest, DownPageMovesByThePageLinesAndLeavesTheAreaBelowTheLastItemEmpty) {
    create(numberedItems(20));
    Sim::get().click(kBarX, B + 100);
    EXPECT_EQ(4, prop(ListBoxProp_ScrollPos));
    expectShown(16, 19);
    Sim::get().click(kBarX, B + 100);  // now above the lowered thumb: up page
    EXPECT_EQ(20, prop(ListBoxProp_ScrollPos));
    Sim::get().click(kBarX, B + 100);
    Sim::get().click(kBarX, B + 25);  // down page again, stops at the minimum
    EXPECT_EQ(0, prop(ListBoxProp_ScrollPos));
}

TEST_F(ListBoxTest, AtScrollPosZeroTheAreaIsEmptyAndTheUpButtonBringsTheLastItemToTheTop) {
    create(numberedItems(20));
    set(ListBoxProp_ScrollPos, 0);
    EXPECT_TRUE(shownLines().empty());
    Sim::get().click(kItemX, T - 5);  // no item there to select
    EXPECT_EQ(0, prop(ListBoxProp_CurrentItem));
    Sim::get().click(kBarX, T - 5);
    EXPECT_EQ(1, prop(ListBoxProp_ScrollPos));
    expectShown(19, 19);
}

TEST_F(ListBoxTest, UpPageAndUpButtonStopAtTheMaximum) {
    create(numberedItems(20));
    set(ListBoxProp_ScrollPos, 4);
    Sim::get().click(kBarX, T - 30);  // up page, above the thumb
    EXPECT_EQ(20, prop(ListBoxProp_ScrollPos));
    Sim::get().click(kBarX, T - 5);
    EXPECT_EQ(20, prop(ListBoxProp_ScrollPos));
}

// 40 items at ScrollPos 20: buttons and thumb of 20 pixels, pages of 70. Zones share
// their end pixels; the first of up page, down page, up button, down button and thumb
// in that order takes a shared one. Both edges of the column are in it.
TEST_F(ListBoxTest, EachScrollBarZoneTakesItsFirstAndLastPixel) {
    struct Press {
        int x, y, scrollPos, grabOffset;  // grabOffset only for presses on the thumb
        bool thumb;
    };
    const Press presses[] = {
        {R, B, 19, 0, false},       {R - 20, B + 20, 4, 0, false},    // down button, down page
        {R, B + 90, 4, 0, false},   {R - 20, B + 91, 20, 9, true},    // down page, thumb
        {R, B + 109, 20, -9, true}, {R - 20, B + 110, 36, 0, false},  // thumb, up page
        {R, T - 20, 36, 0, false},  {R - 20, T - 19, 21, 0, false},   // up page, up button
        {R, T, 21, 0, false},
    };
    create(numberedItems(40));
    for (const Press& press : presses) {
        SCOPED_TRACE("x " + std::to_string(press.x) + " y " + std::to_string(press.y));
        set(ListBoxProp_ScrollPos, 20);
        Sim::get().mouseDown(press.x, press.y);
        EXPECT_EQ(press.scrollPos, prop(ListBoxProp_ScrollPos));
        EXPECT_EQ(press.thumb ? 1 : 0, prop(ListBoxProp_ThumbDragging));
        if (press.thumb) {
            EXPECT_EQ(press.grabOffset, thumbGrabOffset);
        }
        Sim::get().mouseUp(press.x, press.y);
    }
    // The column's left edge is no item's, but a release there is over the item area too.
    EXPECT_EQ(0, prop(ListBoxProp_CurrentItem));
    EXPECT_EQ(4u, announcements.size());
}

TEST_F(ListBoxTest, AddingAnItemWhileScrolledShowsTheFirstItemAgain) {
    create(numberedItems(20));
    Sim::get().click(kBarX, B + 100);
    XPSetWidgetDescriptor(box_, "item20");
    set(ListBoxProp_AddItem, 1);
    EXPECT_EQ(0, prop(ListBoxProp_AddItem));
    EXPECT_EQ(21, prop(ListBoxProp_ScrollMax));
    EXPECT_EQ(21, prop(ListBoxProp_ScrollPos));
    expectShown(0, 15);
    EXPECT_EQ("item20", items().back().text);
}

TEST_F(ListBoxTest, DraggingTheThumbMapsThePointerOntoTheRange) {
    create(numberedItems(20));
    Sim::get().mouseDown(kBarX, T - 30);  // the thumb sits at the top at the maximum
    EXPECT_EQ(1, prop(ListBoxProp_ThumbDragging));
    EXPECT_EQ(0, thumbGrabOffset);
    Sim::get().mouseDrag(kBarX, B + 100);  // half way along the travel
    EXPECT_EQ(10, prop(ListBoxProp_ScrollPos));
    EXPECT_EQ(1, boxOps()[1].lit);
    Sim::get().mouseDrag(kBarX + 40, B + 30);  // off the column: ignored
    EXPECT_EQ(10, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseDrag(kBarX, B);  // below the travel: held at the minimum
    EXPECT_EQ(0, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseDrag(kBarX, T);
    EXPECT_EQ(20, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseUp(kBarX, T);
    EXPECT_EQ(0, prop(ListBoxProp_ThumbDragging));
}

TEST_F(ListBoxTest, TheGrabOffsetKeepsTheThumbWhereItWasHeld) {
    create(numberedItems(20));
    Sim::get().mouseDown(kBarX, T - 25);  // 5 pixels above the thumb's centre
    EXPECT_EQ(-5, thumbGrabOffset);
    Sim::get().mouseDrag(kBarX, B + 105);
    EXPECT_EQ(10, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseUp(kBarX, B + 105);
}

TEST_F(ListBoxTest, ReleasingOutsideTheColumnLeavesTheThumbHeldThroughPageClicks) {
    create(numberedItems(20));
    Sim::get().mouseDown(kBarX, T - 30);
    Sim::get().mouseUp(kItemX, T - 30);
    EXPECT_EQ(1, prop(ListBoxProp_ThumbDragging));
    EXPECT_EQ(1, boxOps()[1].lit);
    Sim::get().mouseDown(kBarX, B + 100);  // a page click keeps the thumb held
    EXPECT_EQ(4, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseDrag(kBarX, B + 100);
    EXPECT_EQ(10, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseUp(kBarX, B + 100);
    EXPECT_EQ(0, prop(ListBoxProp_ThumbDragging));
}

TEST_F(ListBoxTest, DraggingWithoutHoldingTheThumbDoesNothing) {
    create(numberedItems(20));
    Sim::get().mouseDown(kBarX, B + 100);  // down page, not the thumb
    Sim::get().mouseDrag(kBarX, B + 50);
    EXPECT_EQ(4, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseUp(kBarX, B + 50);
}

TEST_F(ListBoxTest, ATrackWithNoRoomForTheThumbKeepsThePosition) {
    // 30 pixels tall: buttons and thumb of 10 fill the whole track.
    create(numberedItems(5), B + 30);
    set(ListBoxProp_ScrollPos, 3);
    Sim::get().mouseDown(kBarX, B + 15);
    ASSERT_EQ(1, prop(ListBoxProp_ThumbDragging));
    Sim::get().mouseDrag(kBarX, B + 20);
    EXPECT_EQ(3, prop(ListBoxProp_ScrollPos));
    Sim::get().mouseUp(kBarX, B + 20);
}

TEST(RoundHalfUp, RoundsHalvesUpAndTruncatesTowardZero) {
    EXPECT_EQ(1, roundHalfUp(0.5f));
    EXPECT_EQ(3, roundHalfUp(2.5f));
    EXPECT_EQ(2, roundHalfUp(2.49f));
    EXPECT_EQ(10, roundHalfUp(10.0f));
    EXPECT_EQ(0, roundHalfUp(-0.5f));
    EXPECT_EQ(-1, roundHalfUp(-1.7f));
}

// --- selection ---

TEST_F(ListBoxTest, AClickSelectsTheRowUnderThePointerCountingFromTheFirstShownItem) {
    create(numberedItems(20));
    Sim::get().click(kBarX, B + 5);  // ScrollPos 19: item 1 on top
    Sim::get().click(L, T);          // the item area's corners are in it
    EXPECT_EQ(1, prop(ListBoxProp_CurrentItem));
    Sim::get().click(kItemX, T - 12);
    EXPECT_EQ(2, prop(ListBoxProp_CurrentItem));
    Sim::get().click(R - 21, B);  // the part line below the sixteen full ones
    EXPECT_EQ(17, prop(ListBoxProp_CurrentItem));
    EXPECT_EQ(3u, announcements.size());
}

TEST_F(ListBoxTest, AClickBelowTheLastItemKeepsTheSelection) {
    create(numberedItems(3));
    Sim::get().click(kItemX, T - 15);
    EXPECT_EQ(1, prop(ListBoxProp_CurrentItem));
    Sim::get().click(kItemX, T - 12 * 3 - 2);
    EXPECT_EQ(1, prop(ListBoxProp_CurrentItem));
    Sim::get().click(kItemX, T - 11);
    EXPECT_EQ(0, prop(ListBoxProp_CurrentItem));
}

TEST_F(ListBoxTest, ReleaseOverTheItemAreaAnnouncesTheSelectionUpTheChain) {
    create(numberedItems(20));
    Sim::get().click(kItemX, T - 12 * 4 - 1);
    ASSERT_EQ(1u, announcements.size());
    EXPECT_EQ(box_, announcements[0].from);
    EXPECT_EQ(4, announcements[0].index);
    char text[64] = {};
    XPGetWidgetDescriptor(box_, text, sizeof text - 1);
    EXPECT_STREQ("item4", text);
    // A press that hits no item announces the current selection again.
    create(numberedItems(2));
    Sim::get().click(kItemX, B + 3);
    ASSERT_EQ(2u, announcements.size());
    EXPECT_EQ(0, announcements[1].index);
    XPGetWidgetDescriptor(box_, text, sizeof text - 1);
    EXPECT_STREQ("item0", text);
    // A selection past the last item is announced with an empty text.
    set(ListBoxProp_CurrentItem, 2);
    Sim::get().click(kItemX, B + 3);
    ASSERT_EQ(3u, announcements.size());
    EXPECT_EQ(2, announcements[2].index);
    EXPECT_EQ(0, XPGetWidgetDescriptor(box_, nullptr, 0));
}

// The list box takes the press that only brought its window to the front, so the
// release comes back to it, not to the window.
TEST_F(ListBoxTest, APressThatRaisesTheWindowSelectsNothingButItsReleaseAnnounces) {
    create(numberedItems(20));
    XPWidgetID front = XPCreateWidget(700, 600, 900, 400, 1, "Front", 1, nullptr, xpWidgetClass_MainWindow);
    Sim::get().click(kItemX, T - 30);
    EXPECT_EQ(0, prop(ListBoxProp_CurrentItem));
    ASSERT_EQ(1u, announcements.size());
    EXPECT_EQ(0, announcements[0].index);
    XPDestroyWidget(front, 1);
}

TEST_F(ListBoxTest, ReleaseOverTheScrollBarSelectsButAnnouncesNothing) {
    create(numberedItems(20));
    Sim::get().mouseDown(kItemX, T - 30);
    Sim::get().mouseUp(kBarX, T - 30);
    EXPECT_EQ(2, prop(ListBoxProp_CurrentItem));
    EXPECT_TRUE(announcements.empty());
}

// --- trigger properties ---

TEST_F(ListBoxTest, InsertGoesBeforeTheSelectionAndAppendsWhenTheSelectionIsBeyondTheItems) {
    create("a;b;c");
    set(ListBoxProp_CurrentItem, 1);
    XPSetWidgetDescriptor(box_, "x");
    set(ListBoxProp_InsertItem, 1);
    set(ListBoxProp_CurrentItem, 9);
    XPSetWidgetDescriptor(box_, "z");
    set(ListBoxProp_InsertItem, 1);
    ASSERT_EQ(5u, items().size());
    std::string order;
    for (const ListItem& item : items()) order += item.text;
    EXPECT_EQ("axbcz", order);
    EXPECT_EQ(0, prop(ListBoxProp_InsertItem));
    EXPECT_EQ(3, prop(ListBoxProp_ScrollMax));  // inserting leaves the scroll range
}

TEST_F(ListBoxTest, DeleteRemovesTheSelectedItemOnlyWhenThereIsOne) {
    create("a;b;c");
    set(ListBoxProp_CurrentItem, 1);
    set(ListBoxProp_DeleteItem, 1);
    ASSERT_EQ(2u, items().size());
    EXPECT_EQ("c", items()[1].text);
    set(ListBoxProp_CurrentItem, 5);
    set(ListBoxProp_DeleteItem, 1);
    EXPECT_EQ(2u, items().size());
    EXPECT_EQ(0, prop(ListBoxProp_DeleteItem));
    set(ListBoxProp_CurrentItem, 0);
    set(ListBoxProp_DeleteItem, 1);
    ASSERT_EQ(1u, items().size());
    EXPECT_EQ("c", items()[0].text);
}

TEST_F(ListBoxTest, ClearEmptiesTheListAndResetsSelectionAndRange) {
    create(numberedItems(20));
    Sim::get().click(kItemX, T - 30);
    set(ListBoxProp_Clear, 1);
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(0, prop(ListBoxProp_CurrentItem));
    EXPECT_EQ(0, prop(ListBoxProp_ScrollMax));
    EXPECT_EQ(0, prop(ListBoxProp_ScrollPos));
    set(ListBoxProp_DeleteItem, 1);  // nothing to delete
    EXPECT_TRUE(items().empty());
}

// --- item store ---

TEST_F(ListBoxTest, DestroyingListBoxesFreesTheirItemStores) {
    int before = liveListItemStores();
    for (int i = 0; i < 50; ++i) {
        XPWidgetID window = XPCreateWidget(0, 600, 600, 0, 1, "Dialog", 1, nullptr, xpWidgetClass_MainWindow);
        createListBox(L, T, R, B, 1, numberedItems(30).c_str(), window);
        EXPECT_EQ(before + 1, liveListItemStores());
        XPDestroyWidget(window, 1);
    }
    EXPECT_EQ(before, liveListItemStores());
}

TEST_F(ListBoxTest, ACreationCutShortByMemoryRunningOutLeavesNoItemStore) {
    const int before = liveListItemStores();
    const std::string longItems(30, 'x');  // too long to be kept inside a string: each needs a block
    if (!Sim::get().refusePluginAllocations(true, 2)) GTEST_SKIP() << "this build cannot refuse allocations";
    create(longItems + ";" + longItems + ";" + longItems);
    Sim::get().refusePluginAllocations(false);
    EXPECT_EQ(0, prop(ListBoxProp_Items));
    EXPECT_EQ(before, liveListItemStores());
    EXPECT_NE(std::string::npos, Sim::get().simLog().find("ListBoxCallback stopped"));
}

// --- colours ---

TEST(InterfaceColorTest, GivesTheSimulatorsLiveColourOrMakesItCurrentWithTheInterfaceAlpha) {
    float rgb[3] = {-1, -1, -1};
    Sim::get().setFloats("sim/graphics/colors/caption_text_rgb", {0.25f, 0.5f, 0.75f});
    InterfaceColor(kCaptionTextColor, rgb);
    EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 0.75f}), std::vector<float>(rgb, rgb + 3));
    Sim::get().setFloats("sim/graphics/colors/caption_text_rgb", {0.5f, 0.5f, 0.5f});
    InterfaceColor(kCaptionTextColor, rgb);
    EXPECT_EQ(0.5f, rgb[0]);
    float untouched[3] = {9, 9, 9};
    InterfaceColor(kInterfaceColorCount, untouched);
    EXPECT_EQ(9.0f, untouched[0]);
}

}  // namespace
