// Decimal text by integer arithmetic. For six decimals, a finite double is
// mantissa * 2^exponent, so value * 10^6 rounded is an integer computed
// exactly in 128 bits; the rest (non-finite, 2^63 and beyond) goes to printf.
#include "text/DecimalText.h"

#include <cstdint>
#include <cstring>

#include "text/BoundedText.h"

namespace {

using Wide = unsigned __int128;

constexpr uint32_t kMicros = 1000000;
constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1023 + kMantissaBits;
constexpr int kNonFinite = 0x7ff;
// From 2^63 up printf writes the value, so the whole part stays below 2^63: 19 digits at most.
constexpr int kFirstSlowBiasedExponent = 1023 + 63;
// Below 2^-74 * 2^53 = 2^-21 a value is under half a millionth, so rounds to 0:
// mantissa * 10^6 < 2^73 <= 2^(shift - 1).
constexpr int kZeroShift = 74;

// The magnitude split into whole units and millionths, rounded half to even.
struct Magnitude {
    uint64_t whole;
    uint32_t micros;
};

// The millionths of fraction / 2^shift (shift 1 to 73), rounded half to even;
// kMicros when it rounds up to a whole unit. The evenness is that of the whole
// scaled number, which is the millionths' own since 10^6 is even.
uint32_t roundedMicros(uint64_t fraction, int shift) {
    Wide product = static_cast<Wide>(fraction) * kMicros;
    Wide quotient = product >> shift;
    Wide rest = product - (quotient << shift);
    Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (quotient & 1) != 0)) ++quotient;
    return static_cast<uint32_t>(quotient);
}

// mantissa * 2^exponent for an exponent below 2^63's.
Magnitude split(uint64_t mantissa, int exponent) {
    if (exponent >= 0) return {mantissa << exponent, 0};
    int shift = -exponent;
    if (shift >= kZeroShift) return {0, 0};
    uint64_t whole = shift < 64 ? mantissa >> shift : 0;
    uint64_t fraction = shift < 64 ? mantissa & ((uint64_t{1} << shift) - 1) : mantissa;
    uint32_t micros = roundedMicros(fraction, shift);
    if (micros == kMicros) return {whole + 1, 0};
    return {whole, micros};
}

// Writes the digits of `number` ending just before `end`, at least `minimum` of
// them (zero-padded); returns where they begin.
char* digitsBefore(char* end, uint64_t number, int minimum) {
    char* at = end;
    do {
        *--at = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0 || end - at < minimum);
    return at;
}

}  // namespace

bool formatFixed(char* out, size_t size, double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> kMantissaBits) & kNonFinite);
    if (biased == kNonFinite || biased >= kFirstSlowBiasedExponent) return formatText(out, size, "%f", value);

    const uint64_t fraction = bits & ((uint64_t{1} << kMantissaBits) - 1);
    const uint64_t mantissa = biased == 0 ? fraction : fraction | (uint64_t{1} << kMantissaBits);
    const Magnitude magnitude = split(mantissa, (biased == 0 ? 1 : biased) - kExponentBias);

    // "-", up to 19 digits, ".", 6 digits and the terminator.
    char text[32];
    char* end = text + sizeof text - 1;
    *end = '\0';
    char* begin = digitsBefore(end, magnitude.micros, 6);
    *--begin = '.';
    begin = digitsBefore(begin, magnitude.whole, 1);
    if ((bits >> 63) != 0) *--begin = '-';
    return copyText(out, size, begin);
}

bool formatInteger(char* out, size_t size, int value) {
    // "-", 10 digits and the terminator.
    char text[16];
    char* end = text + sizeof text - 1;
    *end = '\0';
    // Widened first, so that the smallest int has a magnitude too.
    const int64_t wide = value;
    char* begin = digitsBefore(end, static_cast<uint64_t>(wide < 0 ? -wide : wide), 1);
    if (value < 0) *--begin = '-';
    return copyText(out, size, begin);
}
