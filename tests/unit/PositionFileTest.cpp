// Position files: the 23 lines written, reading them back, the reader's edge
// cases with their log lines, and a failed read leaving storedRecord alone.
#include <cstring>

#include "AppFixture.h"
#include "position/SafeFileWriter.h"
#include "text/EntryReader.h"

namespace {

const char* const kExampleFile =
    "[CONFIG]\n"
    "Use_AutoPilot_Data = 0\n"
    "\n"
    "[POSITION_DATA]\n"
    "Latitude = 47.449000\n"
    "Longitude = -122.309000\n"
    "Altitude = 433.000000\n"
    "Heading = 163.500000\n"
    "Pitch = 2.250000\n"
    "Roll = -0.500000\n"
    "Speed = 150.000000\n"
    "Throttle = 0.750000\n"
    "Flaps = 0.000000\n"
    "Gear = 1\n"
    "\n"
    "[AUTOPILOT_DATA]\n"
    "AutoPilot_Mode = 2\n"
    "AutoPilot_Altitude = 3000.000000\n"
    "AutoPilot_Vertical_Velocity = 0.000000\n"
    "AutoPilot_Heading = 163.000000\n"
    "AutoPilot_Airspeed = 150.000000\n"
    "AutoPilot_State = 0\n"
    "AutoPilot_Heading_Roll_Mode = 0\n";

PositionRecord exampleRecord() {
    PositionRecord r = {};
    r.Latitude = 47.449;
    r.Longitude = -122.309;
    r.Altitude = 433;
    r.Heading = 163.5f;
    r.Pitch = 2.25f;
    r.Roll = -0.5f;
    r.Speed = 150;
    r.Throttle = 0.75f;
    r.Gear = 1;
    r.AutoPilot_Mode = 2;
    r.AutoPilot_Altitude = 3000;
    r.AutoPilot_Heading = 163;
    r.AutoPilot_Airspeed = 150;
    return r;
}

// A record with a distinct value in every field, to see what a read changed.
PositionRecord markedRecord() {
    PositionRecord r = {};
    r.Use_AutoPilot_Data = 7;
    r.Latitude = 11.5;
    r.Longitude = 12.5;
    r.Altitude = 13.5;
    r.Heading = 14.5f;
    r.Pitch = 15.5f;
    r.Roll = 16.5f;
    r.Speed = 17.5f;
    r.Throttle = 18.5f;
    r.Flaps = 19.5f;
    r.Gear = 20;
    r.AutoPilot_Mode = 21;
    r.AutoPilot_Altitude = 22.5f;
    r.AutoPilot_Vertical_Velocity = 23.5f;
    r.AutoPilot_Heading = 24.5f;
    r.AutoPilot_Airspeed = 25.5f;
    r.AutoPilot_State = 26;
    r.AutoPilot_Heading_Roll_Mode = 27;
    return r;
}

bool sameRecord(const PositionRecord& a, const PositionRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const char* const kParsing = "SkyPlacer - parsing skd file\n";
const char* const kSuccess = "SkyPlacer - skd file parsing successful\n";

class PositionFileTest : public AppFixture {
protected:
    // Loads `contents` as a position file over the marked record.
    int load(const std::string& contents) {
        app_->storedRecord = markedRecord();
        writeFile(path("test.skd"), contents);
        return app_->loadPositionFile(path("test.skd").c_str());
    }
    // Expects a failed load that logged `lines` and left the record unchanged.
    void expectRejected(const std::string& contents, const std::string& lines) {
        clearLog();
        EXPECT_EQ(0, load(contents));
        EXPECT_EQ(kParsing + lines, logText());
        EXPECT_TRUE(sameRecord(markedRecord(), app_->storedRecord));
    }
    PositionRecord& stored() { return app_->storedRecord; }
};

TEST_F(PositionFileTest, ExampleRecordIsWrittenAsTheExampleFile) {
    app_->storedRecord = exampleRecord();
    app_->writePositionFile(path("example.skd").c_str());
    EXPECT_EQ(kExampleFile, readFile(path("example.skd")));
    EXPECT_EQ("", logText());
}

TEST_F(PositionFileTest, ExampleFileReadsBackFieldForField) {
    ASSERT_EQ(1, load(kExampleFile));
    EXPECT_TRUE(sameRecord(exampleRecord(), stored()));
    EXPECT_EQ(std::string(kParsing) + kSuccess, logText());
}

TEST_F(PositionFileTest, RoundTripKeepsSixDecimals) {
    PositionRecord written = markedRecord();
    written.Latitude = 47.4490004;
    written.Longitude = -122.123456789;
    written.Gear = -3;
    written.AutoPilot_State = 2147483647;
    stored() = written;
    app_->writePositionFile(path("round.skd").c_str());
    stored() = {};
    ASSERT_EQ(1, app_->loadPositionFile(path("round.skd").c_str()));
    EXPECT_DOUBLE_EQ(47.449, stored().Latitude);
    EXPECT_DOUBLE_EQ(-122.123457, stored().Longitude);
    EXPECT_EQ(-3, stored().Gear);
    EXPECT_EQ(2147483647, stored().AutoPilot_State);
    EXPECT_EQ(7, stored().Use_AutoPilot_Data);
    EXPECT_FLOAT_EQ(24.5f, stored().AutoPilot_Heading);
}

// "Latitude = " and six decimals leave 237 integer digits for a 255-character line.
TEST_F(PositionFileTest, LongestLineTheReaderTakesIsSavedAndReadBack) {
    stored() = markedRecord();
    stored().Latitude = 5e236;
    stored().Longitude = -5e234;
    char line[400];
    ASSERT_EQ(255, std::snprintf(line, sizeof line, "Latitude = %f", 5e236));
    ASSERT_EQ(255, std::snprintf(line, sizeof line, "Longitude = %f", -5e234));
    app_->writePositionFile(path("huge.skd").c_str());
    EXPECT_NE(std::string::npos, readFile(path("huge.skd")).find(std::string("\n") + line + "\n"));
    PositionRecord written = stored();
    stored() = {};
    ASSERT_EQ(1, app_->loadPositionFile(path("huge.skd").c_str()));
    EXPECT_TRUE(sameRecord(written, stored()));
}

TEST_F(PositionFileTest, WhatTheWriterRefusesIsNothingTheReaderWouldTake) {
    // One more digit than the longest line: the save fails, so no file exists that cannot be loaded.
    char line[400];
    ASSERT_EQ(256, std::snprintf(line, sizeof line, "Latitude = %f", 5e237));
    stored() = markedRecord();
    stored().Latitude = 5e237;
    app_->writePositionFile(path("huge.skd").c_str());
    EXPECT_FALSE(fileExists(path("huge.skd")));
    EXPECT_EQ("SkyPlacer - Latitude is too large to be saved\n", logText());
}

TEST_F(PositionFileTest, FailuresAreReportedInFileOrder) {
    // An unknown key before a long line is the failure the log names.
    expectRejected("[POSITION_DATA]\nGear = 1\nGears = 2\nLatitude = " + std::string(300, '1') + "\n",
                   "Gears is an invalid field\nParse Error in Position data\n");
}

TEST_F(PositionFileTest, SavingReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    writeFile(path("old.skd"), std::string(5000, 'x'));
    stored() = exampleRecord();
    app_->writePositionFile(path("old.skd").c_str());
    EXPECT_EQ(kExampleFile, readFile(path("old.skd")));
    EXPECT_FALSE(fileExists(path(kTemporaryFileName)));
}

TEST_F(PositionFileTest, BlanksInsideValuesAndHeadersVanish) {
    ASSERT_EQ(1, load("[ POSITION_DATA ]\nLatitude = 4 7.5\n"));
    EXPECT_DOUBLE_EQ(47.5, stored().Latitude);
    PositionRecord expected = markedRecord();
    expected.Latitude = 47.5;
    EXPECT_TRUE(sameRecord(expected, stored()));
}

TEST_F(PositionFileTest, BlanksInsideKeyNamesVanish) {
    ASSERT_EQ(1, load("[POSITION_DATA]\nLati tude = 3\n[AUTOPILOT_DATA]\n Auto Pilot_Mode  = 4\n"));
    PositionRecord expected = markedRecord();
    expected.Latitude = 3.0;
    expected.AutoPilot_Mode = 4;
    EXPECT_TRUE(sameRecord(expected, stored()));
}

TEST_F(PositionFileTest, CommentedLineLeavesItsFieldUnchanged) {
    ASSERT_EQ(1, load("[POSITION_DATA]\nGear = 0 ; gear up\nFlaps = 1\n"));
    EXPECT_EQ(20, stored().Gear);
    EXPECT_FLOAT_EQ(1.0f, stored().Flaps);
}

TEST_F(PositionFileTest, SectionsInAnyOrderRepeatAndTheLastValueWins) {
    ASSERT_EQ(1, load("[AUTOPILOT_DATA]\nAutoPilot_Mode = 3\n[POSITION_DATA]\nGear = 0\n"
                      "[CONFIG]\nUse_AutoPilot_Data = 1\n[POSITION_DATA]\nGear = 1\nGear = 2\n"));
    EXPECT_EQ(3, stored().AutoPilot_Mode);
    EXPECT_EQ(2, stored().Gear);
    EXPECT_EQ(1, stored().Use_AutoPilot_Data);
}

TEST_F(PositionFileTest, EmptyHeaderEndsTheReadSuccessfully) {
    ASSERT_EQ(1, load("[POSITION_DATA]\nGear = 5\n[ ]\nGear = 6\n[NONSENSE]\nx = 1\n"));
    EXPECT_EQ(5, stored().Gear);
}

// Entries of an earlier, longer file still sit in the table past the end of a
// later read; none of them may be applied again.
TEST_F(PositionFileTest, AShorterFileAppliesNothingAnEarlierLongerFileLeft) {
    ASSERT_EQ(1, load("[POSITION_DATA]\nGear = 1\nFlaps = 0.5\nThrottle = 0.25\n"));
    ASSERT_EQ(1, load("[POSITION_DATA]\nGear = 0\n"));
    EXPECT_EQ(0, stored().Gear);
    EXPECT_EQ(markedRecord().Flaps, stored().Flaps);
    EXPECT_EQ(markedRecord().Throttle, stored().Throttle);
    ASSERT_EQ(1, load(""));
    EXPECT_TRUE(sameRecord(markedRecord(), stored()));
}

TEST_F(PositionFileTest, EmptyOrCommentOnlyFileChangesNothing) {
    ASSERT_EQ(1, load(""));
    EXPECT_TRUE(sameRecord(markedRecord(), stored()));
    ASSERT_EQ(1, load("; nothing\n\n   \n"));
    EXPECT_TRUE(sameRecord(markedRecord(), stored()));
    EXPECT_EQ(std::string(kParsing) + kSuccess + kParsing + kSuccess, logText());
}

TEST_F(PositionFileTest, ValuesConvertByTheirLeadingNumber) {
    ASSERT_EQ(1, load("[POSITION_DATA]\nGear = 1.9\nSpeed = abc\nPitch = 12degrees\nRoll = -1e2\n"));
    EXPECT_EQ(1, stored().Gear);
    EXPECT_FLOAT_EQ(0.0f, stored().Speed);
    EXPECT_FLOAT_EQ(12.0f, stored().Pitch);
    EXPECT_FLOAT_EQ(-100.0f, stored().Roll);
}

TEST_F(PositionFileTest, KeyWithoutBlankBeforeEqualsIsRejected) {
    expectRejected("[POSITION_DATA]\nGear = 1\nLatitude=47.5\n",
                   "Latitud is an invalid field\nParse Error in Position data\n");
}

TEST_F(PositionFileTest, KeysAreCaseSensitive) {
    expectRejected("[POSITION_DATA]\nlatitude = 47.5\n",
                   "latitude is an invalid field\nParse Error in Position data\n");
}

TEST_F(PositionFileTest, UnknownKeysInConfigAndAutopilotAreRejected) {
    expectRejected("[CONFIG]\nUse_AutoPilot_Data = 1\nAutoStart = 1\n",
                   "AutoStart is an invalid field\nParse Error in Config data\n");
    expectRejected("[AUTOPILOT_DATA]\nAutoPilot_Mode = 1\nGear = 1\n",
                   "Gear is an invalid field\nParse Error in AutoPilot data\n");
    // The first key of the next section belongs to that section alone.
    expectRejected("[CONFIG]\nLatitude = 1\n", "Latitude is an invalid field\nParse Error in Config data\n");
    expectRejected("[POSITION_DATA]\nAutoPilot_Mode = 1\n",
                   "AutoPilot_Mode is an invalid field\nParse Error in Position data\n");
}

TEST_F(PositionFileTest, BlankInsideASectionNameMakesAnInvalidSection) {
    expectRejected("[POSITION_DATA]\nGear = 1\n[POSITION DATA]\nGear = 2\n",
                   "POSITIONDATA is an invalid section name\nParse Error in Section Name\n");
}

TEST_F(PositionFileTest, MissingFileFailsWithItsTwoLogLines) {
    stored() = markedRecord();
    EXPECT_EQ(0, app_->loadPositionFile(path("absent.skd").c_str()));
    EXPECT_EQ(std::string(kParsing) + "SkyPlacer - No skd file found\n.", logText());
    EXPECT_TRUE(sameRecord(markedRecord(), stored()));
}

TEST_F(PositionFileTest, ReadDriverAnswersTrueOnlyOnSuccess) {
    writeFile(path("good.skd"), kExampleFile);
    writeFile(path("bad.skd"), "[X]\na = 1\n");
    EXPECT_TRUE(app_->readPositionFile(path("good.skd").c_str()));
    EXPECT_FALSE(app_->readPositionFile(path("bad.skd").c_str()));
    EXPECT_EQ(ReadResult::InvalidSection, app_->parsePositionFile(path("bad.skd").c_str()));
    EXPECT_EQ(ReadResult::NotOpened, app_->parsePositionFile(path("none.skd").c_str()));
    EXPECT_EQ(ReadResult::Success, app_->parsePositionFile(path("good.skd").c_str()));
}

}  // namespace
