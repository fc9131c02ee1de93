// Leading numbers of file and panel texts: the decimal grammar, no special
// values, and values beyond the types' ranges held at their limits.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "text/NumberText.h"

namespace {

TEST(NumberTextTest, DecimalsFollowTheFileGrammar) {
    EXPECT_DOUBLE_EQ(47.5, parseReal("47.5"));
    EXPECT_DOUBLE_EQ(-0.25, parseReal(" \t\r-.25xyz"));
    EXPECT_DOUBLE_EQ(3.0, parseReal("+3."));
    EXPECT_DOUBLE_EQ(1500.0, parseReal("1.5e3"));
    EXPECT_DOUBLE_EQ(1.5, parseReal("1.5e"));
    EXPECT_DOUBLE_EQ(1.5, parseReal("1.5e+"));
    EXPECT_DOUBLE_EQ(0.015, parseReal("1.5E-2"));
    EXPECT_DOUBLE_EQ(0.0, parseReal("."));
    EXPECT_DOUBLE_EQ(0.0, parseReal("-"));
    EXPECT_DOUBLE_EQ(0.0, parseReal(""));
}

TEST(NumberTextTest, NotANumberInfinityAndHexAreNoNumbers) {
    EXPECT_EQ(0.0, parseReal("nan"));
    EXPECT_EQ(0.0, parseReal("-inf"));
    EXPECT_EQ(0.0, parseReal("infinity"));
    EXPECT_EQ(0.0, parseReal("0x10"));  // the leading 0, then an ignored tail
}

TEST(NumberTextTest, OutOfRangeRealsAreHeldAtTheLimitsOrZero) {
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(kMax, parseReal("1e400"));
    EXPECT_EQ(-kMax, parseReal("-1e400"));
    EXPECT_EQ(kMax, parseReal("1e99999999999999999999"));
    EXPECT_EQ(0.0, parseReal("1e-400"));
    EXPECT_EQ(0.0, parseReal("-1e-99999999999999999999"));
}

TEST(NumberTextTest, TooSmallWithoutANegativeExponentIsZeroNotTheLargestDouble) {
    std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(0.0, parseReal(tiny.c_str()));
    EXPECT_EQ(0.0, parseReal((tiny + "e+50").c_str()));
    EXPECT_EQ(0.0, parseReal(("-" + tiny).c_str()));
}

TEST(NumberTextTest, TooLargeWithANegativeExponentIsTheLargestDoubleNotZero) {
    std::string huge = "1" + std::string(400, '0');
    EXPECT_EQ(std::numeric_limits<double>::max(), parseReal((huge + "e-5").c_str()));
}

TEST(NumberTextTest, OutOfRangeIntegersAreHeldAtTheLimits) {
    EXPECT_EQ(2147483647, parseWhole("99999999999999"));
    EXPECT_EQ(-2147483647 - 1, parseWhole("-99999999999999"));
}

}  // namespace
