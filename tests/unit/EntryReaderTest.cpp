// The line-and-entry reader: how a line becomes a section header, a key entry
// or nothing, the table's limits, and applying the entries section by section.
// The rules both files share are run against both in FileFormTest.cpp.
#include <cstring>
#include <vector>

#include "AppFixture.h"
#include "text/EntryReader.h"

namespace {

TEST(StripBlanksTest, RemovesSpacesOnlyAndClearsTheWholeBuffer) {
    char out[kEntryTextSize];
    std::memset(out, 'z', sizeof out);
    stripBlanks(" 4 7.5\t x ", out);
    EXPECT_STREQ("47.5\tx", out);
    for (int i = 6; i < kEntryTextSize; ++i) ASSERT_EQ('\0', out[i]) << i;
}

class EntryTableTest : public AppFixture {
protected:
    ReadOutcome build(const std::string& contents, const char* keepBlanksKey = nullptr) {
        writeFile(path("entries.txt"), contents);
        return buildEntryTable(path("entries.txt").c_str(), table(), keepBlanksKey);
    }
    EntryTable& table() { return app_->positionEntries; }
    const TextEntry& entry(int index) { return table().entries[index]; }
};

TEST_F(EntryTableTest, KeyLinesBecomeEntriesOfTheCurrentSection) {
    ASSERT_EQ(ReadResult::Success,
              build("[ POSITION DATA ]\nLatitude = 4 7.5\n\n[CONFIG]\nUse_AutoPilot_Data = 1\n").result);
    EXPECT_STREQ("POSITIONDATA", entry(0).sectionName);
    EXPECT_STREQ("Latitude", entry(0).keyName);
    EXPECT_STREQ("47.5", entry(0).valueText);
    EXPECT_STREQ("CONFIG", entry(1).sectionName);
    EXPECT_STREQ("1", entry(1).valueText);
    EXPECT_STREQ("", entry(2).sectionName);
}

TEST_F(EntryTableTest, TheCharacterBeforeTheLastEqualsSignIsAlwaysDropped) {
    ASSERT_EQ(ReadResult::Success, build("[S]\nLatitude=47.5\na=b=c\n=1\nk=2\n").result);
    EXPECT_STREQ("Latitud", entry(0).keyName);
    EXPECT_STREQ("a=", entry(1).keyName);
    EXPECT_STREQ("c", entry(1).valueText);
    EXPECT_STREQ("", entry(2).keyName);
    EXPECT_STREQ("", entry(3).keyName);
    EXPECT_STREQ("2", entry(3).valueText);
}

TEST_F(EntryTableTest, CommentsAnywhereSkipTheWholeLine) {
    ASSERT_EQ(ReadResult::Success, build("[S]\nGear = 1 ; down\n;[T]\nFlaps = 0.5\n").result);
    EXPECT_STREQ("Flaps", entry(0).keyName);
    EXPECT_STREQ("S", entry(0).sectionName);
    EXPECT_STREQ("", entry(1).sectionName);
}

TEST_F(EntryTableTest, LineWithBracketAndEqualsIsAHeaderUpToTheLastBracket) {
    ASSERT_EQ(ReadResult::Success, build("xA]B] = 3\nk = v\n").result);
    EXPECT_STREQ("A]B", entry(0).sectionName);
    ASSERT_EQ(ReadResult::Success, build("[]\nk = v\n").result);
    EXPECT_STREQ("", entry(0).sectionName);
    ASSERT_EQ(ReadResult::Success, build("]\nk = v\n").result);
    EXPECT_STREQ("", entry(0).sectionName);
}

TEST_F(EntryTableTest, LineEndsOfEveryKindAreRemoved) {
    ASSERT_EQ(ReadResult::Success, build("[S]\r\na = 1\rb = 2\n\rc = 3\nd = 4").result);
    const char* values[] = {"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ("S", entry(i).sectionName);
        EXPECT_STREQ(values[i], entry(i).valueText) << i;
    }
}

TEST_F(EntryTableTest, TheKeepBlanksKeyLosesOnlyLeadingBlanks) {
    ASSERT_EQ(ReadResult::Success, build("[C]\nName =   Runway 34.skd  \nOther = a b\n", "Name").result);
    EXPECT_STREQ("Runway 34.skd  ", entry(0).valueText);
    EXPECT_STREQ("ab", entry(1).valueText);
}

TEST_F(EntryTableTest, MissingFileLeavesTheTableUntouched) {
    std::strcpy(table().entries[0].sectionName, "kept");
    EXPECT_EQ(ReadResult::NotOpened, buildEntryTable(path("absent.txt").c_str(), table(), nullptr).result);
    EXPECT_STREQ("kept", entry(0).sectionName);
}

TEST_F(EntryTableTest, AFolderIsNotAFile) {
    std::strcpy(table().entries[0].sectionName, "kept");
    EXPECT_EQ(ReadResult::NotOpened, buildEntryTable(folder_.c_str(), table(), nullptr).result);
    EXPECT_STREQ("kept", entry(0).sectionName);
}

TEST_F(EntryTableTest, AReadClearsWhatAnEarlierReadLeft) {
    ASSERT_EQ(ReadResult::Success, build("[S]\na = 1\nb = 2\n").result);
    ASSERT_EQ(ReadResult::Success, build("[S]\na = 1\n").result);
    EXPECT_STREQ("", entry(1).sectionName);
    EXPECT_STREQ("", entry(1).keyName);
}

TEST_F(EntryTableTest, KeyLineBeforeAnyHeaderIsReported) {
    ReadOutcome result = build("Latitude = 1\n[POSITION_DATA]\n");
    EXPECT_EQ(ReadResult::InvalidSection, result.result);
    EXPECT_STREQ("Latitude", result.failed.keyName);
    EXPECT_STREQ("", entry(0).keyName);
}

TEST_F(EntryTableTest, LineOf255CharactersFitsWhateverFollowsIt) {
    std::string value(255 - 4, '7');
    ASSERT_EQ(ReadResult::Success, build("[S]\nk = " + value + "\r\nx = 1\n").result);
    EXPECT_EQ(value, entry(0).valueText);
    EXPECT_STREQ("x", entry(1).keyName);
    ASSERT_EQ(ReadResult::Success, build("[S]\nk = " + value).result);
    EXPECT_EQ(value, entry(0).valueText);
    // One shorter, its line end fills the piece.
    value.pop_back();
    ASSERT_EQ(ReadResult::Success, build("[S]\nk = " + value + "\nx = 1\n").result);
    EXPECT_STREQ("x", entry(1).keyName);
}

TEST_F(EntryTableTest, LongerLineFails) {
    ReadOutcome result = build("[S]\nk = " + std::string(300, '1') + "\nx = 1\n");
    EXPECT_EQ(ReadResult::LineTooLong, result.result);
    EXPECT_EQ("k = " + std::string(251, '1'), result.failed.keyName);
    EXPECT_STREQ("", entry(0).sectionName);
}

TEST_F(EntryTableTest, LongCommentIsSkippedWholeWhateverItHolds) {
    // The parts after the first piece hold "]" and "=": none of them may become a header or an entry.
    std::string comment = ";" + std::string(300, 'c') + "[T] = 1" + std::string(300, 'c') + "k = 2";
    ASSERT_EQ(ReadResult::Success, build("[S]\n" + comment + "\r\na = 1\n" + comment).result);
    EXPECT_STREQ("S", entry(0).sectionName);
    EXPECT_STREQ("a", entry(0).keyName);
    EXPECT_STREQ("", entry(1).sectionName);
}

TEST_F(EntryTableTest, CommentEndingAtAPieceBoundaryStillEndsAtItsLineEnd) {
    std::string comment = ";" + std::string(2 * (kLineSize - 1) - 1, 'c');
    for (const char* end : {"\n", "\r\n", "\n\r", "\r"}) {
        ASSERT_EQ(ReadResult::Success, build("[S]\n" + comment + end + "a = 1\n").result) << end;
        EXPECT_STREQ("a", entry(0).keyName) << end;
        EXPECT_STREQ("", entry(1).sectionName) << end;
    }
}

TEST_F(EntryTableTest, SemicolonAfterTheFirstPieceDoesNotMakeAComment) {
    ReadOutcome result = build("[S]\nk = " + std::string(300, '1') + " ; note\n");
    EXPECT_EQ(ReadResult::LineTooLong, result.result);
}

TEST_F(EntryTableTest, NulByteDoesNotHideALongLine) {
    std::string line = "k = 1";
    line += '\0';
    line += std::string(300, 'x');
    ReadOutcome result = build("[S]\n" + line + "\n");
    EXPECT_EQ(ReadResult::LineTooLong, result.result);
    EXPECT_STREQ("k = 1", result.failed.keyName);
}

TEST_F(EntryTableTest, EntriesBeforeATableFailureStayInTheTable) {
    ASSERT_EQ(ReadResult::LineTooLong, build("[S]\na = 1\nk = " + std::string(300, '1') + "\nb = 2\n").result);
    EXPECT_STREQ("a", entry(0).keyName);
    EXPECT_STREQ("", entry(1).sectionName);
}

TEST_F(EntryTableTest, KeyLineAfterAnEmptyHeaderIsNotOutsideASection) {
    EXPECT_EQ(ReadResult::Success, build("[]\nLatitude = 1\n").result);
}

std::string keyLines(int count) {
    std::string text = "[S]\n";
    for (int i = 0; i < count; ++i) text += "k" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    return text;
}

TEST_F(EntryTableTest, ATableFullToTheLastEntryIsBuilt) {
    ASSERT_EQ(ReadResult::Success, build(keyLines(kEntryCount)).result);
    EXPECT_STREQ("k1023", entry(kEntryCount - 1).keyName);
}

TEST_F(EntryTableTest, OneKeyLineMoreThanTheTableHoldsFails) {
    EXPECT_EQ(ReadResult::TooManyEntries, build(keyLines(kEntryCount + 1)).result);
    EXPECT_STREQ("k1023", entry(kEntryCount - 1).keyName);
}

// Applying, with sections that record what they were given.
struct RecordingSection {
    const char* name;
    ReadResult unknownKey;
    int number;
};

const RecordingSection kSections[] = {{"A", ReadResult{7}, 0}, {"B", ReadResult{8}, 1}};

class WalkTest : public EntryTableTest {
protected:
    ReadResult walk(const std::string& contents) {
        EXPECT_EQ(ReadResult::Success, build(contents).result);
        ReadOutcome outcome =
            applyEntries(table(), kSections, [this](const RecordingSection& section, const TextEntry& entry) {
                if (std::strcmp(entry.keyName, "bad") == 0) return false;
                keys_.push_back(std::to_string(section.number) + ":" + entry.keyName);
                return true;
            });
        failed_ = outcome.failed;
        return outcome.result;
    }
    std::vector<std::string> keys_;
    TextEntry failed_ = {};
};

TEST_F(WalkTest, SectionsInAnyOrderAndRepeatedAreAllApplied) {
    EXPECT_EQ(ReadResult::Success, walk("[B]\nx = 1\n[A]\ny = 2\nz = 3\n[B]\nw = 4\n"));
    EXPECT_EQ((std::vector<std::string>{"1:x", "0:y", "0:z", "1:w"}), keys_);
}

TEST_F(WalkTest, AnEmptyHeaderEndsTheWalk) {
    EXPECT_EQ(ReadResult::Success, walk("[A]\nx = 1\n[  ]\ny = 2\n[B]\nbad = 3\n"));
    EXPECT_EQ((std::vector<std::string>{"0:x"}), keys_);
}

TEST_F(WalkTest, UnknownKeyStopsWithTheSectionsCode) {
    EXPECT_EQ(ReadResult{8}, walk("[A]\nx = 1\n[B]\nbad = 2\ny = 3\n"));
    EXPECT_STREQ("bad", failed_.keyName);
    EXPECT_EQ((std::vector<std::string>{"0:x"}), keys_);
}

TEST_F(WalkTest, UnknownOrDifferentlyCasedSectionStopsWithCodeOne) {
    EXPECT_EQ(ReadResult::InvalidSection, walk("[A]\nx = 1\n[a]\ny = 2\n"));
    EXPECT_STREQ("a", failed_.sectionName);
}

TEST_F(WalkTest, AFullTableIsWalkedToItsLastEntryAndNoFurther) {
    std::string text = keyLines(kEntryCount);
    text[1] = 'A';
    EXPECT_EQ(ReadResult::Success, walk(text));
    EXPECT_EQ(static_cast<size_t>(kEntryCount), keys_.size());
}

TEST_F(WalkTest, EmptyFileAppliesNothing) {
    EXPECT_EQ(ReadResult::Success, walk(""));
    EXPECT_TRUE(keys_.empty());
}

}  // namespace
