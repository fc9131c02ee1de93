// Bounded copies and formats into fixed buffers. Each reports whether the
// whole text fitted, so that callers can tell the user when it did not.
#pragma once

#include <cstddef>

// Copies `text` into `out` (size bytes), always terminated. True when it fitted.
bool copyText(char* out, size_t size, const char* text);
// Appends `text` to the terminated text in `out`. True when it fitted.
bool appendText(char* out, size_t size, const char* text);
// snprintf into `out`; true when the whole result fitted.
bool formatText(char* out, size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
