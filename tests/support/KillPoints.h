// Kills the process with SIGKILL at a chosen point of a save, as a crash or a
// power cut would stop it. The file calls the plug-in module imports from the
// C library are defined again in KillPoints.cpp; a program linked with it and
// with its symbols exported (--export-dynamic) is where the module's calls land
// first, and each passes on to the C library's own. Only the calls on the
// plug-in's temporary file are watched, so nothing else is slowed or changed.
#pragma once

namespace killpoints {

// The events of a save through the temporary file, in their order.
enum class SaveEvent {
    Opened,   // the temporary file has been created, nothing written to it yet
    Write,    // a write to it is about to run
    Close,    // it is about to be flushed, synced or closed
    Rename,   // it is about to be renamed over the target
    Renamed,  // the rename has just happened
};

// Kills the process at the next event of this kind.
void killAt(SaveEvent event);
// Kills the process at the `events`-th save event from now (0: the next one).
void killAfter(int events);
// No kill armed; save events since the last arming.
void disarm();
int eventsSeen();

}  // namespace killpoints
