// The stand-in's menus: the simulator's plug-ins menu, and the menus plug-ins
// create, each attached to an existing item of its parent. Destroying a menu
// removes it and the menus below it; the parent's item stays, as in the
// simulator. Removing an item takes the menus below it. What a stopped
// plug-in leaves in any menu stays, as in the simulator, and no longer
// reaches the plug-in: its menus' handlers are not called again.
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
    int owner;    // the plug-in run that appended it (pluginRun()); 0 for the driver
    long serial;  // never reused: what a menu below it hangs from
};

struct Menu {
    std::string name;
    std::vector<Item> items;
    XPLMMenuHandler_f handler = nullptr;
    void* menuRef = nullptr;
    long parentItem = 0;  // serial of the item it hangs from
    int owner = 0;
};

constexpr std::intptr_t kPluginsMenuId = 1;

// Built before main: running out of memory there ends the process whatever catches it.
Menu pluginsMenu{"Plugins", {}, nullptr, nullptr, 0, 0};  // NOLINT(cert-err58-cpp)
std::map<std::intptr_t, Menu> createdMenus;               // by id, so in creation order
std::intptr_t nextMenuId = kPluginsMenuId + 1;            // never reused, so a stale id finds nothing
long nextItemSerial = 1;

Menu* findMenu(XPLMMenuID id) {
    std::intptr_t key = reinterpret_cast<std::intptr_t>(id);
    if (key == kPluginsMenuId) return &pluginsMenu;
    auto found = createdMenus.find(key);
    return found != createdMenus.end() ? &found->second : nullptr;
}

// The driver's menus, and the running plug-in's; a stopped plug-in's are never called.
bool reachable(const Menu& menu) { return menu.handler != nullptr && (menu.owner == 0 || menu.owner == pluginRun()); }

const Menu* menuNamed(const std::string& name) {
    for (const auto& [id, menu] : createdMenus) {
        if (menu.name == name && reachable(menu)) return &menu;
    }
    return nullptr;
}

// An index counts only the caller's own items of the menu, as the plug-ins
// menu's indices do whatever other plug-ins add to it.
std::vector<Item>::iterator ownItem(Menu& menu, int index) {
    const int owner = pluginRun();
    return std::find_if(menu.items.begin(), menu.items.end(),
                        [&](const Item& item) { return item.owner == owner && index-- == 0; });
}

int ownItemCount(const Menu& menu) {
    const int owner = pluginRun();
    return static_cast<int>(
        std::count_if(menu.items.begin(), menu.items.end(), [owner](const Item& item) { return item.owner == owner; }));
}

void destroyMenusBelow(const std::vector<Item>& items);

void destroyMenu(std::intptr_t id) {
    auto found = createdMenus.find(id);
    if (found == createdMenus.end()) return;
    std::vector<Item> items = std::move(found->second.items);
    createdMenus.erase(found);
    destroyMenusBelow(items);
}

void destroyMenusBelow(const std::vector<Item>& items) {
    std::vector<std::intptr_t> below;
    for (const auto& [id, menu] : createdMenus) {
        auto hangsHere = [&menu = menu](const Item& item) { return item.serial == menu.parentItem; };
        if (std::any_of(items.begin(), items.end(), hangsHere)) below.push_back(id);
    }
    for (std::intptr_t id : below) destroyMenu(id);
}

}  // namespace

void resetMenus() {
    pluginsMenu.items.clear();
    createdMenus.clear();
}

void reportPluginMenus(int run) {
    auto reportItems = [run](const Menu& menu) {
        for (const Item& item : menu.items) {
            if (item.owner != run) continue;
            simLogLine("XPluginStop: the plug-in did not remove its item \"" + item.info.text + "\" from the menu \"" +
                       menu.name + "\"; it stays");
        }
    };
    reportItems(pluginsMenu);
    for (const auto& [id, menu] : createdMenus) {
        if (menu.owner == run) {
            simLogLine("XPluginStop: the plug-in did not destroy its menu \"" + menu.name +
                       "\"; it stays, and its items no longer reach the plug-in");
        } else {
            reportItems(menu);
        }
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
        if (!reachable(menu)) continue;
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

// Returns the new item's index among the caller's items of the menu, or -1 for an unknown menu.
SKYSIM_EXPORT int XPLMAppendMenuItem(XPLMMenuID menu, const char* name, void* itemRef, int) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Menu* target = findMenu(menu);
    if (target == nullptr) return -1;
    target->items.push_back({{name != nullptr ? name : "", itemRef}, pluginRun(), nextItemSerial++});
    return ownItemCount(*target) - 1;
}

// The caller's items after the removed one move up one index.
SKYSIM_EXPORT void XPLMRemoveMenuItem(XPLMMenuID menu, int index) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Menu* target = findMenu(menu);
    if (target == nullptr) {
        simLogLine("XPLMRemoveMenuItem: unknown menu; nothing removed");
        return;
    }
    auto item = ownItem(*target, index);
    if (item == target->items.end()) {
        simLogLine("XPLMRemoveMenuItem: the menu \"" + target->name + "\" has no item " + std::to_string(index) +
                   " of the caller; nothing removed");
        return;
    }
    std::vector<Item> removed{*item};
    target->items.erase(item);
    destroyMenusBelow(removed);
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
    auto item = ownItem(*parentMenu, parentItem);
    if (item == parentMenu->items.end()) {
        simLogLine("XPLMCreateMenu: the parent menu has no item " + std::to_string(parentItem) + " for \"" + text +
                   "\"; no menu made");
        return nullptr;
    }
    std::intptr_t id = nextMenuId++;
    createdMenus[id] = Menu{text, {}, handler, menuRef, item->serial, pluginRun()};
    return reinterpret_cast<XPLMMenuID>(id);
}

SKYSIM_EXPORT void XPLMDestroyMenu(XPLMMenuID menu) {
    SKYSIM_STAND_IN_CODE;
    skysim::destroyMenu(reinterpret_cast<std::intptr_t>(menu));
}
