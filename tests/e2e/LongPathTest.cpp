// A simulator installed in a deep folder: paths that do not fit their buffers,
// or are longer than the system opens (259 characters on Windows), are
// refused, never cut, and the simulator's log or a message window says so.
#include <filesystem>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderTooLong = "SkyPlacer - The path of the SkyPlacer folder is too long";

class LongPathTest : public ::testing::Test {
protected:
    skysim::Sim& sim() { return skysim::Sim::get(); }

    // Starts the plug-in on the simulator's root `root`, logging, with `settings` added.
    void startAt(const std::string& root, const std::string& settings = "") {
        sim().reset(root);
        fs::create_directories(anyLengthPath(sim().pluginFolder()));
        writeFile(anyLengthPath(sim().pluginFolder() + "SkyPlacer.ini"), "[DEBUG]\nLogFile = 1\n" + settings);
        std::string error;
        ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
        ASSERT_EQ(1, sim().start());
        sim().advance(1.5);
    }
    // Starts it where its folder's path has exactly `length` characters.
    void startWithFolderOf(size_t length, const std::string& settings = "") {
        ASSERT_NO_FATAL_FAILURE(startAt(rootWithPluginFolderOf(temp_.path(), length), settings));
        ASSERT_EQ(length, sim().pluginFolder().size());
    }
    bool quickFileSaved() {
        EXPECT_TRUE(sim().pickMenuItem("Quick Save File"));
        sim().advance(0.2);
        return fileExists(anyLengthPath(sim().pluginFolder() + "QuickFile.skd"));
    }
    void TearDown() override {
        if (sim().started()) sim().stop();
    }

    TempFolder temp_;
};

// The log takes every path the folder's own check lets through, also past 255 characters.
TEST_F(LongPathTest, FolderThatFitsGetsItsLog) {
    startWithFolderOf(kModuleMaxPath - kLongestOwnFileName);
    EXPECT_EQ(std::string::npos, sim().simLog().find("SkyPlacerLog.txt"));
    std::string log = readPluginText(anyLengthPath(sim().pluginFolder() + "SkyPlacerLog.txt"));
    EXPECT_NE(std::string::npos, log.find("+++ LOGGING STARTED +++\n"));
}

TEST_F(LongPathTest, FolderTooLongForItsFilesWritesNoLogAndSaysSo) {
    startWithFolderOf(kModuleMaxPath - kLongestOwnFileName + 1);
    EXPECT_NE(std::string::npos, sim().simLog().find("SkyPlacer - The path of SkyPlacerLog.txt is too long"));
    EXPECT_FALSE(fileExists(anyLengthPath(sim().pluginFolder() + "SkyPlacerLog.txt")));
}

// The auto-save's own names are longer than the temporary file's: a folder
// with no room for the longest keeps the auto-save off from the start and says why.
TEST_F(LongPathTest, AutoSaveNeedsRoomForItsFilesNames) {
    const std::string kAutoSave = "[CONFIG]\nAutoSaveMinutes = 1\n";
    const size_t crashSaveName = std::string("AutoSave-crash-2026-12-08-02h14m30s.skd").size();
    const struct {
        size_t length;
        std::string tooLong;  // the name the log gives, "" when every name fits
    } rows[] = {
        {kModuleMaxPath - crashSaveName, ""},
        {kModuleMaxPath - crashSaveName + 1, "a crash save, AutoSave-crash-...,"},
    };
    for (const auto& row : rows) {
        startWithFolderOf(row.length, kAutoSave);
        sim().advance(61);
        const std::string log = readPluginText(anyLengthPath(sim().pluginFolder() + "SkyPlacerLog.txt"));
        EXPECT_EQ(row.tooLong.empty(), fileExists(anyLengthPath(sim().pluginFolder() + "AutoSave.skd"))) << row.length;
        EXPECT_EQ(row.tooLong.empty() ? 0 : 1,
                  occurrences(log, "The path of " + row.tooLong + " is too long; the auto-save is off"))
            << log;
        sim().stop();
    }
}

// The folder must leave room within the system's limit for the longest of the
// plug-in's own files, the save's temporary file.
TEST_F(LongPathTest, FolderWithNoRoomForItsFilesWithinTheSystemsLimitIsRefused) {
    startWithFolderOf(kModuleMaxPath - kLongestOwnFileName);
    EXPECT_EQ(std::string::npos, sim().simLog().find(kFolderTooLong));
    EXPECT_TRUE(quickFileSaved());
    sim().stop();

    startWithFolderOf(kModuleMaxPath - kLongestOwnFileName + 1);
    EXPECT_NE(std::string::npos, sim().simLog().find(kFolderTooLong));
    EXPECT_FALSE(quickFileSaved());
}

TEST_F(LongPathTest, PluginFolderTooLongIsRefusedAndNothingIsRead) {
    fs::path root = temp_.path();
    for (int i = 0; i < 8; ++i) root /= std::string(60, static_cast<char>('a' + i));
    startAt(root.string());  // the plug-in's folder passes 512 characters
    ASSERT_GT(sim().pluginFolder().size(), 512u);
    EXPECT_NE(std::string::npos, sim().simLog().find(kFolderTooLong));
    EXPECT_FALSE(quickFileSaved());
}

}  // namespace
