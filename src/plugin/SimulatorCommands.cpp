// The actions as the simulator's commands. A command runs its action
// once, when pressed, by the same rules as the hot key of that action.
#include "plugin/SimulatorCommands.h"

#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"

const SimulatorCommand kSimulatorCommands[kActionCount] = {
    {"skyplacer/get_data", "SkyPlacer: Capture the aircraft's position and state", GET_DATA},
    {"skyplacer/load_position_file", "SkyPlacer: Open the file dialog to load a position file", LOAD},
    {"skyplacer/save_position_file", "SkyPlacer: Open the file dialog to save the aircraft's position", SAVE},
    {"skyplacer/quick_load", "SkyPlacer: Load the quick file", QUICK_LOAD},
    {"skyplacer/quick_save", "SkyPlacer: Save the aircraft's position to the quick file", QUICK_SAVE},
    {"skyplacer/position", "SkyPlacer: Put the aircraft at the held position", POSITION},
    {"skyplacer/toggle_control_panel", "SkyPlacer: Show or hide the control panel", CONTROL_PANEL},
    {"skyplacer/toggle_data_display", "SkyPlacer: Show or hide the data display", DATA_DISPLAY},
    {"skyplacer/undo_placement", "SkyPlacer: Put the aircraft back where the last placement found it", UNDO_PLACEMENT},
    {"skyplacer/resume_after_crash", "SkyPlacer: Offer to put the aircraft back at the last crash's save",
     RESUME_AFTER_CRASH},
};

namespace {

// Handlers run before the simulator's own handling of the command.
constexpr int kBefore = 1;

void* referenceOf(const SimulatorCommand& entry) { return const_cast<SimulatorCommand*>(&entry); }

}  // namespace

// A reloaded plug-in gets the same commands back: the simulator keeps them for its whole run.
void PluginApp::registerCommands() {
    for (const SimulatorCommand& entry : kSimulatorCommands) {
        XPLMCommandRef command = XPLMCreateCommand(entry.name, entry.description);
        commandRefs[entry.action] = command;
        if (command != nullptr) XPLMRegisterCommandHandler(command, CommandHandler, kBefore, referenceOf(entry));
    }
}

// With exactly the arguments of the registration, or the simulator keeps the handler.
void PluginApp::unregisterCommands() {
    for (const SimulatorCommand& entry : kSimulatorCommands) {
        XPLMCommandRef& command = commandRefs[entry.action];
        if (command != nullptr) XPLMUnregisterCommandHandler(command, CommandHandler, kBefore, referenceOf(entry));
        command = nullptr;
    }
}

// Held commands send a continue phase every frame and an end phase on release:
// neither repeats the action. Every phase goes on to the simulator (1).
int PluginApp::dispatchCommand(XPLMCommandRef, XPLMCommandPhase phase, const void* refcon) {
    if (phase != xplm_CommandBegin) return 1;
    for (const SimulatorCommand& entry : kSimulatorCommands) {
        if (refcon == &entry) runAction(entry.action);
    }
    return 1;
}
