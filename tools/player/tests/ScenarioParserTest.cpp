// Scenario text into steps: arguments, bodies, tolerances, and the faults
// that must stop a scenario before it runs, at the right line.
#include <gtest/gtest.h>

#include "Scenario.h"

namespace {

using player::Scenario;
using player::ScenarioError;
using player::StepKind;

Scenario parsed(const std::string& text) {
    Scenario scenario;
    ScenarioError error;
    EXPECT_TRUE(player::parseScenario(text, scenario, error)) << error.line << ": " << error.message;
    return scenario;
}

ScenarioError failure(const std::string& text) {
    Scenario scenario;
    ScenarioError error;
    EXPECT_FALSE(player::parseScenario(text, scenario, error));
    return error;
}

TEST(ScenarioArguments, CommentsAndBlankLinesAreSkippedButCountAsLines) {
    Scenario scenario = parsed("# a comment\n\n   # indented comment\nmenu Get Data\n  wait 1.5\n");
    ASSERT_EQ(2u, scenario.steps.size());
    EXPECT_EQ(StepKind::Menu, scenario.steps[0].kind);
    EXPECT_EQ(4, scenario.steps[0].line);
    EXPECT_EQ(StepKind::Wait, scenario.steps[1].kind);
    EXPECT_EQ(5, scenario.steps[1].line);
    EXPECT_EQ("wait 1.5", scenario.steps[1].source);
}

TEST(ScenarioArguments, TheLastArgumentTakesTheRestOfTheLine) {
    Scenario scenario = parsed("menu Quick Save File\ntype Latitude 4 7.5\nkey F5 Shift + Control\n");
    EXPECT_EQ(std::vector<std::string>{"Quick Save File"}, scenario.steps[0].args);
    EXPECT_EQ((std::vector<std::string>{"Latitude", "4 7.5"}), scenario.steps[1].args);
    EXPECT_EQ((std::vector<std::string>{"F5", "Shift + Control"}), scenario.steps[2].args);
}

TEST(ScenarioArguments, AButtonLabelTakesTheLineUpToItsState) {
    Scenario scenario = parsed("expect button Save SKD enabled\nexpect button \" OK\" disabled\n");
    EXPECT_EQ((std::vector<std::string>{"Save SKD", "enabled"}), scenario.steps[0].args);
    EXPECT_EQ((std::vector<std::string>{" OK", "disabled"}), scenario.steps[1].args);
}

TEST(ScenarioArguments, QuotesKeepBlanksAndEscapes) {
    Scenario scenario = parsed("type \"AP Mode\" \" 3 \"\nexpect shown \"say \\\"hi\\\" \\\\ there\"\n");
    EXPECT_EQ((std::vector<std::string>{"AP Mode", " 3 "}), scenario.steps[0].args);
    EXPECT_EQ("say \"hi\" \\ there", scenario.steps[1].args[0]);
}

TEST(ScenarioArguments, ExpectListTakesEachEntryOnItsOwn) {
    Scenario scenario = parsed("expect list QuickFile.skd \"Runway 34.skd\"\nexpect list\n");
    EXPECT_EQ((std::vector<std::string>{"QuickFile.skd", "Runway 34.skd"}), scenario.steps[0].args);
    EXPECT_TRUE(scenario.steps[1].args.empty());
}

TEST(ScenarioArguments, WithinGivesATolerance) {
    Scenario scenario = parsed(
        "expect dataref sim/flightmodel/position/latitude 47.5 within 0.001\n"
        "expect cell Altitude Current 3280 within 0.5\n"
        "expect field Latitude \"within\"\n");
    EXPECT_TRUE(scenario.steps[0].hasTolerance);
    EXPECT_DOUBLE_EQ(0.001, scenario.steps[0].tolerance);
    EXPECT_EQ((std::vector<std::string>{"sim/flightmodel/position/latitude", "47.5"}), scenario.steps[0].args);
    EXPECT_EQ((std::vector<std::string>{"Altitude", "Current", "3280"}), scenario.steps[1].args);
    EXPECT_FALSE(scenario.steps[2].hasTolerance);
    EXPECT_EQ("within", scenario.steps[2].args[1]);
}

TEST(ScenarioArguments, TheRestOfTheLineIsTakenAsWritten) {
    Scenario scenario = parsed(
        "menu Quick  Save   File\n"
        "type Latitude \"4\" 7.5\n"
        "expect button Save   SKD enabled\n"
        "expect field Latitude  47.5  within 0.1\n"
        "expect shown \"  padded  \"\n");
    EXPECT_EQ("Quick  Save   File", scenario.steps[0].args[0]);
    EXPECT_EQ("\"4\" 7.5", scenario.steps[1].args[1]) << "quotes inside a longer rest are kept";
    EXPECT_EQ("Save   SKD", scenario.steps[2].args[0]);
    EXPECT_EQ("47.5", scenario.steps[3].args[1]) << "within and its tolerance are not part of the rest";
    EXPECT_EQ("  padded  ", scenario.steps[4].args[0]) << "a lone quoted rest loses only its quotes";
}

TEST(ScenarioKeys, KeyAndModifierNamesAreTheSettingsFilesOnes) {
    Scenario scenario = parsed("key F5\nkey NUMPAD0 Shift+Control\nkey P Alt + Control\n");
    EXPECT_EQ(3u, scenario.steps.size());
    ScenarioError error = failure("wait 1\nkey F55 Shift\n");
    EXPECT_EQ(2, error.line);
    EXPECT_NE(std::string::npos, error.message.find("unknown key name \"F55\"")) << error.message;
    EXPECT_EQ(1, failure("key f5\n").line) << "names are case-sensitive, as in the settings file";
}

// A key is tapped, or held for some seconds; Down and Up are the keyboard's to send.
TEST(ScenarioKeys, AKeyIsTappedOrHeldAndDownAndUpAreNoModifiersToHold) {
    Scenario scenario = parsed("key F5\nkey F5 Shift + Control hold 2\nkey F9 hold 0.5\n");
    EXPECT_FALSE(scenario.steps[0].held);
    EXPECT_EQ((std::vector<std::string>{"F5", "Shift + Control"}), scenario.steps[1].args);
    EXPECT_TRUE(scenario.steps[1].held);
    EXPECT_EQ(2.0, scenario.steps[1].holdSeconds);
    EXPECT_EQ(std::vector<std::string>{"F9"}, scenario.steps[2].args);
    EXPECT_EQ(0.5, scenario.steps[2].holdSeconds);
    EXPECT_EQ(1, failure("key F5 hold 5000\n").line);
    EXPECT_EQ(1, failure("key F5 Shift hold x\n").line);
    EXPECT_NE(std::string::npos, failure("key P Alt + Up\n").message.find("the keyboard sends them"));
    EXPECT_EQ(1, failure("key F5 Down\n").line);
}

TEST(ScenarioKeys, AMisspeltModifierIsNotDroppedSilently) {
    ScenarioError error = failure("key F5 Shift+Contrl\n");
    EXPECT_EQ(1, error.line);
    EXPECT_NE(std::string::npos, error.message.find("unknown modifier name \"Contrl\"")) << error.message;
    EXPECT_NE(std::string::npos, error.message.find("Control")) << "the message lists the names: " << error.message;
    EXPECT_EQ(1, failure("key F5 Contrl\n").line) << "alone too";
    EXPECT_EQ(1, failure("key F5 Shift Ctrl Alt\n").line) << "in the middle too";
}

TEST(ScenarioCommands, ACommandRunsOnceOrIsHeldForSomeSeconds) {
    Scenario scenario = parsed("command skyplacer/position\ncommand skyplacer/get_data hold 1.5\n");
    EXPECT_EQ(std::vector<std::string>{"skyplacer/position"}, scenario.steps[0].args);
    EXPECT_EQ((std::vector<std::string>{"skyplacer/get_data", "hold", "1.5"}), scenario.steps[1].args);
    EXPECT_EQ(1, failure("command skyplacer/position 2\n").line);
    EXPECT_EQ(1, failure("command skyplacer/position hold\n").line);
    EXPECT_EQ(1, failure("command skyplacer/position hold 5000\n").line);
    EXPECT_EQ(1, failure("command skyplacer/position hold 1 more\n").line);
}

TEST(ScenarioNumbers, OnlyFiniteNumbersAndSaneWaits) {
    for (const char* bad : {"wait inf\n", "wait nan\n", "wait 1e9\n", "expect dataref sim/x inf\n",
                            "expect dataref sim/x 47.5 within nan\n", "expect dataref sim/x 1.5x\n"}) {
        EXPECT_EQ(1, failure(bad).line) << bad;
    }
    ScenarioError error = failure("wait 3600.5\n");
    EXPECT_NE(std::string::npos, error.message.find("3600")) << error.message;
    EXPECT_EQ(1u, parsed("wait 3600\n").steps.size());
}

TEST(ScenarioNumbers, WithinNeedsANumberToCompareWith) {
    ScenarioError error = failure("expect field Latitude 47.5xyz within 0.1\n");
    EXPECT_EQ(1, error.line);
    EXPECT_NE(std::string::npos, error.message.find("\"47.5xyz\" is none")) << error.message;
    EXPECT_EQ(1, failure("expect cell Latitude Stored abc within 1\n").line);
    EXPECT_EQ(1u, parsed("expect field Latitude 47.5xyz\n").steps.size()) << "an exact text may be anything";
}

TEST(ScenarioNames, FilesAndPicturesStayInTheirFolder) {
    for (const char* bad : {"write ../SkyPlacer.ini <<END\nx\nEND\n", "write sub\\\\Home.skd <<END\nx\nEND\n",
                            "picture ..\n", "picture /tmp/panel\n", "expect file ../x.skd missing\n"}) {
        EXPECT_EQ(1, failure(bad).line) << bad;
    }
    Scenario scenario = parsed("picture panel..1\nwrite Home.skd <<END\nEND\n");
    EXPECT_EQ("panel..1", scenario.steps[0].args[0]) << "dots inside a name are harmless";
}

TEST(ScenarioBodies, ABodyRunsToItsClosingWordAndTheNextStepKeepsItsLine) {
    Scenario scenario = parsed("write Home.skd <<END\n[CONFIG]\r\n  Use_AutoPilot_Data = 1\n\nEND\nmenu Get Data\n");
    ASSERT_EQ(2u, scenario.steps.size());
    EXPECT_TRUE(scenario.steps[0].hasBody);
    EXPECT_EQ("[CONFIG]\n  Use_AutoPilot_Data = 1\n\n", scenario.steps[0].body);
    EXPECT_EQ(6, scenario.steps[1].line);
}

TEST(ScenarioBodies, ABodyLineThatLooksLikeAStepIsText) {
    Scenario scenario = parsed("expect file QuickFile.skd <<EOF\nmenu Get Data\n# not a comment\nEOF\n");
    ASSERT_EQ(1u, scenario.steps.size());
    EXPECT_EQ("menu Get Data\n# not a comment\n", scenario.steps[0].body);
}

TEST(ScenarioBodies, ExpectFileHasThreeForms) {
    Scenario scenario = parsed("expect file A.skd contains Latitude = 47.5\nexpect file B.skd missing\n");
    EXPECT_EQ((std::vector<std::string>{"A.skd", "contains", "Latitude = 47.5"}), scenario.steps[0].args);
    EXPECT_EQ((std::vector<std::string>{"B.skd", "missing"}), scenario.steps[1].args);
    EXPECT_EQ(1, failure("expect file A.skd\n").line);
    EXPECT_EQ(1, failure("expect file A.skd contains\n").line);
}

TEST(ScenarioFaults, AnUnknownStepNamesItselfAndItsLine) {
    ScenarioError error = failure("menu Get Data\n\nfly to Paris\n");
    EXPECT_EQ(3, error.line);
    EXPECT_NE(std::string::npos, error.message.find("unknown step \"fly\"")) << error.message;
}

TEST(ScenarioFaults, AnUnknownExpectationIsNamed) {
    ScenarioError error = failure("expect colour red\n");
    EXPECT_EQ(1, error.line);
    EXPECT_NE(std::string::npos, error.message.find("unknown expectation \"colour\"")) << error.message;
    EXPECT_EQ(1, failure("expect\n").line);
}

TEST(ScenarioFaults, WrongArgumentCountsAndValuesAreCaught) {
    EXPECT_EQ(1, failure("type Latitude\n").line);
    EXPECT_EQ(1, failure("start now\n").line);
    EXPECT_EQ(1, failure("wait soon\n").line);
    EXPECT_EQ(1, failure("wait -1\n").line);
    EXPECT_EQ(1, failure("expect dataref sim/x abc\n").line);
    EXPECT_EQ(1, failure("expect button OK grey\n").line);
    EXPECT_EQ(1, failure("expect paused maybe\n").line);
    EXPECT_EQ(1, failure("expect field Latitude 47 within -1\n").line);
    EXPECT_EQ(2, failure("wait 1\nmenu \"Get Data\n").line);
}

TEST(ScenarioFaults, BodiesMustBeWhereTheyBelongAndBeClosed) {
    EXPECT_EQ(1, failure("write Home.skd\n").line);
    EXPECT_EQ(1, failure("menu Get Data <<END\nx\nEND\n").line);
    ScenarioError error = failure("wait 1\nwrite Home.skd <<END\nLatitude = 1\n");
    EXPECT_EQ(2, error.line);
    EXPECT_NE(std::string::npos, error.message.find("END")) << error.message;
}

TEST(ScenarioFaults, AMessageCarriesFileAndLine) {
    EXPECT_EQ("demo.scn:7: no such thing", player::locate("demo.scn", 7, "no such thing"));
    Scenario scenario;
    ScenarioError error;
    EXPECT_FALSE(player::loadScenario("/nonexistent/x.scn", scenario, error));
    EXPECT_EQ(0, error.line);
}

}  // namespace
