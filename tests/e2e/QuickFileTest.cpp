// Quick save and quick load as a pilot uses them: from the menu and from hot
// keys, with the quick file on disk, the panel's captions and the log lines.
#include <filesystem>

#include "ControlPanelDriver.h"

namespace {

const char* const kParsing = "SkyPlacer - parsing skd file\n";
const char* const kSuccess = "SkyPlacer - skd file parsing successful\n";
const char* const kWarningTitle = "SkyPlacer Plugin Warning";
const char* const kLatitudeRef = "sim/flightmodel/position/latitude";

class QuickFile : public PanelTest {
protected:
    std::string quickFile() const { return pluginText("QuickFile.skd"); }
    bool warningShown() const { return sim().findShown(kWarningTitle, skysim::MainWindow) != 0; }
};

TEST_F(QuickFile, MenuSaveCapturesTheAircraftAndMenuLoadBringsItBack) {
    startWithSettings("");
    setAircraft();
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    EXPECT_NE(std::string::npos, quickFile().find("\nLatitude = 47.123457\n"));
    EXPECT_NE(std::string::npos, quickFile().find("\nAltitude = 3280.000000\n"));
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerSave.tmp")));

    sim().setDouble(kLatitudeRef, 10.0);
    openPanel();
    press(" Get Data");
    ASSERT_EQ("10.000000", fieldText(PanelField::kLatitude));

    std::string logBefore = logText();
    ASSERT_TRUE(sim().pickMenuItem("Quick Load File"));
    EXPECT_EQ("47.123457", fieldText(PanelField::kLatitude));
    EXPECT_EQ("3280.000000", fieldText(PanelField::kAltitude));
    EXPECT_EQ("The data below is from the QuickFile", statusText());
    EXPECT_EQ("", fileNameText());
    EXPECT_TRUE(enabled(" Position"));
    EXPECT_EQ(logBefore + kParsing + kSuccess, logText());
    EXPECT_FALSE(warningShown());
}

TEST_F(QuickFile, HotKeysSaveAndLoadWithoutThePanel) {
    startWithSettings(
        "[QUICK_SAVE]\nHotKey = F5\nHotKeyModifiers = Shift + Control\n"
        "[QUICK_LOAD]\nHotKey = F6\nHotKeyModifiers = Shift + Control\n");
    setAircraft();
    ASSERT_EQ(1, sim().tapKey(116, 5));
    ASSERT_TRUE(fileExists(pluginFile("QuickFile.skd")));
    writeFile(pluginFile("QuickFile.skd"), "[POSITION_DATA]\nLatitude = 33.5\n");
    ASSERT_EQ(1, sim().tapKey(117, 5));
    EXPECT_FALSE(warningShown());
    // Loaded before the panel exists: the panel shows the loaded record when it is built.
    openPanel();
    EXPECT_EQ("33.500000", fieldText(PanelField::kLatitude));
}

TEST_F(QuickFile, QuickSaveReplacesTheOldQuickFile) {
    startWithSettings("");
    writeFile(pluginFile("QuickFile.skd"), std::string(3000, ';'));
    setAircraft();
    sim().pickMenuItem("Quick Save File");
    std::string text = quickFile();
    EXPECT_EQ(0u, text.find("[CONFIG]\n"));
    EXPECT_EQ(std::string::npos, text.find(';'));
}

TEST_F(QuickFile, LoadBeforeAnySaveWarnsAndLogs) {
    startWithSettings("");
    std::string logBefore = logText();
    ASSERT_TRUE(sim().pickMenuItem("Quick Load File"));
    EXPECT_TRUE(warningShown());
    EXPECT_NE(0, sim().findShown("Unable to Load QuickFile.skd File.", skysim::Caption));
    EXPECT_NE(0, sim().findShown("Probably not created with QuickSave Yet", skysim::Caption));
    EXPECT_EQ(logBefore + kParsing + "SkyPlacer - No skd file found\n.", logText());
}

TEST_F(QuickFile, FaultyQuickFileWarnsAndKeepsTheHeldRecord) {
    startWithSettings("");
    setAircraft();
    openPanel();
    press(" Get Data");
    // Where the held record puts the aircraft, before and after the failed load.
    auto placedAt = [this]() {
        sim().clearAccesses();
        press(" Position");
        nextFlightLoops();
        return std::make_pair(writes("sim/flightmodel/position/local_x"), writes("sim/flightmodel/position/local_z"));
    };
    auto before = placedAt();
    ASSERT_FALSE(before.first.empty());
    writeFile(pluginFile("QuickFile.skd"), "[POSITION_DATA]\nLatitude = 1.5\nLongitude = 2.5\nLatitud = 2\n");
    press(" Quick Load");
    EXPECT_TRUE(warningShown());
    EXPECT_EQ("47.123457", fieldText(PanelField::kLatitude));
    EXPECT_EQ("The data below is from the current aircraft", statusText());
    EXPECT_EQ(before, placedAt());
}

TEST_F(QuickFile, PositionTooLargeForTheFileKeepsTheOldQuickFile) {
    startWithSettings("");
    setAircraft();
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    const std::string saved = quickFile();
    sim().setDouble(kLatitudeRef, 1e240);
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    sim().runFrames(2);  // the failure shows at the main loop's next call
    EXPECT_NE(0, sim().findShown("SkyPlacer Plugin Error", skysim::MainWindow));
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - Latitude is too large to be saved\n"));
    EXPECT_EQ(saved, quickFile());
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerSave.tmp")));
    ASSERT_TRUE(sim().pickMenuItem("Quick Load File"));
    EXPECT_FALSE(warningShown());
}

TEST_F(QuickFile, SaveIntoAMissingFolderShowsTheError) {
    startWithSettings("");
    std::filesystem::remove_all(pluginFolder());
    sim().pickMenuItem("Quick Save File");
    sim().runFrames(2);  // the failure shows at the main loop's next call
    EXPECT_NE(0, sim().findShown("SkyPlacer Plugin Error", skysim::MainWindow));
    EXPECT_NE(0, sim().findShown("Unable to Create Position File.", skysim::Caption));
    EXPECT_NE(0, sim().findShown("Check that SkyPlacer directory exists", skysim::Caption));
    EXPECT_FALSE(fileExists(pluginFile("QuickFile.skd")));
}

}  // namespace
