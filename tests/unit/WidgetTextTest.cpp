// Widget texts through fixed buffers: a value too long for its buffer is shown
// cut and marked, and a text read back is always terminated.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport.h"
#include "ui/WidgetText.h"

namespace {

class WidgetTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        skysim::Sim::get().reset(root_.path());
        widget_ = XPCreateWidget(0, 100, 100, 78, 1, "", 1, nullptr, xpWidgetClass_TextField);
    }
    std::string shown() const {
        return skysim::Sim::get().widget(reinterpret_cast<skysim::WidgetId>(widget_)).descriptor;
    }

    TempFolder root_;
    XPWidgetID widget_ = nullptr;
};

TEST_F(WidgetTextTest, ValueThatFitsIsShownWithSixDecimals) {
    PositionRecord record = {};
    record.Latitude = 47.123456789;
    record.Gear = -3;
    char buffer[256];
    showRecordField(widget_, record, 1, buffer, sizeof buffer);
    EXPECT_EQ("47.123457", shown());
    showRecordField(widget_, record, 10, buffer, sizeof buffer);
    EXPECT_EQ("-3", shown());
}

TEST_F(WidgetTextTest, HugeValueIsCutToTheBufferAndMarked) {
    PositionRecord record = {};
    record.Altitude = 1e300;  // "%f" gives 301 digits and six decimals
    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    showRecordField(widget_, record, 3, buffer, sizeof buffer);
    std::string text = shown();
    ASSERT_EQ(255u, text.size());
    EXPECT_EQ(0, text.compare(0, 10, "1000000000"));
    EXPECT_EQ(kCutMarker, text.substr(text.size() - std::strlen(kCutMarker)));
}

TEST_F(WidgetTextTest, ValueFillingTheBufferExactlyIsNotMarked) {
    PositionRecord record = {};
    record.Latitude = 12345.5;  // "12345.500000": 12 characters
    char buffer[13];
    showRecordField(widget_, record, 1, buffer, sizeof buffer);
    EXPECT_EQ("12345.500000", shown());
    char tooSmall[12];
    showRecordField(widget_, record, 1, tooSmall, sizeof tooSmall);
    EXPECT_EQ("12345.50...", shown());
}

TEST_F(WidgetTextTest, ACutValueIsToldByItsMarker) {
    PositionRecord record = {};
    record.Altitude = 1e300;
    char buffer[256];
    showRecordField(widget_, record, 3, buffer, sizeof buffer);
    EXPECT_TRUE(endsWithCutMarker(buffer));
    record.Altitude = 1e200;  // 201 digits and six decimals fit
    showRecordField(widget_, record, 3, buffer, sizeof buffer);
    EXPECT_FALSE(endsWithCutMarker(buffer));
}

TEST(EndsWithCutMarker, OnlyTheWholeMarkerAtTheEndCounts) {
    EXPECT_TRUE(endsWithCutMarker("..."));
    EXPECT_TRUE(endsWithCutMarker("12..."));
    EXPECT_FALSE(endsWithCutMarker("12.."));
    EXPECT_FALSE(endsWithCutMarker("...5"));
    EXPECT_FALSE(endsWithCutMarker(""));
}

TEST(MarkCut, BufferTooSmallForTheMarkerIsLeftAlone) {
    char text[3] = {'a', 'b', '\0'};
    markCut(text, sizeof text);
    EXPECT_STREQ("ab", text);
}

TEST_F(WidgetTextTest, TextFillingTheBufferIsTerminated) {
    std::string typed(300, '7');
    XPSetWidgetDescriptor(widget_, typed.c_str());
    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    readWidgetText(widget_, buffer, sizeof buffer);
    EXPECT_EQ(std::string(255, '7'), std::string(buffer));
}

TEST_F(WidgetTextTest, TextOfExactlyTheBufferSizeLosesOnlyItsLastCharacter) {
    XPSetWidgetDescriptor(widget_, "12345678");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    readWidgetText(widget_, buffer, sizeof buffer);
    EXPECT_STREQ("1234567", buffer);
}

TEST_F(WidgetTextTest, ShortTextIsReadWhole) {
    XPSetWidgetDescriptor(widget_, "12abc");
    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    readWidgetText(widget_, buffer, sizeof buffer);
    EXPECT_STREQ("12abc", buffer);
}

TEST_F(WidgetTextTest, UnknownWidgetReadsAsEmpty) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    readWidgetText(nullptr, buffer, sizeof buffer);
    EXPECT_STREQ("", buffer);
}

}  // namespace
