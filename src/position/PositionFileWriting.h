// Writing a record as a position file, for callers that report a failure in
// their own way.
#pragma once

#include "position/PositionRecord.h"

// Writes `record` to `path` as a whole position file, the file it replaces
// renamed to `keepOldAs` once the new one is on the disk; or, failing before
// that, leaves both as they were. False on failure, of which it tells no one:
// the caller does.
bool writeRecordFile(const char* path, const PositionRecord& record, const char* keepOldAs);
