// Key and modifier names: the tables' contents and order, exact matching, and
// modifier sums over any run of delimiters.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "config/HotKeyNames.h"

namespace {

TEST(KeyNameTableTest, RunsOfCodesAreConsecutiveAndNoCodeIsZero) {
    std::set<std::string> names;
    for (int i = 0; i < kKeyNameCount; ++i) {
        EXPECT_NE(0, KeyNameTable[i].code) << KeyNameTable[i].name;
        EXPECT_TRUE(names.insert(KeyNameTable[i].name).second) << KeyNameTable[i].name;
    }
    struct Run {
        const char* first;
        const char* last;
        int firstCode;
        int count;
    };
    const Run runs[] = {{"BACK", "TAB", 8, 2},
                        {"CLEAR", "RETURN", 12, 2},
                        {"ESCAPE", "ESCAPE", 27, 1},
                        {"SPACE", "HELP", 32, 16},
                        {"0", "9", 48, 10},
                        {"A", "Z", 65, 26},
                        {"NUMPAD0", "NUMPAD9", 96, 10},
                        {"MULTIPLY", "DIVIDE", 106, 6},
                        {"F1", "F24", 112, 24},
                        {"EQUAL", "NUMPAD_EQ", 176, 14}};
    int row = 0;
    for (const Run& run : runs) {
        EXPECT_STREQ(run.first, KeyNameTable[row].name);
        for (int i = 0; i < run.count; ++i, ++row) EXPECT_EQ(run.firstCode + i, KeyNameTable[row].code) << row;
        EXPECT_STREQ(run.last, KeyNameTable[row - 1].name);
    }
    EXPECT_EQ(kKeyNameCount, row);
}

TEST(KeyCodeFromNameTest, NamesGiveTheirCodes) {
    EXPECT_EQ(116, keyCodeFromName("F5"));
    EXPECT_EQ(188, keyCodeFromName("NUMPAD_ENT"));
    EXPECT_EQ(90, keyCodeFromName("Z"));
    EXPECT_EQ(38, keyCodeFromName("UP"));
    EXPECT_EQ(40, keyCodeFromName("DOWN"));
    EXPECT_EQ(48, keyCodeFromName("0"));
    EXPECT_EQ(189, keyCodeFromName("NUMPAD_EQ"));
    EXPECT_EQ(8, keyCodeFromName("BACK"));
}

TEST(KeyCodeFromNameTest, AnythingElseGivesZero) {
    EXPECT_EQ(0, keyCodeFromName("f5"));
    EXPECT_EQ(0, keyCodeFromName("F25"));
    EXPECT_EQ(0, keyCodeFromName(""));
    EXPECT_EQ(0, keyCodeFromName("Up"));
    EXPECT_EQ(0, keyCodeFromName("NUMPAD"));  // a prefix of NUMPAD0 is no match
    EXPECT_EQ(0, keyCodeFromName("F55"));
    EXPECT_EQ(0, keyCodeFromName("F5\t"));
}

TEST(ModifierFlagsTest, NamesAreSummedInAnyOrderAndSpelling) {
    EXPECT_EQ(5, modifierFlagsFromNames("Shift+Control"));
    EXPECT_EQ(5, modifierFlagsFromNames("Control+Shift"));
    EXPECT_EQ(5, modifierFlagsFromNames("Shift++Control"));
    EXPECT_EQ(6, modifierFlagsFromNames(" Control + Alt \n"));
    EXPECT_EQ(2, modifierFlagsFromNames("Shift+Shift"));
    EXPECT_EQ(24, modifierFlagsFromNames("Up+Down"));
    EXPECT_EQ(31, modifierFlagsFromNames("Shift\nAlt Control+Down+Up"));
}

TEST(ModifierFlagsTest, UnknownTokensAddNothing) {
    EXPECT_EQ(0, modifierFlagsFromNames("Ctrl"));
    EXPECT_EQ(0, modifierFlagsFromNames(""));
    EXPECT_EQ(0, modifierFlagsFromNames("+ +\n"));
    EXPECT_EQ(0, modifierFlagsFromNames("UP"));
    EXPECT_EQ(0, modifierFlagsFromNames("ShiftControl"));
    EXPECT_EQ(4, modifierFlagsFromNames("Shift\t+Control"));
    EXPECT_EQ(1, modifierFlagsFromNames("Shift+Sh"));
}

}  // namespace
