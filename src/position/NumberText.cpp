// Leading-number parsing for the position record and the settings.
#include "position/NumberText.h"

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

}  // namespace

// A decimal number is an optional sign, digits with an optional point and
// fraction, and an optional exponent, with "." as the point whatever the
// process's locale. Anything else ("nan", "inf", hexadecimal) is no number.
double parseReal(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    size_t length = digitsAt(text);
    size_t mantissaDigits = length;
    if (text[length] == '.') {
        size_t fraction = digitsAt(text + length + 1);
        mantissaDigits += fraction;
        length += 1 + fraction;
    }
    if (mantissaDigits == 0) return 0.0;
    bool exponentNegative = false;
    if (text[length] == 'e' || text[length] == 'E') {
        size_t signLength = (text[length + 1] == '-' || text[length + 1] == '+') ? 1 : 0;
        size_t exponent = digitsAt(text + length + 1 + signLength);
        if (exponent > 0) {
            exponentNegative = text[length + 1] == '-';
            length += 1 + signLength + exponent;
        }
    }
    double value = 0.0;
    std::from_chars_result result = std::from_chars(text, text + length, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small is zero; too large is held at the largest double rather than made infinite
        value = exponentNegative ? 0.0 : std::numeric_limits<double>::max();
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
