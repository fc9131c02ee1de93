// What the start found of the simulator's last run of the plug-in, and what
// became of that run's last auto-save: kept apart, or still to be kept.
#pragma once

#include <cstdint>

#include "files/PluginFiles.h"

enum class LastEnd {
    Clean,   // stopped in an earlier run of the simulator
    Crash,   // never stopped: the simulator died; or not known
    Reload,  // stopped earlier in this same run: the plug-ins were reloaded
};

struct CrashSaveState {
    LastEnd lastEnd;
    int32_t keepPending;    // 1 while the last run's AutoSave.skd could not be kept: nothing is saved over it
    int32_t movedAutoSave;  // 1 once this start made AutoSave.skd AutoSave-last-session.skd
    // The file the resume window offers after a crash ("" when none): the
    // kept crash save, or AutoSave.skd while it waits to be kept.
    char offer[kCrashSaveNameLength + 1];
};
