// Paths as Windows gives them: the simulator's root folder is a drive path
// with backslashes and a trailing backslash, and the plug-in builds every path
// of its own from it and the simulator's separator. With native paths the
// plug-in is given the same in UTF-8 with "/"; the legacy paths are in the
// code page.
#include <algorithm>
#include <regex>
#include <set>

#include "XPLMApi.h"

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
    ASSERT_EQ(1, sim().tapKey(116, 0));
    EXPECT_TRUE(fileExists(sim().rootPath() + "Resources\\plugins\\SkyPlacer\\QuickFile.skd"));
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - INI file parsing successful\n"));
    // The listing refuses a folder that ends in a separator: the dialog names the first file it listed.
    ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
    EXPECT_NE(0, sim().findShown("Home.skd", skysim::TextField));
}

TEST_F(WindowsPaths, ThePluginAsksForNativePathsAndIsGivenTheRootWithSlashes) {
    std::string slashed = sim().rootPath();
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    startWithSettings("");
    EXPECT_TRUE(sim().nativePaths());
    EXPECT_EQ(slashed, sim().systemPath());
    EXPECT_STREQ("/", XPLMGetDirectorySeparator());
}

TEST_F(WindowsPaths, LegacyListingsGiveNamesInTheCodePage) {
    writeFile(pluginFile("Zürich.skd"), "");
    writeFile(pluginFile("東京.skd"), "");
    std::string folder = sim().systemPath() + "Resources\\plugins\\SkyPlacer";  // no plug-in asked for native paths
    char names[4096];
    char* indices[16];
    int total = 0;
    int returned = 0;
    XPLMGetDirectoryContents(folder.c_str(), 0, names, sizeof names, indices, 16, &total, &returned);
    EXPECT_EQ((std::set<std::string>{"Z\xFCrich.skd", "??.skd"}), std::set<std::string>(indices, indices + returned));
}

}  // namespace
