// Message dispatch: the callback chain and the five dispatch modes.
#include "WidgetFixture.h"

namespace {

constexpr int kProbe = 5000;

std::vector<int> tagsSeen() {
    std::vector<int> tags;
    for (const SeenMessage& each : seenMessages()) tags.push_back(each.tag);
    return tags;
}

}  // namespace

class DispatchTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        // A window whose own function is recorder 1, with recorders 2 then 3 added in front of it.
        top_ = XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, recorder<1>);
        XPAddWidgetCallback(top_, recorder<2>);
        XPAddWidgetCallback(top_, recorder<3>);
        middle_ = XPCreateCustomWidget(10, 90, 90, 10, 1, "", 0, top_, recorder<4>);
        bottom_ = XPCreateCustomWidget(20, 80, 80, 20, 1, "", 0, middle_, recorder<5>);
        seenMessages().clear();
    }

    XPWidgetID top_ = nullptr, middle_ = nullptr, bottom_ = nullptr;
};

TEST_F(DispatchTest, LaterCallbacksRunFirstAndTheOwnFunctionLast) {
    EXPECT_EQ(0, XPSendMessageToWidget(top_, kProbe, xpMode_Direct, 0, 0));
    EXPECT_EQ((std::vector<int>{3, 2, 1}), tagsSeen());
}

TEST_F(DispatchTest, DirectStopsAtTheFirstHandler) {
    handledBy()[2].insert(kProbe);
    EXPECT_EQ(1, XPSendMessageToWidget(top_, kProbe, xpMode_Direct, 11, 22));
    EXPECT_EQ((std::vector<int>{3, 2}), tagsSeen());
    EXPECT_EQ(11, seenMessages()[0].param1);
    EXPECT_EQ(22, seenMessages()[0].param2);
}

TEST_F(DispatchTest, UpChainClimbsUntilHandled) {
    handledBy()[4].insert(kProbe);
    EXPECT_EQ(1, XPSendMessageToWidget(bottom_, kProbe, xpMode_UpChain, 0, 0));
    EXPECT_EQ((std::vector<int>{5, 4}), tagsSeen());

    seenMessages().clear();
    handledBy().clear();
    EXPECT_EQ(0, XPSendMessageToWidget(bottom_, kProbe, xpMode_UpChain, 0, 0));
    EXPECT_EQ((std::vector<int>{5, 4, 3, 2, 1}), tagsSeen());
    EXPECT_EQ(idOf(top_), seenMessages().back().widget);
}

TEST_F(DispatchTest, RecursiveReachesEveryDescendant) {
    handledBy()[3].insert(kProbe);
    EXPECT_EQ(1, XPSendMessageToWidget(top_, kProbe, xpMode_Recursive, 0, 0));
    EXPECT_EQ((std::vector<int>{3, 4, 5}), tagsSeen());
}

TEST_F(DispatchTest, DirectAllCallbacksIgnoresResults) {
    handledBy()[3].insert(kProbe);
    EXPECT_EQ(1, XPSendMessageToWidget(top_, kProbe, xpMode_DirectAllCallbacks, 0, 0));
    EXPECT_EQ((std::vector<int>{3, 2, 1}), tagsSeen());
}

TEST_F(DispatchTest, OnceTellsOnlyTheFirstCallback) {
    EXPECT_EQ(0, XPSendMessageToWidget(top_, kProbe, xpMode_Once, 0, 0));
    EXPECT_EQ(std::vector<int>{3}, tagsSeen());
}

TEST_F(DispatchTest, UnknownModeTellsNobody) {
    EXPECT_EQ(0, XPSendMessageToWidget(top_, kProbe, 9, 0, 0));
    EXPECT_TRUE(seenMessages().empty());
}

namespace {

// Destroys its own widget on the probe message, as a careless plug-in might.
int destroyOnProbe(XPWidgetMessage message, XPWidgetID widget, intptr_t, intptr_t) {
    if (message == kProbe) XPDestroyWidget(widget, 1);
    return 0;
}

}  // namespace

TEST_F(DispatchTest, AWidgetDestroyedMidMessageHearsNoMore) {
    XPAddWidgetCallback(middle_, destroyOnProbe);
    EXPECT_EQ(0, XPSendMessageToWidget(middle_, kProbe, xpMode_UpChain, 0, 0));
    EXPECT_FALSE(sim().exists(idOf(middle_)));
    EXPECT_FALSE(sim().exists(idOf(bottom_)));
    // Neither the removed widget's own function nor its old container heard the probe.
    EXPECT_TRUE(seen(kProbe).empty());
    EXPECT_EQ(2u, seen(xpMsg_Destroy).size());
}
