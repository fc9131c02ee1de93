// Writing a record as a position file, for callers that report a failure in
// their own way.
#pragma once

#include "position/PositionRecord.h"
#include "position/SafeFileWriter.h"

// Writes `record` to `path` as a whole position file, the file it replaces
// kept as `keepOldAs` (when not null) once the new one has taken its place
// (`old` says whether it was); or, failing, leaves both as they were. False on
// failure, of which it tells no one: the caller does. A field too large to be
// written fails it and is named in `tooLarge`, null otherwise.
bool writeRecordFile(const char* path, const PositionRecord& record, const char* keepOldAs, OldFile& old,
                     const char*& tooLarge);
