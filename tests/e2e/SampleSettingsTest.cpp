// The SkyPlacer.ini that ships with the plug-in: it reads without an error,
// saves every five minutes and binds what its comments promise, each key
// firing once for every press of it as a keyboard sends it, and a key code
// from 128 up reaches the simulator as the key the pilot named.
#include <string>
#include <vector>

#include "FlightTestSupport.h"
#include "TestSupport.h"

namespace {

constexpr int kShiftControl = 1 + 4;
constexpr int kF5 = 116, kF6 = 117, kF7 = 118, kF8 = 119;

class SampleSettings : public SimTest {
protected:
    void startWithSample() {
        writeFile(pluginFile("SkyPlacer.ini"),
                  readFile(std::string(SKYPLACER_SOURCE_DIR) + "/resources/SkyPlacer.ini"));
        startPlugin();
    }
};

TEST_F(SampleSettings, ShippedFileReadsCleanlyAndBindsItsFourKeys) {
    startWithSample();
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - INI file parsing successful\n"));
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(4u, keys.size());
    const std::pair<int, const char*> expected[] = {{117, "03"}, {116, "04"}, {119, "05"}, {118, "06"}};
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(expected[i].first, keys[i].key) << i;
        EXPECT_EQ(flighttest::kDownFlag + kShiftControl, keys[i].flags) << i << ": fired by the press";
        EXPECT_EQ(expected[i].second, keys[i].description) << i;
    }
    sim().advance(1.5);
    EXPECT_EQ(0, sim().widgetCount()) << "the sample does not auto-start";
    EXPECT_EQ(1, sim().tapKey(118, kShiftControl));
    EXPECT_NE(0, controlPanel());
    sim().advance(299.0 - 1.5);
    EXPECT_FALSE(fileExists(pluginFile("AutoSave.skd")));
    sim().advance(1.2);
    EXPECT_TRUE(fileExists(pluginFile("AutoSave.skd"))) << "an auto-save every five minutes of flight";
}

// Tapped, and held for two seconds (with the keyboard's repeats), every key
// of the sample runs its command once: the panel toggles once, a quick save
// writes the aircraft's latitude, a quick load and Position place it once.
TEST_F(SampleSettings, EveryBindingRunsItsCommandOnceWhenTappedAndOnceWhenHeld) {
    startWithSample();
    sim().advance(1.5);
    for (bool held : {false, true}) {
        SCOPED_TRACE(held ? "held" : "tapped");
        auto press = [held, this](int key) {
            return held ? sim().holdKey(key, kShiftControl, 2.0) : sim().tapKey(key, kShiftControl);
        };
        EXPECT_EQ(1, press(kF7));
        EXPECT_EQ(!held, sim().widget(controlPanel()).shown);
        const double here = held ? 21.25 : 11.25;
        sim().setDouble("sim/flightmodel/position/latitude", here);
        EXPECT_EQ(1, press(kF5));
        EXPECT_NE(std::string::npos,
                  pluginText("QuickFile.skd").find("Latitude = " + std::to_string(here).substr(0, 5)));
        const double there = here + 20.0;
        writeFile(pluginFile("QuickFile.skd"), "[POSITION_DATA]\nLatitude = " + std::to_string(there) + "\n");
        EXPECT_EQ(1, press(kF6));
        sim().clearAccesses();
        EXPECT_EQ(1, press(kF8));
        sim().advance(0.3);
        EXPECT_EQ(1u, flighttest::writesTo("sim/flightmodel/position/local_x").size()) << "one placement";
        EXPECT_NEAR(there, sim().getDouble("sim/flightmodel/position/latitude"), 1e-6);
    }
    EXPECT_EQ("", sim().simLog());
}

// Modifier names with Down or Up are the pilot's choice of message: Up fires
// on the release, once however long the key is held.
TEST_F(SampleSettings, ABindingWrittenWithUpFiresOnTheRelease) {
    writeFile(pluginFile("SkyPlacer.ini"),
              "[QUICK_SAVE]\nHotKey = F5\nHotKeyModifiers = Control + Up\n"
              "[QUICK_LOAD]\nHotKey = F6\nHotKeyModifiers = Down\n");
    startPlugin();
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(8, keys[0].flags) << "QUICK_LOAD, registered as written";
    EXPECT_EQ(4 + 16, keys[1].flags);
    EXPECT_EQ(0, sim().pressKey(kF5, 4));
    sim().advance(1.0);
    EXPECT_FALSE(fileExists(pluginFile("QuickFile.skd"))) << "nothing while held";
    EXPECT_EQ(1, sim().releaseKey());
    EXPECT_TRUE(fileExists(pluginFile("QuickFile.skd")));
}

// The key is a plain char, signed on both systems: 128 to 189 pass through negative values.
TEST_F(SampleSettings, KeyCodesFrom128UpReachTheSimulatorUnchanged) {
    writeFile(pluginFile("SkyPlacer.ini"), "[CONTROL_PANEL]\nHotKey = F17\n[DATA_DISPLAY]\nHotKey = NUMPAD_EQ\n");
    startPlugin();
    std::vector<skysim::HotKeyInfo> keys = sim().hotKeys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(128, keys[0].key);
    EXPECT_EQ(189, keys[1].key);
    EXPECT_EQ(1, sim().tapKey(128, 0));
    EXPECT_NE(0, controlPanel());
    EXPECT_EQ(1, sim().tapKey(189, 0));
    EXPECT_NE(0, dataDisplay());
}

}  // namespace
