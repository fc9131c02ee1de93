// The eight user commands; the number indexes the hot-key slots and is the
// hot key's reference text ("00" to "07").
#pragma once

enum Command {
    GET_DATA = 0,
    LOAD = 1,
    SAVE = 2,
    QUICK_LOAD = 3,
    QUICK_SAVE = 4,
    POSITION = 5,
    CONTROL_PANEL = 6,
    DATA_DISPLAY = 7,
};

constexpr int kCommandCount = 8;

// The plug-in menu's items, in the order they are shown, and the command each
// runs. Each text's own address is the item's reference.
struct MenuItem {
    const char* text;
    int command;
};
constexpr int kMenuItemCount = 8;
extern const MenuItem kMenuItems[kMenuItemCount];
