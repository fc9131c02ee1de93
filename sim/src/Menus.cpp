// The stand-in's menus: the simulator's plug-ins menu, and the menus the
// plug-in creates, each attached to an item of its parent. Destroying a menu
// removes it and the menus below it; the parent's item stays, as in the simulator.
#include <cstdint>
#include <map>

#include "CoreParts.h"
#include "Internal.h"
#include "plugin/XPLMApi.h"

namespace skysim {
namespace {

struct Menu {
    std::string name;
    std::vector<MenuItemInfo> items;
    XPLMMenuHandler_f handler = nullptr;
    void* menuRef = nullptr;
    std::intptr_t parent = 0;
};

constexpr std::intptr_t kPluginsMenuId = 1;

Menu pluginsMenu{"Plugins", {}, nullptr, nullptr, 0};
std::map<std::intptr_t, Menu> createdMenus;     // by id, so in creation order
std::intptr_t nextMenuId = kPluginsMenuId + 1;  // never reused, so a stale id finds nothing

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

std::vector<std::string> Sim::pluginsMenuItems() const {
    std::vector<std::string> texts;
    for (const MenuItemInfo& item : pluginsMenu.items) texts.push_back(item.text);
    return texts;
}

std::vector<MenuItemInfo> Sim::menuItems(const std::string& menuName) const {
    const Menu* menu = menuNamed(menuName);
    return menu != nullptr ? menu->items : std::vector<MenuItemInfo>();
}

int Sim::menuCount() const { return static_cast<int>(createdMenus.size()); }

bool Sim::pickMenuItem(const std::string& itemText) {
    for (const auto& [id, menu] : createdMenus) {
        if (menu.handler == nullptr) continue;
        for (const MenuItemInfo& item : menu.items) {
            if (item.text != itemText) continue;
            // The handler may change the menus: call it with copies.
            XPLMMenuHandler_f handler = menu.handler;
            void* menuRef = menu.menuRef;
            void* itemRef = item.itemRef;
            handler(menuRef, itemRef);
            return true;
        }
    }
    return false;
}

bool Sim::pickMenuItemRef(const std::string& menuName, void* itemRef) {
    const Menu* menu = menuNamed(menuName);
    if (menu == nullptr) return false;
    XPLMMenuHandler_f handler = menu->handler;
    handler(menu->menuRef, itemRef);
    return true;
}

}  // namespace skysim

SKYSIM_EXPORT XPLMMenuID XPLMFindPluginsMenu(void) { return reinterpret_cast<XPLMMenuID>(skysim::kPluginsMenuId); }

// Returns the new item's index, or -1 for an unknown menu.
SKYSIM_EXPORT int XPLMAppendMenuItem(XPLMMenuID menu, const char* name, void* itemRef, int) {
    skysim::Menu* target = skysim::findMenu(menu);
    if (target == nullptr) return -1;
    target->items.push_back({name != nullptr ? name : "", itemRef});
    return static_cast<int>(target->items.size()) - 1;
}

// A menu with no known parent is made all the same: it stands alone.
SKYSIM_EXPORT XPLMMenuID XPLMCreateMenu(const char* name, XPLMMenuID parent, int, XPLMMenuHandler_f handler,
                                        void* menuRef) {
    using namespace skysim;
    std::intptr_t id = nextMenuId++;
    std::intptr_t parentId = findMenu(parent) != nullptr ? reinterpret_cast<std::intptr_t>(parent) : 0;
    createdMenus[id] = Menu{name != nullptr ? name : "", {}, handler, menuRef, parentId};
    return reinterpret_cast<XPLMMenuID>(id);
}

SKYSIM_EXPORT void XPLMDestroyMenu(XPLMMenuID menu) { skysim::destroyMenu(reinterpret_cast<std::intptr_t>(menu)); }
