// Leading-number parsing for the position record and the settings.
#include "text/NumberText.h"

#include <fast_float/fast_float.h>

#include <climits>
#include <cmath>
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
    size_t wholeDigits = digitsAt(text);
    size_t length = wholeDigits;
    size_t fractionDigits = 0;
    if (text[length] == '.') {
        fractionDigits = digitsAt(text + length + 1);
        length += 1 + fractionDigits;
    }
    if (wholeDigits + fractionDigits == 0) return 0.0;
    if (text[length] == 'e' || text[length] == 'E') {
        size_t signLength = (text[length + 1] == '-' || text[length + 1] == '+') ? 1 : 0;
        size_t exponentDigits = digitsAt(text + length + 1 + signLength);
        if (exponentDigits > 0) length += 1 + signLength + exponentDigits;
    }
    // Only the characters scanned above are read. fast_float rounds a number
    // too small for a double to zero and one too large to infinity, which is
    // held at the largest double.
    double value = 0.0;
    fast_float::from_chars(text, text + length, value, fast_float::chars_format::general);
    if (std::isinf(value)) value = std::numeric_limits<double>::max();
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
