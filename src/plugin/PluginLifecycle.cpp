// Start and stop sequences of the plug-in: menu, folders, settings, data
// references, flight loops, hot keys, simulator commands, windows and the log's opening and
// closing lines.
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>

#include "config/HotKeyNames.h"
#include "log/PluginLog.h"
#include "plugin/Callbacks.h"
#include "plugin/Identity.h"
#include "plugin/MenuItems.h"
#include "plugin/Paths.h"
#include "plugin/PluginApp.h"
#include "position/SafeFileWriter.h"
#include "text/BoundedText.h"
#include "ui/MessageWindow.h"

PluginApp* thePluginApp = nullptr;

static_assert(kMaxPathLength < kPathSize, "every path the plug-in opens fits its path buffers");
static_assert(std::char_traits<char>::length(kSettingsFileName) <= std::char_traits<char>::length(kTemporaryFileName) &&
                  std::char_traits<char>::length(kLogFileName) <= std::char_traits<char>::length(kTemporaryFileName) &&
                  std::char_traits<char>::length(kKeptCopyFileName) <=
                      std::char_traits<char>::length(kTemporaryFileName),
              "the folder's check, made for the temporary file, covers the settings file, the log and the kept copy");

void PluginApp::start(char* name, char* signature, char* description) {
    copyText(name, kSimulatorTextSize, kPluginName);
    copyText(signature, kSimulatorTextSize, kPluginSignature);
    formatText(description, kSimulatorTextSize, "%s %s %s", kPluginName, kPluginVersion, kCreditText);
    copyText(versionText, sizeof versionText, kPluginVersion);

    pluginsMenuItem = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Sky Placer", nullptr, 1);
    pluginMenu = XPLMCreateMenu("Sky Placer", XPLMFindPluginsMenu(), pluginsMenuItem, MenuHandler, nullptr);
    // The item's reference is its own text, which the menu handler compares.
    for (const MenuItem& item : kMenuItems) {
        XPLMAppendMenuItem(pluginMenu, item.text, const_cast<char*>(item.text), 1);
    }

    enableNativePaths();
    buildFolderPaths();
    setDefaults();
    readSettings(settingsPath);
    lookUpDataRefs();
    startAutoSave();
    XPLMRegisterFlightLoopCallback(PlacementFlightLoop, 1.0f, nullptr);
    registerHotKeys();
    registerCommands();
    resetWorkingState();

    logMessage("+++ LOGGING STARTED +++\n");
    formatText(textBuffer, sizeof textBuffer, "%s %s %s\n", kPluginName, versionText, kCreditText);
    logMessage(textBuffer);

    XPLMRegisterFlightLoopCallback(StartupFlightLoop, 1.0f, nullptr);
    startSaveWriter();
}

// dataFolder is the simulator's folder followed by the plug-in's folder. It
// must leave room for the longest of the plug-in's own file names, the save's
// temporary file, within kMaxPathLength, so the settings file and the log fit
// too. A path that does not fit is not cut (a cut path would name another
// file): every path stays empty, every read then fails, and the simulator's log
// says why.
void PluginApp::buildFolderPaths() {
    char systemPath[kSystemPathSize];
    readSystemPath(systemPath);
    if (copyText(dataFolder, sizeof dataFolder, systemPath) && appendPluginFolder(dataFolder, sizeof dataFolder) &&
        std::strlen(dataFolder) + std::strlen(kTemporaryFileName) <= kMaxPathLength &&
        formatText(settingsPath, sizeof settingsPath, "%s%s", dataFolder, kSettingsFileName) &&
        formatText(logPath, sizeof logPath, "%s%s", dataFolder, kLogFileName)) {
        return;
    }
    dataFolder[0] = '\0';
    settingsPath[0] = '\0';
    logPath[0] = '\0';
    simulatorLog(prefixed("The path of the SkyPlacer folder is too long; no file can be read or written.\n").text);
}

void PluginApp::setDefaults() {
    config.DebugView = 0;
    config.AutoStart = 0;
    config.PauseAutoStart = 0;
    config.LogFile = 1;
    config.HeartBeatTimerEnabled = 1;
    config.HeartBeatTime = 60.0f;
    config.DefaultSKDFileName[0] = '\0';
    config.HideControlPanel = 0;
    config.AutoSaveMinutes = 0;
}

