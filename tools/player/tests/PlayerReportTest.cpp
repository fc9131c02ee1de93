// The player's report after a good run: a progress line per step, each
// placement with the aircraft before and after it, the logs, the pictures.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TestSupport.h"

namespace {

TEST(PlayerReport, APlayedScenarioReportsPlacementsLogsAndPictures) {
    TempFolder work;
    std::string scenario = std::string(PLAYER_GOOD_SCENARIOS) + "/one-placement.scn";
    std::string outPath = work.path() + "/out.txt";
    std::string command = std::string("'") + PLAYER_PATH + "' --module '" + SKYPLACER_MODULE_PATH + "' --pictures '" +
                          work.path() + "/pictures' '" + scenario + "' >'" + outPath + "' 2>/dev/null";
    int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    std::string out = readFile(outPath);
    ASSERT_EQ(0, WEXITSTATUS(raw)) << out;

    EXPECT_NE(std::string::npos, out.find("[" + scenario + ":5] menu Control Panel")) << out;
    EXPECT_NE(std::string::npos, out.find("[" + scenario + ":10] wait 0.2  -- simulated time 1.40 s")) << out;
    EXPECT_NE(std::string::npos, out.find("Placements: 1\n  at 1.30 s, during " + scenario + ":10\n")) << out;
    EXPECT_NE(std::string::npos, out.find("before: lat 20.250000")) << out;
    EXPECT_NE(std::string::npos, out.find("heading 180.00")) << out;
    EXPECT_NE(std::string::npos, out.find("after:  lat 10.500000")) << out;
    EXPECT_NE(std::string::npos, out.find("heading 90.00")) << out;
    EXPECT_NE(std::string::npos, out.find("+++ LOGGING STARTED +++\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  | --- LOGGING STOPPED ---")) << "the plug-in is stopped before the report";
    EXPECT_NE(std::string::npos, out.find("Simulator log:")) << out;
    std::string picture = work.path() + "/pictures/placed.svg";
    EXPECT_NE(std::string::npos, out.find("  " + picture)) << out;
    EXPECT_NE(std::string::npos, readFile(picture).find("ControlPanel - SkyPlacer"));
    EXPECT_NE(std::string::npos, out.find("all 10 steps passed")) << out;
}

}  // namespace
