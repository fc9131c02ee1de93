// Leading-number parsing for the position record and the settings.
#include "text/NumberText.h"

#include <charconv>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <limits>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t digitsAt(const char* text) {
    size_t count = 0;
    while (isDigit(text[count])) ++count;
    return count;
}

size_t zerosAt(const char* text, size_t count) {
    size_t zeros = 0;
    while (zeros < count && text[zeros] == '0') ++zeros;
    return zeros;
}

// An exponent's digits, held at a bound far beyond any double's so that the
// sum in leadingPower cannot overflow.
long exponentValue(const char* digits, size_t count) {
    constexpr long kBound = 100000;
    long value = 0;
    for (size_t i = 0; i < count && value < kBound; ++i) value = value * 10 + (digits[i] - '0');
    return value;
}

// The parts of a decimal number, as counts of characters from its first digit.
struct DecimalParts {
    size_t wholeDigits;
    size_t fractionDigits;  // after the point that follows the whole digits
    long exponent;
};

// The power of ten of a non-zero number's first non-zero digit: below zero
// for a number too small for a double, at least zero for one too large. The
// exponent's sign alone cannot tell them apart ("0.000...1e+5", "1000...0e-5").
long leadingPower(const char* digits, const DecimalParts& parts) {
    size_t wholeZeros = zerosAt(digits, parts.wholeDigits);
    if (wholeZeros < parts.wholeDigits) return static_cast<long>(parts.wholeDigits - wholeZeros) - 1 + parts.exponent;
    size_t fractionZeros = zerosAt(digits + parts.wholeDigits + 1, parts.fractionDigits);
    return parts.exponent - static_cast<long>(fractionZeros) - 1;
}

}  // namespace

// A decimal number is an optional sign, digits with an optional point and
// fraction, and an optional exponent, with "." as the point whatever the
// process's locale. Anything else ("nan", "inf", hexadecimal) is no number.
double parseReal(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    DecimalParts parts = {digitsAt(text), 0, 0};
    size_t length = parts.wholeDigits;
    if (text[length] == '.') {
        parts.fractionDigits = digitsAt(text + length + 1);
        length += 1 + parts.fractionDigits;
    }
    if (parts.wholeDigits + parts.fractionDigits == 0) return 0.0;
    if (text[length] == 'e' || text[length] == 'E') {
        size_t signLength = (text[length + 1] == '-' || text[length + 1] == '+') ? 1 : 0;
        const char* exponent = text + length + 1 + signLength;
        size_t exponentDigits = digitsAt(exponent);
        if (exponentDigits > 0) {
            parts.exponent = exponentValue(exponent, exponentDigits);
            if (text[length + 1] == '-') parts.exponent = -parts.exponent;
            length += 1 + signLength + exponentDigits;
        }
    }
    double value = 0.0;
    std::from_chars_result result = std::from_chars(text, text + length, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small is zero; too large is held at the largest double rather than made infinite
        value = leadingPower(text, parts) < 0 ? 0.0 : std::numeric_limits<double>::max();
    }
    return negative ? -value : value;
}

int parseWhole(const char* text) {
    // atoi semantics, with out-of-range values held at the int limits instead of undefined
    long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// A value beyond the float's range is held at its limit rather than made infinite.
float narrowToFloat(double value) {
    constexpr double kLimit = std::numeric_limits<float>::max();
    if (value > kLimit) return std::numeric_limits<float>::max();
    if (value < -kLimit) return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}
