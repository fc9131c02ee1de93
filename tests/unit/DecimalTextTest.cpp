// formatFixed and formatInteger against the C library's own "%f" and "%d":
// the same text and the same "did it fit" for every kind of number, and the
// same cut when it does not.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "text/DecimalText.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// What printf writes for `value` with `format`.
template <typename T>
std::string printed(const char* format, T value) {
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string printfText(double value) { return printed("%f", value); }

std::string fixedText(double value) {
    char text[400];
    EXPECT_TRUE(formatFixed(text, sizeof text, value)) << printfText(value);
    return text;
}

double fromBits(uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Every value, its neighbours one step either way, and their negatives.
void expectAsPrintfAround(const std::vector<double>& values) {
    for (double value : values) {
        for (double v : {std::nextafter(value, -kInfinity), value, std::nextafter(value, kInfinity)}) {
            EXPECT_EQ(printfText(v), fixedText(v)) << std::hexfloat << v;
            EXPECT_EQ(printfText(-v), fixedText(-v)) << std::hexfloat << -v;
        }
    }
}

TEST(DecimalTextTest, PrintsAircraftValuesAsPrintf) {
    EXPECT_EQ("47.449000", fixedText(47.449));
    EXPECT_EQ("-122.309306", fixedText(-122.30930555));
    EXPECT_EQ("0.000000", fixedText(0.0));
    EXPECT_EQ("362.500000", fixedText(362.5f));
    EXPECT_EQ("1.000000", fixedText(0.9999995));
    expectAsPrintfAround({47.449, -122.30930555, 433.0, 1.0 / 3.0, 0.1, 150.25f, 35000.0f, 0.999999, 9.9999995});
}

TEST(DecimalTextTest, NegativeValuesKeepTheirSignEvenWhenTheyRoundToZero) {
    EXPECT_EQ("-0.000000", fixedText(-0.0));
    EXPECT_EQ("-0.000000", fixedText(-1e-7));
    EXPECT_EQ("-0.000000", fixedText(-4.9e-324));
    EXPECT_EQ("-0.000001", fixedText(-5.000001e-7));
    EXPECT_EQ(printfText(-0.0), fixedText(-0.0));
    EXPECT_EQ(printfText(-1e-7), fixedText(-1e-7));
}

TEST(DecimalTextTest, ExactTiesRoundToEven) {
    EXPECT_EQ("0.007812", fixedText(0.0078125));  // 2^-7: the tie goes down to the even 2
    EXPECT_EQ("0.023438", fixedText(0.0234375));  // 3 * 2^-7: up to the even 8
    EXPECT_EQ("-0.007812", fixedText(-0.0078125));
    for (int k = -4096; k <= 4096; ++k) {
        double tie = std::ldexp(k, -7);  // every multiple of 2^-7 ends in 5 at the 7th decimal when odd
        EXPECT_EQ(printfText(tie), fixedText(tie)) << k;
        for (int shift = 8; shift <= 24; ++shift) {
            double finer = std::ldexp(k, -shift);
            EXPECT_EQ(printfText(finer), fixedText(finer)) << k << " * 2^-" << shift;
        }
    }
}

TEST(DecimalTextTest, HalfAMillionthAndItsNeighbours) {
    expectAsPrintfAround({5e-7, 2.5e-7, 1.5e-6, 2.5e-6, 4.9999999e-7, 5.0000001e-7, 7.5e-7, 1e-6, 1e-7});
    // The doubles nearest to n + 0.5 millionths, just above or below the tie.
    std::vector<double> halves;
    for (int n = 0; n < 2000; ++n) halves.push_back((n + 0.5) * 1e-6);
    for (double whole : {1.0, 47.0, 180.0, 12345.0, 1e9}) halves.push_back(whole + 0.5e-6);
    expectAsPrintfAround(halves);
}

TEST(DecimalTextTest, ValuesJustBelowASeventhDecimalFive) {
    std::vector<double> values;
    for (double v : {0.1234565, 47.4490005, 1.0000005, 99.9999995, 359.9999995, 12.3456785}) {
        values.push_back(v);
        values.push_back(std::nextafter(v, 0.0));
        values.push_back(std::nextafter(std::nextafter(v, 0.0), 0.0));
    }
    expectAsPrintfAround(values);
}

TEST(DecimalTextTest, LargeWholeNumbersAndTheSlowPathBoundary) {
    std::vector<double> values = {std::ldexp(1.0, 52), std::ldexp(1.0, 53), std::ldexp(1.0, 53) + 2,
                                  std::ldexp(1.0, 62), std::ldexp(1.0, 63), std::ldexp(1.0, 64),
                                  std::ldexp(1.0, 127)};
    for (double p = 1e15; p <= 1e20; p *= 10) values.push_back(p);
    expectAsPrintfAround(values);
    EXPECT_EQ("9007199254740992.000000", fixedText(std::ldexp(1.0, 53)));
    EXPECT_EQ("9223372036854775808.000000", fixedText(std::ldexp(1.0, 63)));
}

TEST(DecimalTextTest, ExtremesAndNonFiniteValues) {
    expectAsPrintfAround({DBL_MIN, DBL_TRUE_MIN, DBL_MIN / 3, FLT_MIN, FLT_MAX, DBL_EPSILON});
    for (double v : {DBL_MAX, -DBL_MAX, kInfinity, -kInfinity, kNan, -kNan, 0.0}) {
        EXPECT_EQ(printfText(v), fixedText(v));
    }
}

TEST(DecimalTextTest, RandomBitPatternsAsPrintf) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        double value = fromBits(random());
        ASSERT_EQ(printfText(value), fixedText(value)) << std::hexfloat << value;
    }
}

