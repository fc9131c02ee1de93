// The actions, and how a hot key and a menu item reach them.
#include <cstring>

#include "plugin/MenuItems.h"
#include "plugin/PluginApp.h"
#include "ui/WindowLayout.h"

namespace {

// A window that is built on first demand and afterwards only shown and hidden.
struct ToggledWindow {
    int32_t PluginApp::*created;
    int32_t PluginApp::*visible;
    XPWidgetID PluginApp::*window;
    void (PluginApp::*create)(int left, int top, int width, int height);
    const WindowPlace& place;
};
constexpr ToggledWindow kControlPanel = {&PluginApp::controlPanelCreated, &PluginApp::controlPanelVisible,
                                         &PluginApp::controlPanelWindow, &PluginApp::createControlPanel,
                                         kControlPanelPlace};
constexpr ToggledWindow kDataDisplay = {&PluginApp::dataDisplayCreated, &PluginApp::dataDisplayVisible,
                                        &PluginApp::dataDisplayWindow, &PluginApp::createDataDisplay,
                                        kDataDisplayPlace};

// Builds the window once; true when this call built it.
bool buildOnce(PluginApp& app, const ToggledWindow& w) {
    if (app.*w.created != 0) return false;
    (app.*w.create)(w.place.left, w.place.top, w.place.width, w.place.height);
    app.*w.created = 1;
    return true;
}

void buildOrShow(PluginApp& app, const ToggledWindow& w) {
    if (!buildOnce(app, w) && XPIsWidgetVisible(app.*w.window) == 0) XPShowWidget(app.*w.window);
}

// The visible flag records the last show or hide by an action, not what the screen shows.
void toggle(PluginApp& app, const ToggledWindow& w) {
    app.*w.visible = app.*w.visible == 0 ? 1 : 0;
    if (app.*w.visible == 1) {
        buildOrShow(app, w);
    } else if (app.*w.created == 1) {
        XPHideWidget(app.*w.window);
    }
}

// The action number of a hot key's reference text ("00" to "09"), read from
// its leading digits; -1 when the text starts with no digit or names no action.
int actionOfReference(const char* text) {
    if (text == nullptr || *text < '0' || *text > '9') return -1;
    int number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + (*text - '0');
        if (number >= kActionCount) return -1;
    }
    return number;
}

}  // namespace

void PluginApp::dispatchHotKey(void* reference) {
    const int action = actionOfReference(static_cast<const char*>(reference));
    if (action >= 0) runAction(action);
}

void PluginApp::dispatchMenu(void*, void* itemReference) {
    const char* text = static_cast<const char*>(itemReference);
    if (text == nullptr) return;
    for (const MenuItem& item : kMenuItems) {
        if (std::strcmp(text, item.text) != 0) continue;
        // The menu only ever shows the two windows; the hot keys toggle them.
        if (item.action == CONTROL_PANEL) {
            showControlPanel();
        } else if (item.action == DATA_DISPLAY) {
            showDataDisplay();
        } else {
            runAction(item.action);
        }
    }
}

void PluginApp::runAction(int action) {
    switch (action) {
        case GET_DATA:
            getData();
            break;
        case LOAD:
            openLoadDialog();
            break;
        case SAVE:
            openSaveDialog(1);
            break;  // the file gets the aircraft's state at the time of writing
        case QUICK_LOAD:
            quickLoad();
            break;
        case QUICK_SAVE:
            quickSave(1);
            break;
        case POSITION:
            armPlacementIfEnabled();
            break;
        case CONTROL_PANEL:
            toggleControlPanel();
            break;
        case DATA_DISPLAY:
            toggleDataDisplay();
            break;
        case UNDO_PLACEMENT:
            requestUndo();
            break;
        case RESUME_AFTER_CRASH:
            openResumeWindow();
            break;
        default:
            break;
    }
}

// Places storedRecord as it is; unlike the panel's button, the panel's fields are not read first.
void PluginApp::armPlacementIfEnabled() {
    if (controlPanelCreated != 1 || positionButton == nullptr) return;  // no panel, no enabled button
    if (XPGetWidgetProperty(positionButton, xpProperty_Enabled, nullptr) != 0) placementDone = 0;
}

void PluginApp::showControlPanel() {
    buildOrShow(*this, kControlPanel);
    controlPanelVisible = 1;
}

void PluginApp::showDataDisplay() {
    buildOrShow(*this, kDataDisplay);
    dataDisplayVisible = 1;
}

bool PluginApp::buildControlPanelOnce() { return buildOnce(*this, kControlPanel); }

void PluginApp::toggleControlPanel() { toggle(*this, kControlPanel); }
void PluginApp::toggleDataDisplay() { toggle(*this, kDataDisplay); }
