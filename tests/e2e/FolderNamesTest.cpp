// A simulator installed under folder names in any script: the plug-in asks for
// native paths, then reads its settings, writes its log, quick-saves and
// quick-loads, and its dialog lists, loads and saves names in any script.
// Without native paths, on Windows, the same root is lost to it.
#include <filesystem>
#include <set>

#include "ControlPanelDriver.h"
#include "FlightTestSupport.h"

namespace {

namespace fs = std::filesystem;

// ö and É are in Windows' code page; the Cyrillic and Japanese names are not.
const char* const kForeignFolders = "Jörg/Éole/Пилот/東京の空";
const char* const kNativePaths = "XPLM_USE_NATIVE_PATHS";

class FolderNames : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        sim().reset(root_.path() + "/" + kForeignFolders);
        fs::create_directories(fs::u8path(pluginFolder()));
    }
    bool shown(const std::string& text) const { return sim().findShown(text) != 0; }
    WidgetId nameField() const {
        std::vector<WidgetInfo> fields = childrenOf(fileDialog(), skysim::TextField);
        return fields.empty() ? 0 : fields.front().id;
    }
    void confirm() {
        press(" OK");
        nextFlightLoops();
    }
    // Saves what the panel shows, or the aircraft from the menu.
    void saveAs(const std::string& name, bool fromPanel = true) {
        if (fromPanel) {
            press(" Save SKD");
        } else {
            ASSERT_TRUE(sim().pickMenuItem("Save Position File"));
        }
        ASSERT_TRUE(sim().typeInto(nameField(), name));
        confirm();
    }
    void load(const std::string& name) {
        ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
        ASSERT_TRUE(pickListEntry(name)) << name << " is not listed";
        confirm();
    }
};

TEST_F(FolderNames, SettingsLogAndQuickFileWorkUnderAnyFolderName) {
    startWithSettings(flighttest::allHotKeysIni());
    EXPECT_TRUE(sim().nativePaths());
    EXPECT_EQ(std::string::npos, sim().systemPath().find('\\')) << sim().systemPath();
    EXPECT_EQ('/', sim().systemPath().back());
    EXPECT_EQ(8u, sim().hotKeys().size()) << "the settings file was read";
    EXPECT_NE(std::string::npos, logText().find("+++ LOGGING STARTED +++\n"));

    setAircraft();
    ASSERT_EQ(1, sim().tapKey(flighttest::hotKeyOf(flighttest::QUICK_SAVE), 0));
    EXPECT_NE(std::string::npos, pluginText("QuickFile.skd").find("\nLatitude = 47.123457\n"));
    sim().setDouble("sim/flightmodel/position/latitude", 10.0);
    ASSERT_EQ(1, sim().tapKey(flighttest::hotKeyOf(flighttest::QUICK_LOAD), 0));
    openPanel();
    EXPECT_EQ("47.123457", fieldText(PanelField::kLatitude));
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - skd file parsing successful\n"));
}

TEST_F(FolderNames, TheDialogListsLoadsAndSavesNamesInAnyScript) {
    writeFile(pluginFile("Zürich.skd"), positionFileText({{"Latitude", "47.45"}}));
    startWithSettings("");
    openPanel();
    load("Zürich.skd");
    EXPECT_EQ("47.450000", fieldText(PanelField::kLatitude));
    EXPECT_EQ("Zürich.skd", fileNameText());

    saveAs("東京");
    EXPECT_NE(std::string::npos, pluginText("東京.skd").find("\nLatitude = 47.450000\n"));
    typeField(PanelField::kLatitude, "1");
    saveAs("Zürich.skd");
    EXPECT_NE(std::string::npos, pluginText("Zürich.skd").find("\nLatitude = 1.000000\n"));

    load("東京.skd");
    EXPECT_EQ("47.450000", fieldText(PanelField::kLatitude));
    EXPECT_EQ("東京.skd", fileNameText());
    EXPECT_EQ("The data below is from the SKD File", statusText());
}

TEST_F(FolderNames, ATypedNameThatIsNotUtf8IsRefusedAndLengthsCountBytes) {
    startWithSettings("");
    saveAs("Caf\xE9", false);
    EXPECT_TRUE(shown("Invalid Position File Name."));
    EXPECT_TRUE(shown("Some of its characters are damaged"));
    sim().clickButton(" OK");
    nextFlightLoops();

    std::string longName;
    for (int i = 0; i < 86; ++i) longName += "東";  // 86 characters, 258 bytes
    saveAs(longName, false);
    EXPECT_TRUE(shown("Position File Name Too Long."));
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::u8path(pluginFolder()))) {
        names.insert(entry.path().filename().u8string());
    }
    EXPECT_EQ((std::set<std::string>{"SkyPlacer.ini", "SkyPlacerLog.txt"}), names) << "nothing was saved";
}

// A simulator without native paths: what a pilot had before, on each system.
TEST_F(FolderNames, WithoutNativePathsWindowsLosesTheRoot) {
    sim().hideFeatureFromPlugin(kNativePaths);
    startWithSettings(flighttest::allHotKeysIni());
    EXPECT_FALSE(sim().nativePaths());
    EXPECT_EQ(std::string::npos, sim().simLog().find("XPLMEnableFeature")) << "asked only when the simulator has it";
    EXPECT_NE(std::string::npos, sim().simLog().find("no native paths"));
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    sim().advance(0.2);  // a failure shows at the main loop's next call
    if (kLegacyPathsInCodePage) {
        EXPECT_NE(std::string::npos, sim().systemPath().find("\\J\xF6rg\\\xC9ole\\?????\\????\\"))
            << "Windows-1252, with ? for what it lacks";
        EXPECT_EQ(0u, sim().hotKeys().size()) << "the settings file was not found";
        EXPECT_FALSE(fileExists(pluginFile("SkyPlacerLog.txt")));
        EXPECT_TRUE(shown("Unable to Create Position File."));
        EXPECT_FALSE(fileExists(pluginFile("QuickFile.skd")));
    } else {
        EXPECT_EQ(sim().rootPath(), sim().systemPath());
        EXPECT_EQ(8u, sim().hotKeys().size());
        EXPECT_TRUE(fileExists(pluginFile("QuickFile.skd")));
    }
}

}  // namespace
