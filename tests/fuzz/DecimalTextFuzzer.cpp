// The decimal writers against printf: for any double or int and any buffer
// size, formatFixed must write exactly what "%f" writes and formatInteger what
// "%d" writes, byte for byte including what a short buffer leaves untouched.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "text/BoundedText.h"
#include "text/DecimalText.h"

namespace {

// Room for the longest "%f" of a double (DBL_MAX has 309 whole digits).
constexpr size_t kRoom = 400;

// Sizes below 40 cut most texts; larger ones fit every text.
size_t bufferSizeFrom(uint8_t byte) { return byte < 128 ? byte % 40 : kRoom; }

template <typename Writer, typename Reference>
void compare(const char* what, size_t size, Writer writer, Reference reference) {
    char written[kRoom];
    char expected[kRoom];
    std::memset(written, 0x5a, sizeof written);
    std::memset(expected, 0x5a, sizeof expected);
    bool fitted = writer(written, size);
    bool expectedFitted = reference(expected, size);
    if (fitted != expectedFitted || std::memcmp(written, expected, sizeof written) != 0) {
        std::printf("fuzz check failed: %s into %zu bytes gave \"%.*s\" (%d), printf \"%.*s\" (%d)\n", what, size,
                    static_cast<int>(size), written, fitted, static_cast<int>(size), expected, expectedFitted);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    double real = 0;
    std::memcpy(&real, data, sizeof real);
    int whole = 0;
    std::memcpy(&whole, data, sizeof whole);
    size_t room = bufferSizeFrom(data[8]);

    compare(
        "%f", room, [real](char* out, size_t n) { return formatFixed(out, n, real); },
        [real](char* out, size_t n) { return formatText(out, n, "%f", real); });
    compare(
        "%d", room, [whole](char* out, size_t n) { return formatInteger(out, n, whole); },
        [whole](char* out, size_t n) { return formatText(out, n, "%d", whole); });
    return 0;
}
