// Files another program holds open without sharing them, as Windows allows:
// a save cannot replace such a file, so the old one stays whole, the
// temporary file goes, and the pilot is told. An auto-save whose previous
// save is held open is written all the same.
#include <windows.h>

#include "ControlPanelDriver.h"

namespace {

// Holds a file open with no sharing at all, as an editor or a backup program may.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() {
        if (held()) CloseHandle(handle_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

class LockedFile : public PanelTest {};

TEST_F(LockedFile, ASaveOverAFileHeldOpenKeepsTheOldFileAndSaysSo) {
    const std::string old = positionFileText({{"Latitude", "12.5"}});
    writeFile(pluginFile("QuickFile.skd"), old);
    startWithSettings("");
    setAircraft();
    {
        HeldOpen editor(pluginFile("QuickFile.skd"));
        ASSERT_TRUE(editor.held());
        ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    }
    nextFlightLoops();  // the failure shows at the main loop's next call
    EXPECT_EQ(old, readFile(pluginFile("QuickFile.skd")));
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerSave.tmp")));
    EXPECT_NE(0, sim().findShown("Unable to Create Position File."));

    ASSERT_TRUE(sim().clickButton(" OK"));
    nextFlightLoops();
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    EXPECT_NE(std::string::npos, pluginText("QuickFile.skd").find("\nLatitude = 47.123457\n")) << "released, it saves";
}

TEST_F(LockedFile, AnAutoSaveWhosePreviousSaveIsHeldOpenIsWrittenAndTheLogSaysSo) {
    const std::string old = positionFileText({{"Latitude", "12.5"}});
    writeFile(pluginFile("AutoSave-previous.skd"), old);
    startWithSettings("[CONFIG]\nAutoSaveMinutes = 1\n");
    setAircraft();
    sim().advance(60.0);
    sim().setDouble("sim/flightmodel/position/latitude", 13.5);
    {
        HeldOpen scanner(pluginFile("AutoSave-previous.skd"));
        ASSERT_TRUE(scanner.held());
        sim().advance(60.0);
    }
    EXPECT_EQ(old, readFile(pluginFile("AutoSave-previous.skd")));
    EXPECT_NE(std::string::npos, pluginText("AutoSave.skd").find("\nLatitude = 13.500000\n"));
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerKeep.tmp")));
    EXPECT_EQ(1, occurrences(logText(), "could not keep the save before the last as AutoSave-previous.skd"));
}

}  // namespace
