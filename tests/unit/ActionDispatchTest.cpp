// Hot-key references that name no action, and menu references that
// match no item, on an application object of the test's own: nothing changes,
// nothing is read, no widget is touched.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "OwnPluginAppFixture.h"
#include "plugin/Callbacks.h"

namespace {

class ActionDispatchTest : public OwnPluginAppTest {
protected:
    void SetUp() override {
        OwnPluginAppTest::SetUp();
        app_->latitudeRef = ref("sim/flightmodel/position/latitude");
        app_->throttleRef = ref("sim/flightmodel/engine/ENGN_thro");
        snapshot_.reset(new PluginApp(*app_));
        sim().clearAccesses();
    }
    void expectNothingHappened(const char* what) {
        EXPECT_EQ(0, std::memcmp(snapshot_.get(), app_.get(), sizeof(PluginApp))) << what;
        EXPECT_TRUE(sim().accesses().empty()) << what;
        EXPECT_EQ(0, sim().widgetCount()) << what;
    }

    std::unique_ptr<PluginApp> snapshot_;
};

TEST_F(ActionDispatchTest, ReferencesThatNameNoActionAreIgnored) {
    static const char* const references[] = {"10", "99", "100", "xx", "",
                                             " 0", "-1", "+0",  "x0", "000000000000000000010"};
    for (const char* reference : references) {
        HotKeyHandler(const_cast<char*>(reference));
        expectNothingHappened(reference);
    }
    HotKeyHandler(nullptr);
    expectNothingHappened("null");
}

TEST_F(ActionDispatchTest, LeadingDigitsNameTheAction) {
    // "00" is Get Data: it reads the aircraft.
    HotKeyHandler(const_cast<char*>("00"));
    EXPECT_FALSE(sim().accesses().empty());
    sim().clearAccesses();
    HotKeyHandler(const_cast<char*>("0 trailing text"));
    EXPECT_FALSE(sim().accesses().empty());
}

TEST_F(ActionDispatchTest, MenuReferencesThatMatchNoItemAreIgnored) {
    static const char* const items[] = {"Get data", "GET DATA", "Get Data\n", "Position1", "Quick", ""};
    for (const char* item : items) {
        MenuHandler(nullptr, const_cast<char*>(item));
        expectNothingHappened(item);
    }
    MenuHandler(nullptr, nullptr);
    expectNothingHappened("null");
}

TEST_F(ActionDispatchTest, PositionWithoutAPanelArmsNothing) {
    HotKeyHandler(const_cast<char*>("05"));
    MenuHandler(nullptr, const_cast<char*>("Position"));
    expectNothingHappened("position");
}

}  // namespace
