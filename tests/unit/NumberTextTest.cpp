// Leading numbers of file and panel texts: the decimal grammar, no special
// values, and values beyond the types' ranges held at their limits.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

#if defined(__cpp_lib_to_chars)
// The C++ library's own from_chars, with the plug-in's rule for what does not
// fit a double: too large is the largest double, too small is zero.
double libraryReal(const std::string& text) {
    double value = 0.0;
    std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc::result_out_of_range) return value;
    double side = std::strtod(text.c_str(), nullptr);  // infinite or zero, with its sign
    return std::copysign(std::isinf(side) ? std::numeric_limits<double>::max() : 0.0, side);
}

std::string digits(std::mt19937_64& random, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
}

// Doubles of every kind written with 17 digits, the limits and their
// neighbours, numbers beyond them both ways, and long runs of digits.
std::vector<std::string> generatedNumbers() {
    std::vector<std::string> numbers = {"1.7976931348623157e308",
                                        "1.7976931348623158e308",
                                        "1.7976931348623159e308",
                                        "2.2250738585072014e-308",
                                        "2.2250738585072011e-308",
                                        "4.9406564584124654e-324",
                                        "2.4703282292062327e-324",
                                        "2.4703282292062328e-324",
                                        "1e309",
                                        "1e-400",
                                        "0.1",
                                        "9007199254740993",
                                        "123456789012345678901234567890"};
    std::mt19937_64 random(20261207);
    char text[64];
    for (int i = 0; i < 100000; ++i) {
        uint64_t bits = random();
        if (i % 4 == 0) bits &= 0x800FFFFFFFFFFFFFull;  // subnormal
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        std::snprintf(text, sizeof text, i % 2 ? "%.17g" : "%.16e", value);
        numbers.push_back(text);
    }
    for (int i = 0; i < 20000; ++i) {
        std::string whole = digits(random, random() % 400);
        std::string fraction = digits(random, random() % 400);
        std::string exponent = "e" + std::to_string(static_cast<int>(random() % 1400) - 700);
        numbers.push_back((whole.empty() ? "0" : whole) + "." + fraction + (i % 3 ? exponent : ""));
    }
    return numbers;
}
#endif

TEST(NumberTextTest, ReadsEveryNumberAsTheLibrarysFromChars) {
#if defined(__cpp_lib_to_chars)
    for (const std::string& number : generatedNumbers()) {
        for (const std::string& text : {number, "-" + number}) {
            double expected = libraryReal(text);
            double read = parseReal(text.c_str());
            ASSERT_EQ(0, std::memcmp(&expected, &read, sizeof read)) << text << " read as " << read;
        }
    }
#else
    GTEST_SKIP() << "this C++ library has no floating-point from_chars to compare with";
#endif
}

TEST(NumberTextTest, OutOfRangeIntegersAreHeldAtTheLimits) {
    EXPECT_EQ(2147483647, parseWhole("99999999999999"));
    EXPECT_EQ(-2147483647 - 1, parseWhole("-99999999999999"));
}

}  // namespace
