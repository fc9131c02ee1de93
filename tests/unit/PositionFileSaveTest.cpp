// Saving never destroys the file it replaces: a folder that does not exist and
// a write that fails part-way both leave the old file, remove the temporary
// file and show the error message. No writer thread runs here, so each save is
// written, and its failure shown, as it is handed over.
#include "AppFixture.h"
#include "FileSizeLimit.h"
#include "position/PositionFileWriting.h"
#include "position/RecordText.h"
#include "position/SafeFileWriter.h"

namespace {

constexpr int kMainWindow = 1;
constexpr int kCaption = 6;

class PositionFileSaveTest : public AppFixture {
protected:
    void expectErrorShown() {
        EXPECT_NE(0, shown("SkyPlacer Plugin Error", kMainWindow));
        EXPECT_NE(0, shown("Unable to Create Position File.", kCaption));
        EXPECT_NE(0, shown("Check that SkyPlacer directory exists", kCaption));
        EXPECT_NE(nullptr, app_->messageWindow);
    }
};

TEST_F(PositionFileSaveTest, MissingFolderShowsTheError) {
    std::string target = path("no-such-folder/a.skd");
    app_->writePositionFile(target.c_str());
    expectErrorShown();
    EXPECT_FALSE(fileExists(target));
    EXPECT_EQ("", logText());
}

TEST_F(PositionFileSaveTest, WriteFailingPartWayKeepsTheOldFile) {
    const std::string old = "[POSITION_DATA]\nGear = 1\n";
    writeFile(path("keep.skd"), old);
    app_->storedRecord.Latitude = 1.5;
    {
        FileSizeLimit limit(100);
        app_->writePositionFile(path("keep.skd").c_str());
    }
    EXPECT_EQ(old, readFile(path("keep.skd")));
    EXPECT_FALSE(fileExists(path(kTemporaryFileName)));
    expectErrorShown();
}

// A last save larger than the disk has room for: the new one is written, and
// no part of the old one takes the previous one's place.
TEST_F(PositionFileSaveTest, ALastSaveThatCannotBeCopiedWholeIsNotKept) {
    const std::string last(4096, 'L'), previous = "[POSITION_DATA]\nGear = 1\n";
    writeFile(path("last.skd"), last);
    writeFile(path("previous.skd"), previous);
    OldFile old = OldFile::Kept;
    {
        FileSizeLimit limit(2048);
        const char* tooLarge = nullptr;
        EXPECT_TRUE(
            writeRecordFile(path("last.skd").c_str(), app_->storedRecord, path("previous.skd").c_str(), old, tooLarge));
    }
    EXPECT_EQ(OldFile::NotKept, old);
    EXPECT_EQ(previous, readFile(path("previous.skd")));
    EXPECT_NE(std::string::npos, readFile(path("last.skd")).find("\nLatitude = 0.000000\n"));
    EXPECT_FALSE(fileExists(path(kKeptCopyFileName)));
}

TEST_F(PositionFileSaveTest, TargetThatCannotBeReplacedKeepsItsContents) {
    // A folder in the target's place: the temporary file is written but cannot be renamed over it.
    std::filesystem::create_directories(path("folder.skd/inside"));
    app_->lookUpDataRefs();
    sim().setDouble("sim/flightmodel/position/latitude", 12.5);
    app_->captureBeforeSave = 1;
    app_->writePositionFile(path("folder.skd").c_str());
    EXPECT_TRUE(fileExists(path("folder.skd/inside")));
    EXPECT_FALSE(fileExists(path(kTemporaryFileName)));
    expectErrorShown();
    // The capture ran before the save was handed over; nothing else happened.
    EXPECT_DOUBLE_EQ(12.5, app_->storedRecord.Latitude);
    EXPECT_EQ("", logText());
}

TEST_F(PositionFileSaveTest, NumberTooLongForALineFailsTheSaveNamingItsField) {
    const std::string old = "[POSITION_DATA]\nGear = 1\n";
    writeFile(path("keep.skd"), old);
    app_->storedRecord.Latitude = 1e240;
    app_->writePositionFile(path("keep.skd").c_str());
    EXPECT_EQ(old, readFile(path("keep.skd")));
    EXPECT_FALSE(fileExists(path(kTemporaryFileName)));
    expectErrorShown();
    EXPECT_EQ("SkyPlacer - Latitude is too large to be saved\n", logText());

    clearLog();
    app_->storedRecord.Latitude = 0;
    app_->storedRecord.Altitude = -1.7976931348623157e308;
    app_->writePositionFile(path("keep.skd").c_str());
    EXPECT_EQ(old, readFile(path("keep.skd")));
    EXPECT_EQ("SkyPlacer - Altitude is too large to be saved\n", logText());
}

// The writer gathers a file in a buffer of its own; numbers as long as a line
// holds make a file larger than that buffer, and it must come out whole.
TEST_F(PositionFileSaveTest, AFileLargerThanTheWritersBufferComesOutWhole) {
    PositionRecord& record = app_->storedRecord;
    record.Latitude = record.Longitude = record.Altitude = -1e200;
    record.Heading = record.Pitch = record.Roll = record.Speed = -3e38f;
    ASSERT_TRUE(app_->writePositionFile(path("large.skd").c_str()));
    const std::string written = readFile(path("large.skd"));
    ASSERT_GT(written.size(), 1024u);
    for (const RecordField& field : kRecordFields) {
        EXPECT_EQ(1, occurrences(written, "\n" + std::string(field.key) + " = ")) << field.key;
    }

    record = PositionRecord{};
    ASSERT_EQ(ReadResult::Success, app_->parsePositionFile(path("large.skd").c_str()));
    ASSERT_TRUE(app_->writePositionFile(path("again.skd").c_str()));
    EXPECT_EQ(written, readFile(path("again.skd")));
}

TEST_F(PositionFileSaveTest, UncommittedWriterRemovesItsTemporaryFile) {
    writeFile(path("b.skd"), "old");
    {
        SafeFileWriter writer;
        ASSERT_TRUE(writer.open(path("b.skd").c_str()));
        writer.write("new");
        EXPECT_TRUE(fileExists(path(kTemporaryFileName)));
    }
    EXPECT_FALSE(fileExists(path(kTemporaryFileName)));
    EXPECT_EQ("old", readFile(path("b.skd")));
}

TEST_F(PositionFileSaveTest, PathWithNoRoomForTheTemporaryNameIsRefused) {
    std::string longPath = std::string(kPathSize - 10, 'd') + "/a.skd";
    SafeFileWriter writer;
    EXPECT_FALSE(writer.open(longPath.c_str()));
    EXPECT_FALSE(writer.commit());
    EXPECT_FALSE(writer.open(std::string(kWriterPathSize, 'd').c_str()));  // not even the target fits
}

TEST_F(PositionFileSaveTest, NameOfTheLongestLengthTheFileSystemTakesIsSaved) {
    std::string name = std::string(251, 'm') + ".skd";
    app_->storedRecord.Gear = 3;
    app_->writePositionFile(path(name).c_str());
    EXPECT_EQ(0, shown("SkyPlacer Plugin Error"));
    EXPECT_NE(std::string::npos, readFile(path(name)).find("\nGear = 3\n"));
    EXPECT_FALSE(fileExists(path(kTemporaryFileName)));
}

TEST_F(PositionFileSaveTest, QuickSaveShowsTheErrorWhenTheFileCannotBeCreated) {
    std::filesystem::remove_all(folder_);
    app_->quickSave(0);
    expectErrorShown();
}

TEST_F(PositionFileSaveTest, QuickSaveWritesTheQuickFileOrShowsTheError) {
    app_->storedRecord.Gear = 2;
    EXPECT_EQ(1, app_->quickSave(0));
    EXPECT_EQ(0, shown("SkyPlacer Plugin Error"));
    EXPECT_NE(std::string::npos, readFile(path("QuickFile.skd")).find("\nGear = 2\n"));
    EXPECT_EQ(1, app_->quickLoad());

    // A write that fails part-way is no save, though the temporary file could be created.
    FileSizeLimit limit(100);
    app_->quickSave(0);
    expectErrorShown();
}

TEST_F(PositionFileSaveTest, UnknownFolderNeverFallsBackToTheCurrentFolder) {
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    app_->dataFolder[0] = '\0';
    EXPECT_EQ(0, app_->quickSave(0));
    expectErrorShown();
    EXPECT_FALSE(fileExists(path("QuickFile.skd")));
    writeFile(path("QuickFile.skd"), "[POSITION_DATA]\nGear = 3\n");
    EXPECT_EQ(0, app_->quickLoad());
    EXPECT_EQ(0, app_->storedRecord.Gear);
    EXPECT_NE(0, shown("SkyPlacer Plugin Warning"));
    EXPECT_EQ("SkyPlacer - the path of QuickFile.skd is unknown or too long\n", logText());
    std::filesystem::current_path(previous);
}

}  // namespace
