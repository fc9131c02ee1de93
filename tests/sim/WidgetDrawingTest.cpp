// Drawing: the draw pass's order, the recorded calls, and the scroll-bar model.
#include <climits>

#include "WidgetFixture.h"
#include "XPLMApi.h"

using skysim::DrawOp;
using skysim::WidgetId;

namespace {

// Draws like a small list: background, track, state, texture, a quad, text.
int painter(XPWidgetMessage message, XPWidgetID, intptr_t, intptr_t) {
    if (message != xpMsg_Draw) return 0;
    XPDrawWindow(10, 20, 90, 180, xpWindow_ListView);
    XPDrawTrack(90, 20, 110, 180, 0, 20, 20, xpTrack_ScrollBar, 1);
    XPLMSetGraphicsState(0, 1, 0, 0, 1, 0, 0);
    XPLMBindTexture2d(XPLMGetTexture(0), 0);
    float colour[4] = {0.25f, 0.5f, 0.75f, 0.25f};
    glColor4fv(colour);
    glBegin(GL_QUADS);
    glVertex2i(10, 180);
    glEnd();
    float rgb[3] = {0.1f, 0.2f, 0.3f};
    XPLMDrawString(rgb, 10, 170, "Home.skd", nullptr, 0);
    return 1;
}

// Takes every message, the draw message included.
int takesEverything(XPWidgetMessage, XPWidgetID, intptr_t, intptr_t) { return 1; }

std::vector<WidgetId> drawnWidgets(const std::vector<DrawOp>& ops) {
    std::vector<WidgetId> order;
    for (const DrawOp& op : ops) {
        if (order.empty() || order.back() != op.widget) order.push_back(op.widget);
    }
    return order;
}

}  // namespace

TEST_F(WidgetTest, DrawRecordsACustomWidgetsCalls) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPWidgetID list = XPCreateCustomWidget(10, 180, 110, 20, 1, "", 0, win, painter);
    std::vector<DrawOp> ops = sim().draw();
    ASSERT_EQ(10u, ops.size());
    EXPECT_EQ(DrawOp::Standard, ops[0].kind) << "the window draws itself before its child";
    EXPECT_EQ(idOf(win), ops[0].widget);
    ops.erase(ops.begin());
    for (const DrawOp& op : ops) EXPECT_EQ(idOf(list), op.widget);

    EXPECT_EQ(DrawOp::Window, ops[0].kind);
    EXPECT_EQ(180, ops[0].y2);
    EXPECT_EQ(xpWindow_ListView, ops[0].style);
    EXPECT_EQ(DrawOp::Track, ops[1].kind);
    EXPECT_EQ(20, ops[1].max);
    EXPECT_EQ(20, ops[1].value);
    EXPECT_EQ(1, ops[1].lit);
    EXPECT_EQ(DrawOp::GraphicsState, ops[2].kind);
    EXPECT_EQ(1, ops[2].state[1]);
    EXPECT_EQ(1, ops[2].state[4]);
    EXPECT_EQ(0, ops[2].state[6]);
    EXPECT_EQ(DrawOp::BindTexture, ops[3].kind);
    EXPECT_EQ(XPLMGetTexture(0), ops[3].state[0]);
    EXPECT_EQ(0, ops[3].state[1]);
    EXPECT_EQ(DrawOp::Color, ops[4].kind);
    EXPECT_FLOAT_EQ(0.25f, ops[4].rgba[3]);
    EXPECT_EQ(DrawOp::Begin, ops[5].kind);
    EXPECT_EQ(static_cast<int>(GL_QUADS), ops[5].style);
    EXPECT_EQ(DrawOp::Vertex, ops[6].kind);
    EXPECT_EQ(180, ops[6].y1);
    EXPECT_EQ(DrawOp::End, ops[7].kind);
    EXPECT_EQ(DrawOp::String, ops[8].kind);
    EXPECT_EQ("Home.skd", ops[8].text);
    EXPECT_EQ(170, ops[8].y1);
    EXPECT_FLOAT_EQ(0.3f, ops[8].rgba[2]);
    EXPECT_FLOAT_EQ(1.0f, ops[8].rgba[3]);
}

TEST_F(WidgetTest, DrawGoesBackToFrontParentsFirstAndSkipsHidden) {
    XPWidgetID back = XPCreateCustomWidget(0, 200, 200, 0, 1, "", 1, nullptr, painter);
    XPWidgetID inner = XPCreateCustomWidget(10, 190, 190, 10, 1, "", 0, back, painter);
    XPWidgetID innermost = XPCreateCustomWidget(20, 180, 180, 20, 1, "", 0, inner, painter);
    XPWidgetID front = XPCreateCustomWidget(100, 300, 300, 100, 1, "", 1, nullptr, painter);
    XPWidgetID hiddenRoot = XPCreateCustomWidget(100, 300, 300, 100, 0, "", 1, nullptr, painter);
    EXPECT_EQ((std::vector<WidgetId>{idOf(back), idOf(inner), idOf(innermost), idOf(front)}),
              drawnWidgets(sim().draw()));
    XPHideWidget(inner);
    XPShowWidget(hiddenRoot);
    EXPECT_EQ((std::vector<WidgetId>{idOf(back), idOf(front), idOf(hiddenRoot)}), drawnWidgets(sim().draw()));
}

