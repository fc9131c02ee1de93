// The names a settings file may give hot keys and their modifiers, and their
// translation into the simulator's virtual-key codes and key-flag bits.
#pragma once

#include <cstdint>

constexpr int kKeyNameSize = 80;  // name field, terminator included

struct KeyNameRow {
    char name[kKeyNameSize];
    int32_t code;
};

constexpr int kKeyNameCount = 111;
constexpr int kModifierNameCount = 5;
extern const KeyNameRow KeyNameTable[kKeyNameCount];
extern const KeyNameRow ModifierNameTable[kModifierNameCount];

// The virtual-key code of a key name (case-sensitive), 0 for an unknown name.
int keyCodeFromName(const char* name);
// The sum of the flags of the modifier names in `text`, separated by any run
// of spaces, "+" and line feeds. A name given twice counts twice.
int modifierFlagsFromNames(const char* text);
