// The stand-in's menus: the simulator's plug-ins menu, and the menus the
// plug-in creates, each attached to an existing item of its parent. Destroying
// a menu removes it and the menus below it; the parent's item stays, as in the
// simulator. A stopped plug-in's items in the plug-ins menu go with its menus,
// so every menu that exists hangs from an existing item and can be picked.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>

#include "CoreParts.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

struct Item {
    MenuItemInfo info;
    bool byPlugin;
};

struct Menu {
    std::string name;
    std::vector<Item> items;
    XPLMMenuHandler_f handler = nullptr;
    void* menuRef = nullptr;
    std::intptr_t parent = 0;
    bool byPlugin = false;
};

constexpr std::intptr_t kPluginsMenuId = 1;

// Built before main: running out of memory there ends the process whatever catches it.
Menu pluginsMenu{"Plugins", {}, nullptr, nullptr, 0, false};  // NOLINT(cert-err58-cpp)
std::map<std::intptr_t, Menu> createdMenus;                   // by id, so in creation order
std::intptr_t nextMenuId = kPluginsMenuId + 1;                // never reused, so a stale id finds nothing

Menu* findMenu(XPLMMenuID id) {
    std::intptr_t key = reinterpret_cast<std::intptr_t>(id);
    if (key == kPluginsMenuId) return &pluginsMenu;
    auto found = createdMenus.find(key);
    return found != createdMenus.end() ? &found->second : nullptr;
}

const Menu* menuNamed(const std::string& name) {
    for (const auto& [id, menu] : createdMenus) {
        if (menu.name == name && menu.handler != nullptr) return &menu;
    }
    return nullptr;
}

void destroyMenu(std::intptr_t id) {
    if (createdMenus.erase(id) == 0) return;
    std::vector<std::intptr_t> children;
    for (const auto& [childId, menu] : createdMenus) {
        if (menu.parent == id) children.push_back(childId);
    }
    for (std::intptr_t child : children) destroyMenu(child);
}

}  // namespace

void resetMenus() {
    pluginsMenu.items.clear();
    createdMenus.clear();
}

void releasePluginMenus() {
    auto& items = pluginsMenu.items;
    items.erase(std::remove_if(items.begin(), items.end(), [](const Item& item) { return item.byPlugin; }),
                items.end());
    for (auto menu = createdMenus.begin(); menu != createdMenus.end();) {
        if (!menu->second.byPlugin) {
            ++menu;
            continue;
        }
        simLogLine("XPluginStop: the plug-in did not destroy its menu \"" + menu->second.name +
                   "\"; the simulator removed it");
        menu = createdMenus.erase(menu);
    }
}

std::vector<std::string> Sim::pluginsMenuItems() const {
    std::vector<std::string> texts;
    std::transform(pluginsMenu.items.begin(), pluginsMenu.items.end(), std::back_inserter(texts),
                   [](const Item& item) { return item.info.text; });
    return texts;
}

std::vector<MenuItemInfo> Sim::menuItems(const std::string& menuName) const {
    std::vector<MenuItemInfo> infos;
    const Menu* menu = menuNamed(menuName);
    if (menu != nullptr) {
        std::transform(menu->items.begin(), menu->items.end(), std::back_inserter(infos),
                       [](const Item& item) { return item.info; });
    }
    return infos;
}

int Sim::menuCount() const { return static_cast<int>(createdMenus.size()); }

int Sim::menuItemCount() const {
    size_t count = pluginsMenu.items.size();
    for (const auto& [id, menu] : createdMenus) count += menu.items.size();
    return static_cast<int>(count);
}

bool Sim::pickMenuItem(const std::string& itemText) {
    for (const auto& [id, menu] : createdMenus) {
        if (menu.handler == nullptr) continue;
        for (const Item& item : menu.items) {
            if (item.info.text != itemText) continue;
            // The handler may change the menus: call it with copies.
            XPLMMenuHandler_f handler = menu.handler;
            void* menuRef = menu.menuRef;
            void* itemRef = item.info.itemRef;
            callPlugin(handler, menuRef, itemRef);
            return true;
        }
    }
    return false;
}

bool Sim::pickMenuItemRef(const std::string& menuName, void* itemRef) {
    const Menu* menu = menuNamed(menuName);
    if (menu == nullptr) return false;
    XPLMMenuHandler_f handler = menu->handler;
    callPlugin(handler, menu->menuRef, itemRef);
    return true;
}

}  // namespace skysim

SKYSIM_EXPORT XPLMMenuID XPLMFindPluginsMenu(void) {
    SKYSIM_STAND_IN_CODE;
    return reinterpret_cast<XPLMMenuID>(skysim::kPluginsMenuId);
}

// Returns the new item's index, or -1 for an unknown menu.
SKYSIM_EXPORT int XPLMAppendMenuItem(XPLMMenuID menu, const char* name, void* itemRef, int) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Menu* target = findMenu(menu);
    if (target == nullptr) return -1;
    target->items.push_back({{name != nullptr ? name : "", itemRef}, pluginSessionOpen()});
    return static_cast<int>(target->items.size()) - 1;
}

// A menu hangs from an existing item of a known menu; otherwise none is made.
SKYSIM_EXPORT XPLMMenuID XPLMCreateMenu(const char* name, XPLMMenuID parent, int parentItem, XPLMMenuHandler_f handler,
                                        void* menuRef) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    std::string text = name != nullptr ? name : "";
    Menu* parentMenu = findMenu(parent);
    if (parentMenu == nullptr) {
        simLogLine("XPLMCreateMenu: unknown parent menu for \"" + text + "\"; no menu made");
        return nullptr;
    }
    if (parentItem < 0 || parentItem >= static_cast<int>(parentMenu->items.size())) {
        simLogLine("XPLMCreateMenu: the parent menu has no item " + std::to_string(parentItem) + " for \"" + text +
                   "\"; no menu made");
        return nullptr;
    }
    std::intptr_t id = nextMenuId++;
    createdMenus[id] = Menu{text, {}, handler, menuRef, reinterpret_cast<std::intptr_t>(parent), pluginSessionOpen()};
    return reinterpret_cast<XPLMMenuID>(id);
}

SKYSIM_EXPORT void XPLMDestroyMenu(XPLMMenuID menu) {
    SKYSIM_STAND_IN_CODE;
    skysim::destroyMenu(reinterpret_cast<std::intptr_t>(menu));
}
