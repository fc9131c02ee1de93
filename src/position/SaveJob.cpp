// What the writer thread does with a save.
#include "position/SaveJob.h"

#include "position/PositionFileWriting.h"

SaveResult performSave(const SaveJob& job) {
    SaveResult result{false, OldFile::None, nullptr};
    const char* keepOldAs = job.keepOldAs[0] != '\0' ? job.keepOldAs : nullptr;
    result.saved = writeRecordFile(job.path, job.record, keepOldAs, result.old, result.tooLarge);
    return result;
}
