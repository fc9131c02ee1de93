// Well-formed UTF-8, by the table of the Unicode standard (section 3.9).
#include "text/Utf8Text.h"

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The bytes of the character that starts with `lead`, and the range its second
// byte must lie in (narrower than a continuation's for overlongs, surrogates
// and code points above U+10FFFF); 0 for a byte that starts no character.
int sequenceLength(unsigned char lead, unsigned char* low, unsigned char* high) {
    *low = 0x80;
    *high = 0xBF;
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) return 2;
    if (lead == 0xE0) *low = 0xA0;
    if (lead == 0xED) *high = 0x9F;
    if (lead < 0xF0) return 3;
    if (lead == 0xF0) *low = 0x90;
    if (lead == 0xF4) *high = 0x8F;
    return lead < 0xF5 ? 4 : 0;
}

}  // namespace

bool isValidUtf8(const char* text) {
    const auto* c = reinterpret_cast<const unsigned char*>(text);
    while (*c != 0) {
        unsigned char low = 0;
        unsigned char high = 0;
        int length = sequenceLength(*c, &low, &high);
        if (length == 0) return false;
        if (length > 1 && (c[1] < low || c[1] > high)) return false;
        for (int i = 2; i < length; ++i) {
            if (!isContinuation(c[i])) return false;
        }
        c += length;
    }
    return true;
}
