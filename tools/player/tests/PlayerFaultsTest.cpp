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

Outcome play(const std::string& scenario, const TempFolder& work) {
    std::string outPath = work.path() + "/out.txt", errPath = work.path() + "/err.txt";
    std::string command = std::string("'") + PLAYER_PATH + "' --module '" + SKYPLACER_MODULE_PATH + "' --root '" +
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

TEST(PlayerFaults, AMissingScenarioFileIsAnError) {
    TempFolder work;
    Outcome outcome = play(work.path() + "/nothing.scn", work);
    EXPECT_EQ(1, outcome.status);
    EXPECT_NE(std::string::npos, outcome.err.find("nothing.scn:0: cannot read the scenario file")) << outcome.err;
}

}  // namespace
