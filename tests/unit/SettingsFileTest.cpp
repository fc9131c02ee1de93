// The settings file: sections, keys and hot-key slots, the one value that
// keeps its blanks, and each failure with its log lines; what came before a
// failure stays applied.
#include <cstring>
#include <iterator>

#include "AppFixture.h"
#include "SettingsExample.h"
#include "text/EntryReader.h"

namespace {

const char* const kParsing = "SkyPlacer - parsing INI file\n";

class SettingsFileTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        app_->setDefaults();
    }
    bool read(const std::string& contents) {
        writeFile(path("SkyPlacer.ini"), contents);
        return app_->readSettings(path("SkyPlacer.ini").c_str());
    }
    PluginConfig& config() { return app_->config; }
    HotKeySlot& slot(int command) { return app_->hotKeys[command]; }
    // A file name between two [CONFIG] keys that stops the read at its own line,
    // logging `lines`: the key before it is set, the file name and the key after it are not.
    void expectFileNameStopsTheRead(const std::string& name, const std::string& lines) {
        ASSERT_FALSE(read("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = " + name + "\nHideControlPanel = 1\n"));
        EXPECT_EQ(kParsing + lines, logText());
        EXPECT_EQ(1, config().AutoStart);
        EXPECT_STREQ("", config().DefaultSKDFileName);
        EXPECT_EQ(0, config().HideControlPanel);
    }
};

TEST_F(SettingsFileTest, ExampleSetsEverySettingAndThreeSlots) {
    ASSERT_TRUE(read(kSettingsExample));
    EXPECT_EQ(std::string(kParsing) + "SkyPlacer - INI file parsing successful\n", logText());
    EXPECT_STREQ("Runway 34.skd", config().DefaultSKDFileName);
    EXPECT_EQ(1, config().AutoStart);
    EXPECT_EQ(1, config().HideControlPanel);
    EXPECT_EQ(1, config().PauseAutoStart);
    EXPECT_EQ(1, config().LogFile);
    EXPECT_EQ(0, config().DebugView);
    EXPECT_FLOAT_EQ(60.0f, config().HeartBeatTime);
    EXPECT_EQ(116, slot(QUICK_SAVE).key);
    EXPECT_EQ(5, slot(QUICK_SAVE).modifiers);
    EXPECT_EQ(1, slot(QUICK_SAVE).enabled);
    EXPECT_EQ(117, slot(QUICK_LOAD).key);
    EXPECT_EQ(5, slot(QUICK_LOAD).modifiers);
    EXPECT_EQ(1, slot(QUICK_LOAD).enabled);
    EXPECT_EQ(80, slot(POSITION).key);
    EXPECT_EQ(6, slot(POSITION).modifiers);
    EXPECT_EQ(1, slot(POSITION).enabled);
    for (int command : {GET_DATA, LOAD, SAVE, CONTROL_PANEL, DATA_DISPLAY}) {
        EXPECT_EQ(0, slot(command).enabled) << command;
        EXPECT_EQ(0, slot(command).key) << command;
    }
}

TEST_F(SettingsFileTest, FileNameKeepsInnerAndTrailingBlanksOnly) {
    ASSERT_TRUE(read("[CONFIG]\nDefaultSKDFileName =    My  Field.skd  \n"));
    EXPECT_STREQ("My  Field.skd  ", config().DefaultSKDFileName);
}

TEST_F(SettingsFileTest, FileNameWithEqualsSignCutsTheKeyAtTheLastOne) {
    expectFileNameStopsTheRead("a=b.skd", "DefaultSKDFileName= is an invalid field\nParse Error in Config data\n");
}

TEST_F(SettingsFileTest, FileNameWithClosingBracketBecomesASectionHeader) {
    expectFileNameStopsTheRead("run]way.skd",
                               "efaultSKDFileName=run is an invalid section name\nParse Error in Section Name\n");
}

TEST_F(SettingsFileTest, FileNameWithSemicolonSkipsTheLine) {
    ASSERT_TRUE(read("[CONFIG]\nDefaultSKDFileName = a;b.skd\nAutoStart = 1\n"));
    EXPECT_STREQ("", config().DefaultSKDFileName);
    EXPECT_EQ(1, config().AutoStart);
}

TEST_F(SettingsFileTest, BlanksInsideHotKeyNamesVanish) {
    ASSERT_TRUE(read("[LOAD]\nHotKey = F 5\nHotKeyModifiers = Sh ift + Con trol\n"));
    EXPECT_EQ(116, slot(LOAD).key);
    EXPECT_EQ(5, slot(LOAD).modifiers);
}

