// SkyPlacer.ini written by hand and read at the next start: the hot keys it
// binds are registered and work, its logging switch holds, and the reader's
// progress and failures are in the logs.
#include <algorithm>

#include "SettingsExample.h"
#include "TestSupport.h"

namespace {

const char* const kParsing = "SkyPlacer - parsing INI file\n";

class SettingsAtStart : public SimTest {
protected:
    std::vector<std::pair<int, int>> boundKeys() {
        std::vector<std::pair<int, int>> keys;
        // The modifiers the settings gave: each is registered with Down added, to fire on the press.
        for (const skysim::HotKeyInfo& info : sim().hotKeys()) keys.emplace_back(info.key, info.flags - 8);
        std::sort(keys.begin(), keys.end());
        return keys;
    }
};

TEST_F(SettingsAtStart, ExampleBindsExactlyItsThreeHotKeysAndAutoStartsItsFile) {
    writeFile(pluginFile("Runway 34.skd"), "[POSITION_DATA]\nLatitude = 12.5\n");
    startWithSettings(kSettingsExample);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{80, 6}, {116, 5}, {117, 5}}), boundKeys());
    EXPECT_EQ(0u, logText().find(std::string(kParsing) + "SkyPlacer - INI file parsing successful\n"));
    EXPECT_NE(std::string::npos,
              logText().find("SkyPlacer - parsing skd file\nSkyPlacer - skd file parsing successful\n"));
}

TEST_F(SettingsAtStart, BoundHotKeyRunsItsCommand) {
    startWithSettings(kSettingsExample);
    EXPECT_EQ(1, sim().tapKey(116, 5));
    EXPECT_TRUE(fileExists(pluginFile("QuickFile.skd")));
    EXPECT_EQ(0, sim().tapKey(116, 1));
}

TEST_F(SettingsAtStart, NoFileBindsNothingAndSaysSo) {
    startPlugin();
    EXPECT_TRUE(sim().hotKeys().empty());
    EXPECT_EQ(0u, logText().find(std::string(kParsing) + "SkyPlacer - No SkyPlacer.ini file found\n."));
}

TEST_F(SettingsAtStart, LogFileOffSilencesTheRunButNotTheReaders) {
    writeFile(pluginFile("SkyPlacer.ini"), "[DEBUG]\nLogFile = 0\n");
    startPlugin();
    sim().pickMenuItem("Quick Load File");
    sim().stop();
    EXPECT_EQ(std::string(kParsing) + "SkyPlacer - INI file parsing successful\n" +
                  "SkyPlacer - parsing skd file\nSkyPlacer - No skd file found\n.",
              logText());
}

TEST_F(SettingsAtStart, UnknownCommandKeyGoesToTheSimulatorsLogAndStopsTheBindings) {
    writeFile(pluginFile("SkyPlacer.ini"),
              "[QUICK_SAVE]\nHotKey = F5\n[DATA_DISPLAY]\nHotkey = F7\n[QUICK_LOAD]\nHotKey = F6\n");
    startPlugin();
    EXPECT_EQ((std::vector<std::pair<int, int>>{{116, 0}}), boundKeys());
    EXPECT_NE(std::string::npos, sim().simLog().find("Hotkey is an invalid field\n"));
    EXPECT_EQ(std::string::npos, logText().find("Hotkey"));
    EXPECT_NE(std::string::npos, logText().find("Parse Error in Display Data data\n"));
}

TEST_F(SettingsAtStart, SectionDifferingInCaseStopsTheRead) {
    writeFile(pluginFile("SkyPlacer.ini"), "[Quick_Save]\nHotKey = F5\n");
    startPlugin();
    EXPECT_TRUE(sim().hotKeys().empty());
    EXPECT_NE(std::string::npos,
              logText().find("Quick_Save is an invalid section name\nParse Error in Section Name\n"));
}

TEST_F(SettingsAtStart, LongCommentLineDoesNotStopTheBindings) {
    writeFile(pluginFile("SkyPlacer.ini"), "; " + std::string(500, '-') + "\n[QUICK_SAVE]\nHotKey = F5\n; " +
                                               std::string(300, '=') + "\r\n[QUICK_LOAD]\nHotKey = F6\n");
    startPlugin();
    EXPECT_EQ((std::vector<std::pair<int, int>>{{116, 0}, {117, 0}}), boundKeys());
    EXPECT_EQ(0u, logText().find(std::string(kParsing) + "SkyPlacer - INI file parsing successful\n"));
}

TEST_F(SettingsAtStart, LongLineStopsTheReadAfterWhatCameBeforeIt) {
    writeFile(pluginFile("SkyPlacer.ini"), "[QUICK_SAVE]\nHotKey = F5\n[CONFIG]\nDefaultSKDFileName = " +
                                               std::string(300, 'n') + "\n[QUICK_LOAD]\nHotKey = F6\n");
    startPlugin();
    EXPECT_EQ((std::vector<std::pair<int, int>>{{116, 0}}), boundKeys());
    EXPECT_NE(std::string::npos, logText().find("Parse Error in Line Length\n"));
    EXPECT_EQ(1, sim().tapKey(116, 0));
    EXPECT_TRUE(fileExists(pluginFile("QuickFile.skd")));
}

TEST_F(SettingsAtStart, UnknownKeyNameStillRegistersKeyZero) {
    writeFile(pluginFile("SkyPlacer.ini"), "[GET_DATA]\nHotKey = f5\n[SAVE]\nHotKeyModifiers = Shift\n");
    startPlugin();
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}}), boundKeys());
}

}  // namespace