// Random bits mostly land far outside the fast path; these stay in it, with
// every exponent from whole numbers near 2^63 down to far below a millionth.
TEST(DecimalTextTest, RandomMantissasAtEveryFastExponentAsPrintf) {
    std::mt19937_64 random(47449);
    for (int exponent = -1074; exponent < 63; ++exponent) {
        for (int i = 0; i < 300; ++i) {
            double value = std::ldexp(static_cast<double>(random() >> 11), exponent - 52);
            if (i % 2 != 0) value = -value;
            ASSERT_EQ(printfText(value), fixedText(value)) << std::hexfloat << value;
        }
    }
}

TEST(DecimalTextTest, RandomFloatsAsPrintf) {
    std::mt19937 random(122);
    for (int i = 0; i < 200000; ++i) {
        uint32_t bits = random();
        float single = 0;
        std::memcpy(&single, &bits, sizeof single);
        ASSERT_EQ(printfText(single), fixedText(single)) << std::hexfloat << single;
    }
}

// Every buffer size from one byte to more than enough: snprintf's cut text,
// nothing written past the buffer, and true exactly when the terminator fitted too.
template <typename T, typename Writer>
void expectCutsAsSnprintf(const char* format, T value, Writer write) {
    const std::string full = printed(format, value);
    for (size_t size = 1; size <= full.size() + 2; ++size) {
        char expected[64];
        char written[64];
        std::memset(written, 'x', sizeof written);
        std::snprintf(expected, size, format, value);
        EXPECT_EQ(size > full.size(), write(written, size, value)) << value << " in " << size;
        EXPECT_STREQ(expected, written) << value << " in " << size;
        EXPECT_EQ('x', written[size]) << "wrote past " << size << " bytes";
    }
}

TEST(DecimalTextTest, BufferSizesCutAndReportAsSnprintf) {
    for (double value : {-47.449, 0.0, 123456789.5, std::ldexp(1.0, 70), -kInfinity}) {
        expectCutsAsSnprintf("%f", value, formatFixed);
    }
}

std::string printfInteger(int value) { return printed("%d", value); }

std::string integerText(int value) {
    char text[32];
    EXPECT_TRUE(formatInteger(text, sizeof text, value)) << value;
    return text;
}

TEST(DecimalTextTest, IntegersAsPrintf) {
    EXPECT_EQ("0", integerText(0));
    EXPECT_EQ("-1", integerText(-1));
    EXPECT_EQ("-2147483648", integerText(std::numeric_limits<int>::min()));
    EXPECT_EQ("2147483647", integerText(std::numeric_limits<int>::max()));
    for (int value = -100000; value <= 100000; ++value) ASSERT_EQ(printfInteger(value), integerText(value));
    std::mt19937 random(7);
    for (int i = 0; i < 100000; ++i) {
        int value = static_cast<int>(random());
        ASSERT_EQ(printfInteger(value), integerText(value));
    }
}

TEST(DecimalTextTest, IntegerBufferSizesCutAndReportAsSnprintf) {
    for (int value : {0, 7, -42, 1000000, std::numeric_limits<int>::min()}) {
        expectCutsAsSnprintf("%d", value, formatInteger);
    }
}

TEST(DecimalTextTest, NoRoomWritesNothing) {
    char text[4] = {'x', 'x', 'x', 'x'};
    EXPECT_FALSE(formatFixed(text, 0, 1.5));
    EXPECT_EQ('x', text[0]);
    EXPECT_FALSE(formatFixed(text, 0, std::ldexp(1.0, 80)));
    EXPECT_EQ('x', text[0]);
    EXPECT_FALSE(formatInteger(text, 0, 5));
    EXPECT_EQ('x', text[0]);
}

}  // namespace
