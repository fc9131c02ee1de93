// A save as the simulator's thread hands it to the writer thread: the record
// and where it goes; and what became of it, for the simulator's thread to show.
// A new step of a save is a field here and its lines in performSave.
#pragma once

#include <cstdint>

#include "position/PositionRecord.h"
#include "position/SafeFileWriter.h"

// Who hears of the result: a pilot's save shows its failure in the message
// window, the auto-save in its log lines.
enum class SaveKind : int32_t { Pilot, AutoSave };

struct SaveJob {
    SaveKind kind;
    PositionRecord record;
    char path[kWriterPathSize];
    char keepOldAs[kWriterPathSize];  // where the file it replaces is kept; empty: it is not
};

struct SaveResult {
    bool saved;
    OldFile old;           // what became of the replaced file, when it was to be kept
    const char* tooLarge;  // the key of a field too large to be written, or null
};

// Writes the job's file. Touches nothing but the files and the job, so any
// thread may run it.
SaveResult performSave(const SaveJob& job);