TEST_F(SettingsFileTest, HeartBeatTimeChangesNothingElse) {
    PluginConfig expected;
    std::memcpy(&expected, &config(), sizeof expected);
    HotKeySlot slots[kActionCount];
    std::memcpy(slots, app_->hotKeys, sizeof slots);
    expected.HeartBeatTime = 30.0f;
    ASSERT_TRUE(read("[CONFIG]\nHeartBeatTime = 30\n"));
    EXPECT_EQ(0, std::memcmp(&expected, &config(), sizeof expected));
    EXPECT_EQ(0, std::memcmp(slots, app_->hotKeys, sizeof slots));
}

// Each value, the minutes it sets and the log line it gives; the read goes on
// past the key either way (PauseAutoStart after it is set).
TEST_F(SettingsFileTest, AutoSaveMinutesAcceptsZeroAndHalfAMinuteToADay) {
    const char* const kOff = "; the auto-save is off\n";
    const struct {
        const char* value;
        float minutes;
        std::string line;
    } cases[] = {
        {"5", 5, ""},
        {"0", 0, ""},
        {"0.5", 0.5f, ""},
        {"1440", 1440, ""},
        {"9", 9, ""},
        {" 2.5 minutes", 2.5f, ""},
        {"0.49", 0, std::string("SkyPlacer - AutoSaveMinutes = 0.49 is outside 0.5 to 1440") + kOff},
        {"1440.5", 0, std::string("SkyPlacer - AutoSaveMinutes = 1440.5 is outside 0.5 to 1440") + kOff},
        {"1e400", 0, std::string("SkyPlacer - AutoSaveMinutes = 1e400 is outside 0.5 to 1440") + kOff},
        {"-5", 0, std::string("SkyPlacer - AutoSaveMinutes = -5 is negative") + kOff},
        {"five", 0, std::string("SkyPlacer - AutoSaveMinutes = five is not a number") + kOff},
        {"nan", 0, std::string("SkyPlacer - AutoSaveMinutes = nan is not a number") + kOff},
        {"", 0, std::string("SkyPlacer - AutoSaveMinutes =  is not a number") + kOff},
    };
    for (const auto& c : cases) {
        app_->setDefaults();
        config().AutoSaveMinutes = 7;  // what a value that switches it off must not leave
        clearLog();
        ASSERT_TRUE(read(std::string("[CONFIG]\nAutoSaveMinutes =") + c.value + "\nPauseAutoStart = 1\n")) << c.value;
        EXPECT_FLOAT_EQ(c.minutes, config().AutoSaveMinutes) << c.value;
        EXPECT_EQ(kParsing + c.line + "SkyPlacer - INI file parsing successful\n", logText()) << c.value;
        EXPECT_EQ(1, config().PauseAutoStart) << c.value;
    }
    app_->setDefaults();
    EXPECT_EQ(0, config().AutoSaveMinutes) << "off when the key is absent";
}

TEST_F(SettingsFileTest, LastSectionDebugAndRepeatedKeys) {
    ASSERT_TRUE(read("[CONFIG]\nHeartBeatTime = 30\nAutoStart = 1\n[DEBUG]\nLogFile = 0\n[CONFIG]\nAutoStart = 0\n"));
    EXPECT_FLOAT_EQ(30.0f, config().HeartBeatTime);
    EXPECT_EQ(0, config().AutoStart);
    EXPECT_EQ(0, config().LogFile);
    EXPECT_EQ(1, config().HeartBeatTimerEnabled);
}

TEST_F(SettingsFileTest, UnknownConfigKeyStopsTheReadKeepingWhatCameBefore) {
    ASSERT_FALSE(read("[CONFIG]\nHideControlPanel = 1\nAutoStrt = 1\nPauseAutoStart = 1\n[DEBUG]\nDebugView = 1\n"));
    EXPECT_EQ(std::string(kParsing) + "AutoStrt is an invalid field\nParse Error in Config data\n", logText());
    EXPECT_EQ(1, config().HideControlPanel);
    EXPECT_EQ(0, config().PauseAutoStart);
    EXPECT_EQ(0, config().DebugView);
}

TEST_F(SettingsFileTest, UnknownDebugKeyIsReportedAsDebugData) {
    ASSERT_FALSE(read("[DEBUG]\nLogfile = 0\n"));
    EXPECT_EQ(std::string(kParsing) + "Logfile is an invalid field\nParse Error in Debug data\n", logText());
    EXPECT_EQ(1, config().LogFile);
}

