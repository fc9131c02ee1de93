// A simulator installed in a deep folder: paths that do not fit their
// buffers are refused, never cut, and the simulator's log says so.
#include <filesystem>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

class LongPathTest : public ::testing::Test {
protected:
    skysim::Sim& sim() { return skysim::Sim::get(); }

    // Starts the plug-in with the simulator's root `depth` folders of 60 characters below a temporary folder.
    void startAt(int depth) {
        fs::path root = temp_.path();
        for (int i = 0; i < depth; ++i) root /= std::string(60, static_cast<char>('a' + i));
        sim().reset(root.string());
        fs::create_directories(sim().pluginFolder());
        writeFile(sim().pluginFolder() + "SkyPlacer.ini", "[DEBUG]\nLogFile = 1\n");
        std::string error;
        ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
        ASSERT_EQ(1, sim().start());
    }
    void TearDown() override {
        if (sim().started()) sim().stop();
    }

    TempFolder temp_;
};

TEST_F(LongPathTest, LogPathTooLongIsReportedNotCut) {
    startAt(4);  // the log's path passes 256 characters, the plug-in's folder stays below 512
    ASSERT_GT(sim().pluginFolder().size() + 16, 256u);
    EXPECT_NE(std::string::npos, sim().simLog().find("SkyPlacer - The path of SkyPlacerLog.txt is too long"));
    EXPECT_FALSE(fileExists(sim().pluginFolder() + "SkyPlacerLog.txt"));
    sim().advance(1.5);
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    EXPECT_TRUE(fileExists(sim().pluginFolder() + "QuickFile.skd")) << "the plug-in's folder itself still fits";
}

TEST_F(LongPathTest, PluginFolderTooLongIsRefusedAndNothingIsRead) {
    startAt(8);  // the plug-in's folder passes 512 characters
    ASSERT_GT(sim().pluginFolder().size(), 512u);
    EXPECT_NE(std::string::npos, sim().simLog().find("SkyPlacer - The path of the SkyPlacer folder is too long"));
    sim().advance(1.5);
    EXPECT_TRUE(sim().pickMenuItem("Quick Save File"));
    sim().advance(0.2);
    EXPECT_FALSE(fileExists(sim().pluginFolder() + "QuickFile.skd"));
}

}  // namespace
