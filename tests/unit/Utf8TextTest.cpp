// Which typed names are UTF-8 text: every script, and none of the byte
// sequences the standard forbids.
#include <gtest/gtest.h>

#include "text/Utf8Text.h"

namespace {

TEST(Utf8TextTest, TextInAnyScriptIsValid) {
    for (const char* text :
         {"", "Home", "Zürich", "Éole", "Пилот", "東京", "\xF0\x9F\x9B\xA9", "\xEF\xBF\xBF", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(isValidUtf8(text)) << text;
    }
    // The first character of each length: the lowest second byte each lead allows.
    for (const char* text : {"\xC2\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80"}) {
        EXPECT_TRUE(isValidUtf8(text)) << testing::PrintToString(text);
    }
}

TEST(Utf8TextTest, StrayTruncatedOverlongSurrogateAndOutOfRangeSequencesAreNot) {
    const char* const broken[] = {
        "Caf\xE9",   // Windows-1252's é
        "\x80",      // a continuation byte alone
        "\xC3",      // a lead byte at the end
        "\xE6\x9D",  // a three-byte character cut short
        "\xE6\x9D"
        "A",                 // ... followed by another character
        "\xC0\xAF",          // "/" written overlong
        "\xE0\x80\xAF",      // the same in three bytes
        "\xF0\x80\x80\xAF",  // and in four
        "\xED\xA0\x80",      // a UTF-16 surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",  // a byte that starts nothing
        "\xFF",
    };
    for (const char* text : broken) EXPECT_FALSE(isValidUtf8(text)) << testing::PrintToString(text);
}

}  // namespace
