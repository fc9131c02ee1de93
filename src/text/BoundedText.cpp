// Bounded text helpers shared by every subsystem.
#include "text/BoundedText.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool copyText(char* out, size_t size, const char* text) {
    if (size == 0) return false;
    size_t length = std::strlen(text);
    size_t kept = length < size ? length : size - 1;
    std::memcpy(out, text, kept);
    out[kept] = '\0';
    return kept == length;
}

bool appendText(char* out, size_t size, const char* text) {
    size_t used = strnlen(out, size);
    if (used >= size) return false;
    return copyText(out + used, size - used, text);
}

bool formatText(char* out, size_t size, const char* format, ...) {
    if (size == 0) return false;
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(out, size, format, args);
    va_end(args);
    return length >= 0 && static_cast<size_t>(length) < size;
}
