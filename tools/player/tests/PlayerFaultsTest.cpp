// The player itself run on faulty scenarios: each fault stops the run with
// the scenario's file and line, a clear message and a non-zero exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TestSupport.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Plays with the root folder work/root, so two plays in one folder share it; `environment` prefixes the command.
Outcome play(const std::string& scenario, const TempFolder& work, const std::string& environment = "") {
    std::string outPath = work.path() + "/out.txt", errPath = work.path() + "/err.txt";
    std::string command = environment + " '" + PLAYER_PATH + "' --module '" + SKYPLACER_MODULE_PATH + "' --root '" +
                          work.path() + "/root' --pictures '" + work.path() + "/pictures' '" + scenario + "' >'" +
                          outPath + "' 2>'" + errPath + "'";
    int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = readFile(outPath);
    outcome.err = readFile(errPath);
    return outcome;
}

std::string bad(const std::string& name) { return std::string(PLAYER_BAD_SCENARIOS) + "/" + name; }

// Writes the scenario text as work/NAME and returns its path.
std::string scenarioFile(const TempFolder& work, const std::string& name, const std::string& text) {
    std::string path = work.path() + "/" + name;
    writeFile(path, text);
    return path;
}

// A quick file whose section name is unknown: Quick Load File then shows the warning window.
const char* kBrokenQuickLoad =
    "write QuickFile.skd <<END\n[POSITION DATA]\nLatitude = 1.0\nEND\nmenu Quick Load File\n";

void expectFault(const Outcome& outcome, const std::string& located, const std::string& message) {
    EXPECT_EQ(1, outcome.status) << outcome.err;
    EXPECT_NE(std::string::npos, outcome.err.find(located + " " + message)) << "stderr was:\n" << outcome.err;
}

TEST(PlayerFaults, AnUnknownStepStopsBeforeAnyStepRuns) {
    TempFolder work;
    Outcome outcome = play(bad("unknown-step.scn"), work);
    expectFault(outcome, bad("unknown-step.scn") + ":4:", "unknown step \"fly\"");
    EXPECT_EQ(std::string::npos, outcome.out.find("menu Control Panel")) << "no step may have run";
}

TEST(PlayerFaults, AButtonNotOnScreenNamesTheButtonsThatAre) {
    TempFolder work;
    Outcome outcome = play(bad("missing-label.scn"), work);
    expectFault(outcome, bad("missing-label.scn") + ":5:", "no button \"Take Off\" on screen");
    EXPECT_NE(std::string::npos, outcome.err.find("\"Position\"")) << outcome.err;
    EXPECT_NE(std::string::npos, outcome.out.find("click Get Data")) << "the steps before it ran";
}

TEST(PlayerFaults, AButtonBehindAnotherWindowCannotBeClicked) {
    TempFolder work;
    expectFault(play(bad("covered-button.scn"), work), bad("covered-button.scn") + ":4:",
                "the button \"Get Data\" is covered by the window \"Data - SkyPlacer");
}

TEST(PlayerFaults, ALabelNotOnScreen) {
    TempFolder work;
    expectFault(play(bad("missing-field.scn"), work), bad("missing-field.scn") + ":3:", "no label \"Lattitude\"");
}

TEST(PlayerFaults, AFailedExpectationSaysWhatWasShown) {
    TempFolder work;
    Outcome outcome = play(bad("failed-expectation.scn"), work);
    expectFault(outcome, bad("failed-expectation.scn") + ":6:",
                "the field beside \"Latitude\" shows \"47.500000\", expected \"12.000000\"");
    EXPECT_NE(std::string::npos, outcome.out.find("LOGGING STOPPED")) << "the report still comes, with the log";
}

TEST(PlayerFaults, AFailedDataRefExpectationGivesBothValues) {
    TempFolder work;
    expectFault(play(bad("failed-dataref.scn"), work),
                bad("failed-dataref.scn") + ":2:", "sim/flightmodel/position/latitude is 47.5, expected 48 within 0.1");
}

TEST(PlayerFaults, AMisspeltModifierStopsBeforeAnyStepRuns) {
    TempFolder work;
    std::string path = scenarioFile(work, "keys.scn", "menu Control Panel\nkey F5 Shift+Contrl\n");
    Outcome outcome = play(path, work);
    expectFault(outcome, path + ":2:", "unknown modifier name \"Contrl\"");
    EXPECT_EQ(std::string::npos, outcome.out.find("menu Control Panel")) << "no step may have run";
}

TEST(PlayerFaults, AnUnknownKeyName) {
    TempFolder work;
    std::string path = scenarioFile(work, "keys.scn", "key F55\n");
    expectFault(play(path, work), path + ":1:", "unknown key name \"F55\"");
}

TEST(PlayerFaults, AnUnknownCommandNamesThePluginsCommands) {
    TempFolder work;
    std::string scenario = scenarioFile(work, "command.scn", "start\ncommand skyplacer/quicksave\n");
    Outcome outcome = play(scenario, work);
    expectFault(outcome, scenario + ":2:", "no command skyplacer/quicksave; the plug-in made: skyplacer/get_data");
    EXPECT_NE(std::string::npos, outcome.err.find("skyplacer/quick_save")) << outcome.err;
}