TEST_F(SettingsFileTest, UnknownCommandKeyGoesToTheSimulatorsLog) {
    ASSERT_FALSE(read("[GET_DATA]\nHotKey = G\nKey = F1\n"));
    EXPECT_EQ(std::string(kParsing) + "Parse Error in Load data\n", logText());
    EXPECT_NE(std::string::npos, skysim::Sim::get().simLog().find("Key is an invalid field\n"));
    EXPECT_EQ(71, slot(GET_DATA).key);
    EXPECT_EQ(1, slot(GET_DATA).enabled);
}

TEST_F(SettingsFileTest, EachCommandSectionHasItsOwnPlace) {
    const char* sections[] = {"GET_DATA",   "LOAD",     "SAVE",          "QUICK_LOAD",
                              "QUICK_SAVE", "POSITION", "CONTROL_PANEL", "DATA_DISPLAY"};
    const char* places[] = {"Load data",       "Load data",     "Save data",          "Quick Load data",
                            "Quick Save data", "Position data", "Control Panel data", "Display Data data"};
    const int codes[] = {6, 6, 7, 8, 9, 10, 11, 12};  // the documented codes
    for (int command = 0; command < static_cast<int>(std::size(sections)); ++command) {
        clearLog();
        std::string text = std::string("[") + sections[command] + "]\nHotKey = F1\nWrong = 1\n";
        ASSERT_FALSE(read(text));
        EXPECT_EQ(std::string(kParsing) + "Parse Error in " + places[command] + "\n", logText());
        EXPECT_EQ(codes[command], static_cast<int>(app_->parseSettings(path("SkyPlacer.ini").c_str())));
        EXPECT_EQ(112, slot(command).key);
    }
}

TEST_F(SettingsFileTest, SectionDifferingInCaseIsInvalid) {
    ASSERT_FALSE(read("[DEBUG]\nDebugView = 1\n[Config]\nAutoStart = 1\n"));
    EXPECT_EQ(std::string(kParsing) + "Config is an invalid section name\nParse Error in Section Name\n", logText());
    EXPECT_EQ(1, config().DebugView);
    EXPECT_EQ(0, config().AutoStart);
}

TEST_F(SettingsFileTest, LongLineFailsAfterWhatCameBeforeItIsApplied) {
    ASSERT_FALSE(
        read("[CONFIG]\nAutoStart = 1\nDefaultSKDFileName = " + std::string(300, 'n') + "\nHideControlPanel = 1\n"));
    EXPECT_EQ(1, config().AutoStart);
    EXPECT_EQ(0, config().HideControlPanel);
    EXPECT_STREQ("", config().DefaultSKDFileName);
    const std::string end = "Parse Error in Line Length\n";
    ASSERT_GE(logText().size(), end.size());
    EXPECT_EQ(end, logText().substr(logText().size() - end.size()));
    EXPECT_EQ(ReadResult::LineTooLong, app_->parseSettings(path("SkyPlacer.ini").c_str()));
}

TEST_F(SettingsFileTest, MissingFileKeepsEveryDefault) {
    EXPECT_FALSE(app_->readSettings(path("absent.ini").c_str()));
    EXPECT_EQ(std::string(kParsing) + "SkyPlacer - No SkyPlacer.ini file found\n.", logText());
    EXPECT_EQ(1, config().LogFile);
    EXPECT_FLOAT_EQ(60.0f, config().HeartBeatTime);
    for (int command = 0; command < kActionCount; ++command) EXPECT_EQ(0, slot(command).enabled);
}

TEST_F(SettingsFileTest, OnlyAHotKeyLineEnablesASlot) {
    ASSERT_TRUE(read("[SAVE]\nHotKeyModifiers = Shift\n[LOAD]\nHotKey = f5\n"));
    EXPECT_EQ(0, slot(SAVE).enabled);
    EXPECT_EQ(1, slot(SAVE).modifiers);
    EXPECT_EQ(1, slot(LOAD).enabled);
    EXPECT_EQ(0, slot(LOAD).key);
}

TEST_F(SettingsFileTest, TabIsNotABlank) {
    ASSERT_TRUE(read("[LOAD]\nHotKey = F5\t\nHotKeyModifiers = Shift\t+ Alt\n"));
    EXPECT_EQ(0, slot(LOAD).key);
    EXPECT_EQ(2, slot(LOAD).modifiers);
}

}  // namespace
