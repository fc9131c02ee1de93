// Interface colours when the simulator does not publish a colour: the
// fallback colour scaled by the cockpit light levels, with every handle looked
// up once for the plug-in's life. The look-ups are kept for the whole process,
// so these tests run in a process of their own, on one simulator set up once.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "ui/InterfaceColor.h"

namespace {

constexpr int kCaptionText = 9;     // "sim/graphics/colors/caption_text_rgb", fallback 0, 0, 0
constexpr int kMenuText = 4;        // "sim/graphics/colors/menu_text_rgb", fallback 0.8, 0.8, 0.8
constexpr int kMenuDark = 0;        // "sim/graphics/colors/menu_dark_rgb", fallback 33/256, 41/256, 44/256
constexpr int kMenuBackground = 1;  // "sim/graphics/colors/menu_bkgnd_rgb", fallback 53/256, 64/256, 68/256

class InterfaceColorFallback : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = new TempFolder();
        skysim::Sim& sim = skysim::Sim::get();
        sim.reset(root_->path());
        sim.hideDataRefFromPlugin("sim/graphics/colors/menu_text_rgb");
        sim.hideDataRefFromPlugin("sim/graphics/colors/menu_dark_rgb");
        sim.setFloat("sim/graphics/misc/cockpit_light_level_r", 0.5f);
        sim.setFloat("sim/graphics/misc/cockpit_light_level_g", 0.25f);
        sim.setFloat("sim/graphics/misc/cockpit_light_level_b", 1.0f);
        sim.setFloats("sim/graphics/colors/caption_text_rgb", {0.1f, 0.2f, 0.3f});
    }
    static void TearDownTestSuite() { delete root_; }
    static TempFolder* root_;
};

TempFolder* InterfaceColorFallback::root_ = nullptr;

TEST_F(InterfaceColorFallback, APublishedColourIsReadAsItIs) {
    float rgb[3] = {};
    InterfaceColor(kCaptionText, rgb);
    EXPECT_FLOAT_EQ(0.1f, rgb[0]);
    EXPECT_FLOAT_EQ(0.2f, rgb[1]);
    EXPECT_FLOAT_EQ(0.3f, rgb[2]);
}

TEST_F(InterfaceColorFallback, AnUnpublishedColourIsItsFallbackTimesTheLightLevels) {
    float rgb[3] = {};
    InterfaceColor(kMenuText, rgb);
    EXPECT_FLOAT_EQ(0.8f * 0.5f, rgb[0]);
    EXPECT_FLOAT_EQ(0.8f * 0.25f, rgb[1]);
    EXPECT_FLOAT_EQ(0.8f * 1.0f, rgb[2]);
    InterfaceColor(kMenuDark, rgb);
    EXPECT_FLOAT_EQ(33.0f / 256 * 0.5f, rgb[0]);
    EXPECT_FLOAT_EQ(41.0f / 256 * 0.25f, rgb[1]);
    EXPECT_FLOAT_EQ(44.0f / 256, rgb[2]);
}

// "sim/graphics/colors/menu_bkgnd_rgb" is not published by the simulator any
// more: it falls back without being hidden, and every other name the colours
// look up, light levels included, is published.
TEST_F(InterfaceColorFallback, TheMenuBackgroundFallsBackAsTheSimulatorNoLongerPublishesIt) {
    float rgb[3] = {};
    InterfaceColor(kMenuBackground, rgb);
    EXPECT_FLOAT_EQ(53.0f / 256 * 0.5f, rgb[0]);
    EXPECT_FLOAT_EQ(64.0f / 256 * 0.25f, rgb[1]);
    EXPECT_FLOAT_EQ(68.0f / 256, rgb[2]);
    EXPECT_EQ(std::vector<std::string>{"sim/graphics/colors/menu_bkgnd_rgb"}, skysim::Sim::get().unpublishedLookUps());
}

TEST_F(InterfaceColorFallback, HandlesAreLookedUpOnceForThePluginsLife) {
    float rgb[3] = {};
    InterfaceColor(kMenuText, rgb);
    int lookUps = skysim::Sim::get().dataRefLookUps();
    EXPECT_EQ(12 + 3, lookUps) << "twelve colours and three light levels, each once";
    for (int i = 0; i < 5; ++i) {
        InterfaceColor(kMenuText, rgb);
        InterfaceColor(kCaptionText, rgb);
    }
    EXPECT_EQ(lookUps, skysim::Sim::get().dataRefLookUps());
}

}  // namespace