TEST(PlayerFaults, SettingAnUnknownDataRef) {
    TempFolder work;
    std::string path = scenarioFile(work, "set.scn", "set sim/flightmodel/position/latitude 1\nset sim/no/such 1\n");
    expectFault(play(path, work), path + ":2:", "cannot set sim/no/such to \"1\"");
}

TEST(PlayerFaults, AWindowWithoutACloseBoxCannotBeClosed) {
    TempFolder work;
    std::string path = scenarioFile(work, "close.scn", std::string(kBrokenQuickLoad) + "close Plugin Warning\n");
    expectFault(play(path, work), path + ":6:", "the window \"SkyPlacer Plugin Warning\" has no close box");
}

TEST(PlayerFaults, CloseNeedsATitleThatFitsOneWindow) {
    TempFolder work;
    std::string path =
        scenarioFile(work, "close.scn", "menu Data Display\n" + std::string(kBrokenQuickLoad) + "close SkyPlacer\n");
    expectFault(play(path, work), path + ":7:", "more than one window is titled \"SkyPlacer\"");
}

TEST(PlayerFaults, ATextFieldBehindAnotherWindowCannotBeTypedInto) {
    TempFolder work;
    std::string path =
        scenarioFile(work, "type.scn", "menu Control Panel\nmenu Data Display\nwindow ControlPanel\ntype Latitude 1\n");
    expectFault(play(path, work), path + ":4:", "the text field beside \"Latitude\" is covered by the window");
}

TEST(PlayerFaults, WithinComparesWholeNumbersOnly) {
    TempFolder work;
    std::string path = scenarioFile(work, "within.scn",
                                    "menu Control Panel\ntype Latitude 47.5xyz\nexpect field Latitude 47.5 within 1\n");
    expectFault(play(path, work), path + ":3:", "the field beside \"Latitude\" shows \"47.5xyz\", expected \"47.5\"");
}

TEST(PlayerFaults, EachFormOfExpectFileFailsOnAMismatch) {
    TempFolder work;
    const std::string written = "write Home.skd <<END\n[POSITION_DATA]\nLatitude = 1.0\nEND\n";
    std::string contains = scenarioFile(work, "contains.scn", written + "expect file Home.skd contains Latitude = 2\n");
    expectFault(play(contains, work), contains + ":5:", "the file Home.skd does not contain \"Latitude = 2\"");
    std::string missing = scenarioFile(work, "missing.scn", written + "expect file Home.skd missing\n");
    expectFault(play(missing, work), missing + ":5:", "the file Home.skd exists");
    std::string exact =
        scenarioFile(work, "exact.scn", written + "expect file Home.skd <<END\n[POSITION_DATA]\nLatitude = 1.5\nEND\n");
    expectFault(play(exact, work),
                exact + ":5:", "the file Home.skd is not as expected: the contents differ first on line 2");
    std::string absent = scenarioFile(work, "absent.scn", "expect file Away.skd contains x\n");
    expectFault(play(absent, work), absent + ":1:", "the file Away.skd is missing from the plug-in folder");
}

TEST(PlayerFaults, LogExpectationsAndTheReportSeeOnlyThisRunsLog) {
    TempFolder work;
    std::string first = scenarioFile(work, "first.scn", "menu Control Panel\n");
    ASSERT_EQ(0, play(first, work).status) << "the first run stops the plug-in, which logs LOGGING STOPPED";
    std::string second = scenarioFile(work, "second.scn", "menu Control Panel\nexpect nolog --- LOGGING STOPPED ---\n");
    Outcome outcome = play(second, work);
    EXPECT_EQ(0, outcome.status) << outcome.err;
    size_t stopped = outcome.out.find("| --- LOGGING STOPPED", outcome.out.find("Plug-in log"));
    ASSERT_NE(std::string::npos, stopped) << outcome.out;
    EXPECT_EQ(std::string::npos, outcome.out.find("LOGGING STOPPED", stopped + 25))
        << "the first run's log is left out";
}

TEST(PlayerFaults, AFailedPngConversionIsToldInTheProgressLine) {
    TempFolder work;
    std::string tools = work.path() + "/bin";
    std::string script = "mkdir -p '" + tools + "' && printf '#!/bin/sh\\nexit 1\\n' >'" + tools +
                         "/rsvg-convert' && chmod +x '" + tools + "/rsvg-convert'";
    ASSERT_EQ(0, std::system(script.c_str()));
    std::string path = scenarioFile(work, "picture.scn", "menu Control Panel\npicture panel\n");
    Outcome outcome = play(path, work, "PATH='" + tools + ":/usr/bin:/bin'");
    EXPECT_EQ(0, outcome.status) << outcome.err;
    EXPECT_NE(std::string::npos,
              outcome.out.find("picture panel  -- " + work.path() + "/pictures/panel.svg; rsvg-convert could not make"))
        << outcome.out;
}

TEST(PlayerFaults, AMissingScenarioFileIsAnError) {
    TempFolder work;
    Outcome outcome = play(work.path() + "/nothing.scn", work);
    EXPECT_EQ(1, outcome.status);
    EXPECT_NE(std::string::npos, outcome.err.find("nothing.scn:0: cannot read the scenario file")) << outcome.err;
}

}  // namespace
