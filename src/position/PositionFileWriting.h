// Writing a record as a position file, for callers that report a failure in
// their own way.
#pragma once

#include "position/PositionRecord.h"

// Writes `record` to `path` as a whole position file, or leaves the file as it
// was; false on failure, which only the log hears of (a field too large).
bool writeRecordFile(const char* path, const PositionRecord& record);
