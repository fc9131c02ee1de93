// What the stand-in's parts share with each other (not part of the driver API).
#pragma once

#include <string>

#include "Attribution.h"
#include "Platform.h"  // SKYSIM_EXPORT: the simulator's C functions, each starting with SKYSIM_STAND_IN_CODE
#include "skysim/Sim.h"

namespace skysim {

// Each part forgets its state when the simulator is reset.
void resetCore(const std::string& rootFolder);  // data, menus, hot keys, flight loops, logs
void resetWidgets();                            // widget tree, drawing record

// Appends one line (a newline is added) to the simulator's log, where a plug-in's
// faults that the real simulator would only crash on or ignore become visible.
void simLogLine(const std::string& line);

}  // namespace skysim
