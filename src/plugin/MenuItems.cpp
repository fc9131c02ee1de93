// The plug-in menu's items.
#include "plugin/MenuItems.h"

const MenuItem kMenuItems[kMenuItemCount] = {
    {"Control Panel", CONTROL_PANEL}, {"Data Display", DATA_DISPLAY},  {"Load Position File", LOAD},
    {"Save Position File", SAVE},     {"Quick Load File", QUICK_LOAD}, {"Quick Save File", QUICK_SAVE},
    {"Get Data", GET_DATA},           {"Position", POSITION},
};
