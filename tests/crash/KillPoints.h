// Kills the process with SIGKILL at a chosen point of a save, as a crash or a
// power cut would stop it. The file calls the plug-in module imports from the
// C library are defined again in KillPoints.cpp; a program linked with it and
// with its symbols exported (--export-dynamic) is where the module's calls land
// first, and each passes on to the C library's own. A save is known by its
// calls, whatever file it writes: a file opened for writing anew (a stream
// opened "w", or a descriptor opened with O_TRUNC), its writes, flush, sync
// and close, and a rename; appends (the log) are not watched.
#pragma once

namespace killpoints {

// The events of a save through the temporary file, in their order.
enum class SaveEvent {
    Opened,   // a file has been opened for writing anew, nothing written to it yet
    Write,    // a write to it is about to run
    Close,    // it is about to be flushed, synced or closed
    Rename,   // a rename is about to run
    Renamed,  // a rename has just happened
};

// Kills the process at the next event of this kind.
void killAt(SaveEvent event);
// Kills the process at the `events`-th save event from now (0: the next one).
void killAfter(int events);
// Holds the thread that reaches the next event of this kind there for
// `milliseconds`, as a slow disk holds a save; once.
void slowAt(SaveEvent event, int milliseconds);
}  // namespace killpoints
