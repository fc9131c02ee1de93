// Paths as Windows gives them: the simulator's root folder is a drive path
// with backslashes and a trailing backslash, and the plug-in builds every path
// of its own from it and the simulator's separator.
#include <regex>

#include "FlightTestSupport.h"

namespace {

class WindowsPaths : public SimTest {};

TEST_F(WindowsPaths, TheRootIsADrivePathEndingInABackslash) {
    EXPECT_TRUE(std::regex_match(sim().rootPath(), std::regex(R"([A-Za-z]:\\([^/\\]+\\)+)"))) << sim().rootPath();
    EXPECT_EQ(sim().rootPath() + "Resources\\plugins\\SkyPlacer\\", pluginFolder());
}

TEST_F(WindowsPaths, ThePluginsFilesAreFoundAndWrittenInItsFolder) {
    writeFile(pluginFile("Home.skd"), "");
    startWithSettings("[QUICK_SAVE]\nHotKey = F5\n");
    ASSERT_EQ(1u, sim().hotKeys().size()) << "the settings file was found";
    ASSERT_EQ(1, sim().pressHotKey(116, 0));
    EXPECT_TRUE(fileExists(sim().rootPath() + "Resources\\plugins\\SkyPlacer\\QuickFile.skd"));
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - INI file parsing successful\n"));
    // The listing refuses a folder that ends in a separator: the dialog names the first file it listed.
    ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
    EXPECT_NE(0, sim().findShown("Home.skd", skysim::TextField));
}

}  // namespace
