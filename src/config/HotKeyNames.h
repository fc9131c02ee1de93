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
// The flags a hot key is registered with. The simulator fires a hot key on the
// key message whose flags equal them, and a keyboard sends Down with the
// modifiers, then the modifiers alone for every repeat, then Up: modifiers
// alone would fire on the repeats only, never on a tap. So Down is added unless
// the settings already chose Down or Up.
int hotKeyRegistrationFlags(int modifiers);