void PluginApp::lookUpDataRefs() {
    struct NamedRef {
        const char* name;
        XPLMDataRef PluginApp::*member;
    };
    static const NamedRef kDataRefs[] = {
        {"sim/flightmodel/position/q", &PluginApp::qRef},
        {"sim/flightmodel/position/local_x", &PluginApp::localXRef},
        {"sim/flightmodel/position/local_y", &PluginApp::localYRef},
        {"sim/flightmodel/position/local_z", &PluginApp::localZRef},
        {"sim/flightmodel/position/local_vx", &PluginApp::localVxRef},
        {"sim/flightmodel/position/local_vy", &PluginApp::localVyRef},
        {"sim/flightmodel/position/local_vz", &PluginApp::localVzRef},
        {"sim/flightmodel/engine/ENGN_thro", &PluginApp::throttleRef},
        {"sim/flightmodel/position/magnetic_variation", &PluginApp::magneticVariationRef},
        {"sim/flightmodel/position/theta", &PluginApp::thetaRef},
        {"sim/flightmodel/position/phi", &PluginApp::phiRef},
        {"sim/flightmodel/position/psi", &PluginApp::psiRef},
        {"sim/flightmodel/position/latitude", &PluginApp::latitudeRef},
        {"sim/flightmodel/position/longitude", &PluginApp::longitudeRef},
        {"sim/flightmodel/position/elevation", &PluginApp::elevationRef},
        {"sim/flightmodel/position/indicated_airspeed", &PluginApp::indicatedAirspeedRef},
        {"sim/flightmodel/controls/flaprqst", &PluginApp::flapRequestRef},
        {"sim/cockpit/switches/gear_handle_status", &PluginApp::gearHandleRef},
        {"sim/cockpit/autopilot/autopilot_mode", &PluginApp::apModeRef},
        {"sim/cockpit/autopilot/altitude", &PluginApp::apAltitudeRef},
        {"sim/cockpit/autopilot/vertical_velocity", &PluginApp::apVerticalVelocityRef},
        {"sim/cockpit/autopilot/airspeed", &PluginApp::apAirspeedRef},
        {"sim/cockpit/autopilot/heading_mag", &PluginApp::apHeadingRef},
        {"sim/cockpit/autopilot/autopilot_state", &PluginApp::apStateRef},
        {"sim/cockpit/autopilot/heading_roll_mode", &PluginApp::apHeadingRollModeRef},
        {"sim/weather/rho", &PluginApp::airDensityRef},
        {"sim/weather/wind_now_x_msc", &PluginApp::windEastRef},
        {"sim/weather/wind_now_y_msc", &PluginApp::windUpRef},
        {"sim/weather/wind_now_z_msc", &PluginApp::windSouthRef},
        {"sim/flightmodel2/misc/has_crashed", &PluginApp::hasCrashedRef},
        {"sim/time/is_in_replay", &PluginApp::inReplayRef},
    };
    static const char* const kRotationRates[] = {
        "sim/flightmodel/position/P",    "sim/flightmodel/position/Q",    "sim/flightmodel/position/R",
        "sim/flightmodel/position/Prad", "sim/flightmodel/position/Qrad", "sim/flightmodel/position/Rrad",
    };
    static_assert(std::size(kRotationRates) == sizeof rotationRateRefs / sizeof rotationRateRefs[0], "one per rate");
    // Handles are stored unchecked: an unknown name gives a null handle, which the simulator ignores.
    for (const NamedRef& ref : kDataRefs) this->*ref.member = XPLMFindDataRef(ref.name);
    for (size_t i = 0; i < std::size(kRotationRates); ++i) rotationRateRefs[i] = XPLMFindDataRef(kRotationRates[i]);
}

// One registration per action the settings file bound; the reference text
// "00" to "09" is both the description and the value handed back. A tap of the
// key fires it once, on the press (see hotKeyRegistrationFlags).
void PluginApp::registerHotKeys() {
    for (int action = 0; action < kActionCount; ++action) {
        const HotKeySlot& slot = hotKeys[action];
        if (slot.enabled == 0) continue;
        char* text = hotKeyRefcons[action];
        formatText(text, kTextSize, "%02d", action);
        hotKeyHandles[action] = XPLMRegisterHotKey(static_cast<char>(slot.key), hotKeyRegistrationFlags(slot.modifiers),
                                                   text, HotKeyHandler, text);
    }
}

void PluginApp::resetWorkingState() {
    controlPanelVisible = 0;
    dataDisplayVisible = 0;
    controlPanelCreated = 0;
    dataDisplayCreated = 0;
    fileDialogWindow = nullptr;
    messageWindow = nullptr;
    resumeWindow = nullptr;
    resumeAnswer = 0;
    fileDialogCloseRequested = 0;
    messageWindowResult = 0;
    fileLoaded = 0;
    placementDone = 1;
    pendingSettle = PendingSettle{};
    undo = UndoState{};
    std::memset(listText, 0, sizeof listText);
    std::memset(textBuffer, 0, sizeof textBuffer);
    storedRecord = PositionRecord{};
    captureBeforeSave = 1;
}

namespace {

// Every window the plug-in still holds goes before the application object its
// callbacks forward to, each widget told by its destroy message (the list box
// frees its item store). A window never built, or already closed, is null.
void destroyWindows(const PluginApp& app) {
    for (XPWidgetID window :
         {app.resumeWindow, app.fileDialogWindow, app.messageWindow, app.dataDisplayWindow, app.controlPanelWindow}) {
        if (window != nullptr) XPDestroyWidget(window, 1);
    }
}

}  // namespace

// The saves asked go to the disk first, while their windows can still be shown.
void PluginApp::stop() {
    stopSaveWriter();
    destroyWindows(*this);
    for (int action = 0; action < kActionCount; ++action) {
        HotKeySlot& slot = hotKeys[action];
        if (slot.enabled == 0) continue;
        XPLMUnregisterHotKey(hotKeyHandles[action]);
        slot = HotKeySlot{};
    }
    unregisterCommands();
    XPLMUnregisterFlightLoopCallback(StartupFlightLoop, nullptr);
    XPLMUnregisterFlightLoopCallback(PlacementFlightLoop, nullptr);
    XPLMDestroyMenu(pluginMenu);
    // The simulator keeps a stopped plug-in's items: without this, every reload would add one more.
    XPLMRemoveMenuItem(XPLMFindPluginsMenu(), pluginsMenuItem);
    stopCrashSaves();
    logMessage("--- LOGGING STOPPED ---\n\n");
}
