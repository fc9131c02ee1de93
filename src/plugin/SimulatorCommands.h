// The actions as the simulator's commands, which pilots bind to keys and
// joystick buttons in the simulator's own settings.
#pragma once

#include "plugin/Actions.h"

struct SimulatorCommand {
    const char* name;
    const char* description;  // as the simulator's settings list shows it
    int action;
};

// In action order; each entry's own address is its handler's reference value.
extern const SimulatorCommand kSimulatorCommands[kActionCount];
