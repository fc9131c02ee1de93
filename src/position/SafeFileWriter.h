// Replaces a file without ever destroying it, even in a crash or a power cut:
// the new contents go to a temporary file in the same folder, which reaches
// the disk before it is renamed over the target, and only when every write
// succeeded; the folder is then synced, so the rename is on the disk too.
// Nothing is allocated: the file is written through a descriptor and a
// buffer of the writer's own.
#pragma once

#include <cstddef>

#include "files/PluginFiles.h"  // kTemporaryFileName and kKeptCopyFileName, the names of the writer's own files

// Bytes of a target or temporary path, terminator included: those of the
// plug-in's own path buffers (PositionFile.cpp checks that they agree).
constexpr size_t kWriterPathSize = 512;

// What became of the target's old file, for a commit asked to keep it.
enum class OldFile {
    None,     // there was none to keep
    Kept,     // it took the place of the file named to keep it
    NotKept,  // the new file took its place all the same
};

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();  // abandons a file that was not committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file beside `path`; false when it cannot be created.
    bool open(const char* path);
    // Writes `text`; a failure makes commit fail.
    void write(const char* text);
    // Writes what is buffered, flushes the temporary file to the disk, closes
    // it and renames it over the target. With `keepOldAs`, a copy of the
    // target there (when there is one) replaces that file once the new one
    // has taken its place, and `old` says whether it did. A failure to keep it fails nothing
    // else; on any failure before the new file takes its place, the temporary
    // file is removed and the target and `keepOldAs` are left as they were.
    bool commit();
    bool commit(const char* keepOldAs, OldFile& old);

private:
    bool besideTarget(const char* name, char (&path)[kWriterPathSize]) const;
    bool writeBuffered();
    bool finish();
    bool replaceTarget();
    void syncTargetFolder();
    void abandon();
    void removeTempFile();

    int file_ = -1;
    bool failed_ = false;
    size_t buffered_ = 0;
    char buffer_[1024] = {};  // a whole position file fits
    char targetPath_[kWriterPathSize] = {};
    char tempPath_[kWriterPathSize] = {};
};