TEST_F(WidgetTest, StandardWidgetsDrawThemselvesUnlessACallbackTakesTheDrawMessage) {
    XPWidgetID win = window(0, 200, 200, 0);
    XPWidgetID ok = pushButton(win, 20, 50, 80, 28, " OK");
    XPDrawWindow(0, 0, 10, 10, 0);  // no draw pass under way: nothing to record
    std::vector<DrawOp> ops = sim().draw();
    ASSERT_EQ(2u, ops.size());
    EXPECT_EQ(DrawOp::Standard, ops[0].kind);
    EXPECT_EQ(idOf(win), ops[0].widget);
    EXPECT_EQ(skysim::MainWindow, ops[0].style);
    EXPECT_EQ(DrawOp::Standard, ops[1].kind);
    EXPECT_EQ(idOf(ok), ops[1].widget);
    EXPECT_EQ((std::vector<int>{20, 28, 80, 50}), (std::vector<int>{ops[1].x1, ops[1].y1, ops[1].x2, ops[1].y2}));

    XPAddWidgetCallback(win, takesEverything);
    EXPECT_EQ(std::vector<WidgetId>{idOf(ok)}, drawnWidgets(sim().draw())) << "its children are drawn all the same";
}

TEST_F(WidgetTest, BasicFontIsSevenByTen) {
    int width = 0, height = 0, digitsOnly = 5;
    XPLMGetFontDimensions(0, &width, &height, &digitsOnly);
    EXPECT_EQ(skysim::Sim::kFontWidth, width);
    EXPECT_EQ(skysim::Sim::kFontHeight, height);
    EXPECT_EQ(0, digitsOnly);
    XPLMGetFontDimensions(0, &width, nullptr, nullptr);
}

struct Metrics {
    int vertical, downButton, downPage, thumb, upPage, upButton;
};

Metrics metrics(int x1, int y1, int x2, int y2, int min, int max, int value) {
    Metrics m{};
    XPGetTrackMetrics(x1, y1, x2, y2, min, max, value, xpTrack_ScrollBar, &m.vertical, &m.downButton, &m.downPage,
                      &m.thumb, &m.upPage, &m.upButton);
    return m;
}

TEST(TrackMetrics, ListScrollBarAtTheTopWhenValueIsMax) {
    // The file dialog's list: a 20 by 200 bar, 20 items.
    Metrics top = metrics(200, 100, 220, 300, 0, 20, 20);
    EXPECT_EQ(1, top.vertical);
    EXPECT_EQ(20, top.downButton);
    EXPECT_EQ(20, top.upButton);
    EXPECT_EQ(20, top.thumb);
    EXPECT_EQ(140, top.downPage);
    EXPECT_EQ(0, top.upPage);
    Metrics bottom = metrics(200, 100, 220, 300, 0, 20, 0);
    EXPECT_EQ(0, bottom.downPage);
    EXPECT_EQ(140, bottom.upPage);
    Metrics quarter = metrics(200, 100, 220, 300, 0, 20, 5);
    EXPECT_EQ(35, quarter.downPage);
    EXPECT_EQ(105, quarter.upPage);
}

TEST(TrackMetrics, ShortAndEmptyTracks) {
    Metrics shortTrack = metrics(0, 0, 20, 45, 0, 10, 10);  // less than three widths tall
    EXPECT_EQ(15, shortTrack.downButton);
    EXPECT_EQ(15, shortTrack.thumb);
    EXPECT_EQ(0, shortTrack.downPage + shortTrack.upPage);
    Metrics empty = metrics(0, 0, 20, 200, 0, 0, 0);  // an empty list
    EXPECT_EQ(0, empty.downPage);
    EXPECT_EQ(140, empty.upPage);
    Metrics beyond = metrics(0, 0, 20, 200, 0, 10, 30);  // value past max stays on the track
    EXPECT_EQ(140, beyond.downPage);
    Metrics horizontal = metrics(0, 0, 200, 20, 0, 10, 10);
    EXPECT_EQ(0, horizontal.vertical);
    EXPECT_EQ(140, horizontal.downPage);
    XPGetTrackMetrics(0, 0, 20, 200, 0, 10, 5, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

// value - min and max - min overflow an int over the whole range.
TEST(TrackMetrics, TheWholeIntRangeDoesNotOverflow) {
    Metrics low = metrics(0, 0, 20, 200, INT_MIN, INT_MAX, INT_MIN);
    EXPECT_EQ(0, low.downPage);
    EXPECT_EQ(140, low.upPage);
    Metrics high = metrics(0, 0, 20, 200, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(140, high.downPage);
    EXPECT_EQ(0, high.upPage);
    Metrics middle = metrics(0, 0, 20, 200, INT_MIN, INT_MAX, 0);
    EXPECT_EQ(70, middle.downPage);
    Metrics reversed = metrics(0, 0, 20, 200, INT_MAX, INT_MIN, INT_MIN);  // max below min: value at max
    EXPECT_EQ(140, reversed.downPage);
    Metrics same = metrics(0, 0, 20, 200, INT_MIN, INT_MIN, INT_MAX);
    EXPECT_EQ(0, same.downPage);
    // Corners at the ends of the int range: the track is longer than an int.
    Metrics wide = metrics(INT_MIN, 0, INT_MAX, 20, 0, 10, 10);
    EXPECT_EQ(0, wide.vertical);
    EXPECT_EQ(20, wide.downButton);
    EXPECT_EQ(20, wide.thumb);
    EXPECT_EQ(INT_MAX, wide.downPage);
    EXPECT_EQ(0, wide.upPage);
}

TEST_F(WidgetTest, DrawStringWithoutAColourRecordsNothingAndIsLogged) {
    static bool drawn;
    drawn = false;
    auto noColour = [](XPWidgetMessage message, XPWidgetID, intptr_t, intptr_t) -> int {
        if (message != xpMsg_Draw) return 0;
        XPLMDrawString(nullptr, 10, 20, "No colour", nullptr, 0);
        drawn = true;
        return 1;
    };
    XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, noColour);
    EXPECT_TRUE(sim().draw().empty());
    EXPECT_TRUE(drawn);
    EXPECT_EQ("XPLMDrawString called without a colour\n", sim().simLog());
}
