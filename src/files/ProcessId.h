// The simulator's process, as the system numbers it: the same for every start
// of the plug-in in one run of the simulator, another in the next run.
#pragma once

unsigned long currentProcessId();
