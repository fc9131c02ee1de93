// Checks text that must be UTF-8, as the simulator's native paths are.
#pragma once

// True when `text` is well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char* text);
