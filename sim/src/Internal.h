// What the stand-in's parts share with each other (not part of the driver API).
#pragma once

#include <string>

#include "Attribution.h"
#include "skysim/Sim.h"

// The simulator's C functions: the plug-in module imports them when it is loaded.
// Each starts with SKYSIM_STAND_IN_CODE.
#define SKYSIM_EXPORT extern "C" __attribute__((visibility("default")))

namespace skysim {

// Each part forgets its state when the simulator is reset.
void resetCore(const std::string& rootFolder);  // data, menus, hot keys, flight loops, logs
void resetWidgets();                            // widget tree, drawing record

// Appends one line (a newline is added) to the simulator's log, where a plug-in's
// faults that the real simulator would only crash on or ignore become visible.
void simLogLine(const std::string& line);

}  // namespace skysim
