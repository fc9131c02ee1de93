// The plug-in menu's items, in the order they are shown, and the action each
// runs. Each text's own address is the item's reference.
#pragma once

#include "plugin/Actions.h"

struct MenuItem {
    const char* text;
    int action;
};
constexpr int kMenuItemCount = 8;
extern const MenuItem kMenuItems[kMenuItemCount];
