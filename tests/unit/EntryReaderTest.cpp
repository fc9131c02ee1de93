// The line-and-entry reader: line ends, pieces of long lines, how a line
// becomes a section header, a key entry or nothing, the table's limits, and
// the walk over section runs.
#include <cstring>
#include <vector>

#include "AppFixture.h"
#include "text/EntryReader.h"

namespace {

// A temporary stream holding `contents`, read from the start.
FILE* streamOf(const std::string& contents) {
    FILE* file = std::tmpfile();
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::rewind(file);
    return file;
}

std::vector<std::string> allLines(const std::string& contents, int size = kLineSize) {
    FILE* file = streamOf(contents);
    std::vector<std::string> lines;
    char buffer[kLineSize];
    while (readLine(buffer, size, file) != nullptr) lines.emplace_back(buffer);
    std::fclose(file);
    return lines;
}

TEST(ReadLineTest, EachOfTheFourLineEndsEndsOneLineAndStaysInIt) {
    std::vector<std::string> expected = {"a\r", "b\n", "c\r", "d\n", "e"};
    EXPECT_EQ(expected, allLines("a\rb\nc\r\nd\n\re"));
}

TEST(ReadLineTest, EmptyLinesBetweenLineEndsAreKept) {
    std::vector<std::string> expected = {"a\n", "\n", "b\r", "\r"};
    EXPECT_EQ(expected, allLines("a\n\nb\r\r"));
    EXPECT_EQ((std::vector<std::string>{"a\r", "\r"}), allLines("a\r\r\n"));
}

TEST(ReadLineTest, AtTheEndOfTheFileReturnsNullAndLeavesTheBuffer) {
    FILE* file = streamOf("x");
    char buffer[kLineSize] = "untouched";
    ASSERT_NE(nullptr, readLine(buffer, kLineSize, file));
    EXPECT_STREQ("x", buffer);
    std::strcpy(buffer, "untouched");
    EXPECT_EQ(nullptr, readLine(buffer, kLineSize, file));
    EXPECT_STREQ("untouched", buffer);
    std::fclose(file);
}

TEST(ReadLineTest, LongLineComesBackInPiecesOf255) {
    std::string line(600, 'k');
    std::vector<std::string> pieces = allLines(line + "\n");
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ(std::string(255, 'k'), pieces[0]);
    EXPECT_EQ(std::string(255, 'k'), pieces[1]);
    EXPECT_EQ(std::string(90, 'k') + "\n", pieces[2]);
}

TEST(StripBlanksTest, RemovesSpacesOnlyAndClearsTheWholeBuffer) {
    char out[kEntryTextSize];
    std::memset(out, 'z', sizeof out);
    stripBlanks(" 4 7.5\t x ", out);
    EXPECT_STREQ("47.5\tx", out);
    for (int i = 6; i < kEntryTextSize; ++i) ASSERT_EQ('\0', out[i]) << i;
}

class EntryTableTest : public AppFixture {
protected:
    TableResult build(const std::string& contents, const char* keepBlanksKey = nullptr) {
        writeFile(path("entries.txt"), contents);
        return buildEntryTable(path("entries.txt").c_str(), table(), keepBlanksKey);
    }
    EntryTable& table() { return app_->positionEntries; }
    const TextEntry& entry(int index) { return table().entries[index]; }
};

TEST_F(EntryTableTest, KeyLinesBecomeEntriesOfTheCurrentSection) {
    ASSERT_EQ(TableStatus::Built,
              build("[ POSITION DATA ]\nLatitude = 4 7.5\n\n[CONFIG]\nUse_AutoPilot_Data = 1\n").status);
    EXPECT_STREQ("POSITIONDATA", entry(0).sectionName);
    EXPECT_STREQ("Latitude", entry(0).keyName);
    EXPECT_STREQ("47.5", entry(0).valueText);
    EXPECT_STREQ("CONFIG", entry(1).sectionName);
    EXPECT_STREQ("1", entry(1).valueText);
    EXPECT_STREQ("", entry(2).sectionName);
}

TEST_F(EntryTableTest, TheCharacterBeforeTheLastEqualsSignIsAlwaysDropped) {
    ASSERT_EQ(TableStatus::Built, build("[S]\nLatitude=47.5\na=b=c\n=1\nk=2\n").status);
    EXPECT_STREQ("Latitud", entry(0).keyName);
    EXPECT_STREQ("a=", entry(1).keyName);
    EXPECT_STREQ("c", entry(1).valueText);
    EXPECT_STREQ("", entry(2).keyName);
    EXPECT_STREQ("", entry(3).keyName);
    EXPECT_STREQ("2", entry(3).valueText);
}

TEST_F(EntryTableTest, CommentsAnywhereSkipTheWholeLine) {
    ASSERT_EQ(TableStatus::Built, build("[S]\nGear = 1 ; down\n;[T]\nFlaps = 0.5\n").status);
    EXPECT_STREQ("Flaps", entry(0).keyName);
    EXPECT_STREQ("S", entry(0).sectionName);
    EXPECT_STREQ("", entry(1).sectionName);
}

TEST_F(EntryTableTest, LineWithBracketAndEqualsIsAHeaderUpToTheLastBracket) {
    ASSERT_EQ(TableStatus::Built, build("xA]B] = 3\nk = v\n").status);
    EXPECT_STREQ("A]B", entry(0).sectionName);
    ASSERT_EQ(TableStatus::Built, build("[]\nk = v\n").status);
    EXPECT_STREQ("", entry(0).sectionName);
    ASSERT_EQ(TableStatus::Built, build("]\nk = v\n").status);
    EXPECT_STREQ("", entry(0).sectionName);
}

TEST_F(EntryTableTest, LineEndsOfEveryKindAreRemoved) {
    ASSERT_EQ(TableStatus::Built, build("[S]\r\na = 1\rb = 2\n\rc = 3\nd = 4").status);
    const char* values[] = {"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ("S", entry(i).sectionName);
        EXPECT_STREQ(values[i], entry(i).valueText) << i;
    }
}

TEST_F(EntryTableTest, TheKeepBlanksKeyLosesOnlyLeadingBlanks) {
    ASSERT_EQ(TableStatus::Built, build("[C]\nName =   Runway 34.skd  \nOther = a b\n", "Name").status);
    EXPECT_STREQ("Runway 34.skd  ", entry(0).valueText);
    EXPECT_STREQ("ab", entry(1).valueText);
}

TEST_F(EntryTableTest, MissingFileLeavesTheTableUntouched) {
    std::strcpy(table().entries[0].sectionName, "kept");
    EXPECT_EQ(TableStatus::NotOpened, buildEntryTable(path("absent.txt").c_str(), table(), nullptr).status);
    EXPECT_STREQ("kept", entry(0).sectionName);
}

TEST_F(EntryTableTest, AFolderIsNotAFile) {
    std::strcpy(table().entries[0].sectionName, "kept");
    EXPECT_EQ(TableStatus::NotOpened, buildEntryTable(folder_.c_str(), table(), nullptr).status);
    EXPECT_STREQ("kept", entry(0).sectionName);
}

TEST_F(EntryTableTest, AReadClearsWhatAnEarlierReadLeft) {
    ASSERT_EQ(TableStatus::Built, build("[S]\na = 1\nb = 2\n").status);
    ASSERT_EQ(TableStatus::Built, build("[S]\na = 1\n").status);
    EXPECT_STREQ("", entry(1).sectionName);
    EXPECT_STREQ("", entry(1).keyName);
}

TEST_F(EntryTableTest, KeyLineBeforeAnyHeaderIsReported) {
    TableResult result = build("Latitude = 1\n[POSITION_DATA]\n");
    EXPECT_EQ(TableStatus::KeyOutsideSection, result.status);
    EXPECT_STREQ("Latitude", result.name);
    EXPECT_STREQ("", entry(0).keyName);
}

TEST_F(EntryTableTest, LineOf255CharactersFitsWhateverFollowsIt) {
    std::string value(255 - 4, '7');
    ASSERT_EQ(TableStatus::Built, build("[S]\nk = " + value + "\r\nx = 1\n").status);
    EXPECT_EQ(value, entry(0).valueText);
    EXPECT_STREQ("x", entry(1).keyName);
    ASSERT_EQ(TableStatus::Built, build("[S]\nk = " + value).status);
    EXPECT_EQ(value, entry(0).valueText);
    // One shorter, its line end fills the piece.
    value.pop_back();
    ASSERT_EQ(TableStatus::Built, build("[S]\nk = " + value + "\nx = 1\n").status);
    EXPECT_STREQ("x", entry(1).keyName);
}

TEST_F(EntryTableTest, LongerLineFails) {
    TableResult result = build("[S]\nk = " + std::string(300, '1') + "\nx = 1\n");
    EXPECT_EQ(TableStatus::LineTooLong, result.status);
    EXPECT_EQ("k = " + std::string(251, '1'), result.name);
    EXPECT_STREQ("", entry(0).sectionName);
}

TEST_F(EntryTableTest, LongCommentIsSkippedWholeWhateverItHolds) {
    // The parts after the first piece hold "]" and "=": none of them may become a header or an entry.
    std::string comment = ";" + std::string(300, 'c') + "[T] = 1" + std::string(300, 'c') + "k = 2";
    ASSERT_EQ(TableStatus::Built, build("[S]\n" + comment + "\r\na = 1\n" + comment).status);
    EXPECT_STREQ("S", entry(0).sectionName);
    EXPECT_STREQ("a", entry(0).keyName);
    EXPECT_STREQ("", entry(1).sectionName);
}

TEST_F(EntryTableTest, CommentEndingAtAPieceBoundaryStillEndsAtItsLineEnd) {
    std::string comment = ";" + std::string(2 * (kLineSize - 1) - 1, 'c');
    for (const char* end : {"\n", "\r\n", "\n\r", "\r"}) {
        ASSERT_EQ(TableStatus::Built, build("[S]\n" + comment + end + "a = 1\n").status) << end;
        EXPECT_STREQ("a", entry(0).keyName) << end;
        EXPECT_STREQ("", entry(1).sectionName) << end;
    }
}

TEST_F(EntryTableTest, SemicolonAfterTheFirstPieceDoesNotMakeAComment) {
    TableResult result = build("[S]\nk = " + std::string(300, '1') + " ; note\n");
    EXPECT_EQ(TableStatus::LineTooLong, result.status);
}

TEST_F(EntryTableTest, NulByteDoesNotHideALongLine) {
    std::string line = "k = 1";
    line += '\0';
    line += std::string(300, 'x');
    TableResult result = build("[S]\n" + line + "\n");
    EXPECT_EQ(TableStatus::LineTooLong, result.status);
    EXPECT_STREQ("k = 1", result.name);
}

TEST_F(EntryTableTest, EntriesBeforeATableFailureStayInTheTable) {
    ASSERT_EQ(TableStatus::LineTooLong, build("[S]\na = 1\nk = " + std::string(300, '1') + "\nb = 2\n").status);
    EXPECT_STREQ("a", entry(0).keyName);
    EXPECT_STREQ("", entry(1).sectionName);
}

TEST_F(EntryTableTest, KeyLineAfterAnEmptyHeaderIsNotOutsideASection) {
    EXPECT_EQ(TableStatus::Built, build("[]\nLatitude = 1\n").status);
}

std::string keyLines(int count) {
    std::string text = "[S]\n";
    for (int i = 0; i < count; ++i) text += "k" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    return text;
}

TEST_F(EntryTableTest, ATableFullToTheLastEntryIsBuilt) {
    ASSERT_EQ(TableStatus::Built, build(keyLines(kEntryCount)).status);
    EXPECT_STREQ("k1023", entry(kEntryCount - 1).keyName);
}

TEST_F(EntryTableTest, OneKeyLineMoreThanTheTableHoldsFails) {
    EXPECT_EQ(TableStatus::TooManyEntries, build(keyLines(kEntryCount + 1)).status);
    EXPECT_STREQ("k1023", entry(kEntryCount - 1).keyName);
}

// The walk, on a target that records what it was given.
struct Applied {
    std::vector<std::string> keys;
};

bool record(void* target, const SectionRule& rule, const TextEntry& entry) {
    if (std::strcmp(entry.keyName, "bad") == 0) return false;
    static_cast<Applied*>(target)->keys.push_back(std::to_string(rule.slot) + ":" + entry.keyName);
    return true;
}

const SectionRule kRules[] = {{"A", ReadResult::UnknownSaveKey, 0, "A data"},
                              {"B", ReadResult::UnknownQuickLoadKey, 1, "B data"}};

class WalkTest : public EntryTableTest {
protected:
    ReadResult walk(const std::string& contents) {
        EXPECT_EQ(TableStatus::Built, build(contents).status);
        failed_ = nullptr;
        return walkEntries(table(), kRules, 2, record, &applied_, &failed_);
    }
    Applied applied_;
    const TextEntry* failed_ = nullptr;
};

TEST_F(WalkTest, SectionsInAnyOrderAndRepeatedAreAllApplied) {
    EXPECT_EQ(ReadResult::Success, walk("[B]\nx = 1\n[A]\ny = 2\nz = 3\n[B]\nw = 4\n"));
    EXPECT_EQ((std::vector<std::string>{"1:x", "0:y", "0:z", "1:w"}), applied_.keys);
}

TEST_F(WalkTest, AnEmptyHeaderEndsTheWalk) {
    EXPECT_EQ(ReadResult::Success, walk("[A]\nx = 1\n[  ]\ny = 2\n[B]\nbad = 3\n"));
    EXPECT_EQ((std::vector<std::string>{"0:x"}), applied_.keys);
}

TEST_F(WalkTest, UnknownKeyStopsWithTheSectionsCode) {
    EXPECT_EQ(ReadResult::UnknownQuickLoadKey, walk("[A]\nx = 1\n[B]\nbad = 2\ny = 3\n"));
    ASSERT_NE(nullptr, failed_);
    EXPECT_STREQ("bad", failed_->keyName);
    EXPECT_EQ((std::vector<std::string>{"0:x"}), applied_.keys);
}

TEST_F(WalkTest, UnknownOrDifferentlyCasedSectionStopsWithCodeOne) {
    EXPECT_EQ(ReadResult::InvalidSection, walk("[A]\nx = 1\n[a]\ny = 2\n"));
    ASSERT_NE(nullptr, failed_);
    EXPECT_STREQ("a", failed_->sectionName);
}

TEST_F(WalkTest, AFullTableIsWalkedToItsLastEntryAndNoFurther) {
    std::string text = keyLines(kEntryCount);
    text[1] = 'A';
    EXPECT_EQ(ReadResult::Success, walk(text));
    EXPECT_EQ(static_cast<size_t>(kEntryCount), applied_.keys.size());
}

TEST_F(WalkTest, EmptyFileAppliesNothing) {
    EXPECT_EQ(ReadResult::Success, walk(""));
    EXPECT_TRUE(applied_.keys.empty());
}

}  // namespace
