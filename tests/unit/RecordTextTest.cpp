// The record's text form: "%f" and "%d" out, leading numbers back in.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "position/RecordText.h"
#include "text/NumberText.h"

namespace {

TEST(RecordTextTest, FieldsFollowTheRecordOrderWithTheirKeys) {
    EXPECT_STREQ("Use_AutoPilot_Data", kRecordFields[0].key);
    EXPECT_STREQ("Latitude", kRecordFields[1].key);
    EXPECT_STREQ("Gear", kRecordFields[10].key);
    EXPECT_STREQ("AutoPilot_Heading_Roll_Mode", kRecordFields[17].key);
    EXPECT_EQ(FieldType::Double, kRecordFields[3].type);
    EXPECT_EQ(FieldType::Float, kRecordFields[4].type);
    EXPECT_EQ(FieldType::Int, kRecordFields[16].type);
}

TEST(RecordTextTest, RealsKeepSixDecimals) {
    PositionRecord record{};
    record.Latitude = 47.123456789;
    record.Heading = 362.5f;
    char text[64];
    ASSERT_TRUE(formatField(record, 1, text, sizeof text));
    EXPECT_STREQ("47.123457", text);
    ASSERT_TRUE(formatField(record, 4, text, sizeof text));
    EXPECT_STREQ("362.500000", text);
    parseField(record, 1, text);
    EXPECT_DOUBLE_EQ(362.5, record.Latitude);
}

TEST(RecordTextTest, LeadingNumbersAreReadAndTheRestIgnored) {
    PositionRecord record{};
    parseField(record, 10, "12abc");
    EXPECT_EQ(12, record.Gear);
    parseField(record, 10, "abc");
    EXPECT_EQ(0, record.Gear);
    parseField(record, 10, "1.9");
    EXPECT_EQ(1, record.Gear);
    parseField(record, 7, "  -3.5e1kt");
    EXPECT_FLOAT_EQ(-35.0f, record.Speed);
    parseField(record, 7, "abc");
    EXPECT_FLOAT_EQ(0.0f, record.Speed);
}

TEST(RecordTextTest, OutOfRangeRealsStayFinite) {
    EXPECT_EQ(std::numeric_limits<double>::max(), parseReal("1e999"));
    EXPECT_EQ(-std::numeric_limits<double>::max(), parseReal("-1e999"));
    EXPECT_EQ(0.0, parseReal("1e-999"));
    PositionRecord record{};
    parseField(record, 7, "1e39");
    EXPECT_EQ(std::numeric_limits<float>::max(), record.Speed);
    parseField(record, 7, "-1e39");
    EXPECT_EQ(-std::numeric_limits<float>::max(), record.Speed);
}

TEST(RecordTextTest, AHugeRealReportsThatItDidNotFit) {
    PositionRecord record{};
    record.Altitude = 1e300;
    char text[256];
    EXPECT_FALSE(formatField(record, 3, text, sizeof text));
    EXPECT_EQ(255u, std::strlen(text));
}

TEST(RecordTextTest, HeldValuesAreMadeFiniteAndTheRestKept) {
    PositionRecord record{};
    record.Latitude = std::numeric_limits<double>::quiet_NaN();
    record.Longitude = -std::numeric_limits<double>::infinity();
    record.Speed = std::numeric_limits<float>::infinity();
    record.Pitch = -std::numeric_limits<float>::quiet_NaN();
    record.Roll = -3.5f;
    record.Gear = 1;
    holdFinite(record);
    EXPECT_EQ(0.0, record.Latitude);
    EXPECT_EQ(-std::numeric_limits<double>::max(), record.Longitude);
    EXPECT_EQ(std::numeric_limits<float>::max(), record.Speed);
    EXPECT_EQ(0.0f, record.Pitch);
    EXPECT_EQ(-3.5f, record.Roll);
    EXPECT_EQ(1, record.Gear);
}

}  // namespace
