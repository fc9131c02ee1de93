// The SkyPlacer.ini that ships with the plug-in: it reads without an error and
// binds what its comments promise, and a key code from 128 up reaches the
// simulator as the key the pilot named.
#include "FlightTestSupport.h"
#include "TestSupport.h"

namespace {

constexpr int kShiftControl = 1 + 4;

class SampleSettings : public SimTest {};

TEST_F(SampleSettings, ShippedFileReadsCleanlyAndBindsItsFourKeys) {
    writeFile(pluginFile("SkyPlacer.ini"), readFile(std::string(SKYPLACER_SOURCE_DIR) + "/resources/SkyPlacer.ini"));
    startPlugin();
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - INI file parsing successful\n"));
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(4u, keys.size());
    const std::pair<int, const char*> expected[] = {{117, "03"}, {116, "04"}, {119, "05"}, {118, "06"}};
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(expected[i].first, keys[i].key) << i;
        EXPECT_EQ(kShiftControl, keys[i].flags) << i;
        EXPECT_EQ(expected[i].second, keys[i].description) << i;
    }
    sim().advance(1.5);
    EXPECT_EQ(0, sim().widgetCount()) << "the sample does not auto-start";
    EXPECT_EQ(1, sim().pressHotKey(118, kShiftControl));
    EXPECT_NE(0, controlPanel());
}

// The key is a plain char, signed on both systems: 128 to 189 pass through negative values.
TEST_F(SampleSettings, KeyCodesFrom128UpReachTheSimulatorUnchanged) {
    writeFile(pluginFile("SkyPlacer.ini"), "[CONTROL_PANEL]\nHotKey = F17\n[DATA_DISPLAY]\nHotKey = NUMPAD_EQ\n");
    startPlugin();
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(128, keys[0].key);
    EXPECT_EQ(189, keys[1].key);
    EXPECT_EQ(1, sim().pressHotKey(128, 0));
    EXPECT_NE(0, controlPanel());
    EXPECT_EQ(1, sim().pressHotKey(189, 0));
    EXPECT_NE(0, dataDisplay());
}

}  // namespace
