// Replaces a file without ever destroying it, even in a crash or a power cut:
// the new contents go to a temporary file in the same folder, which reaches
// the disk before it is renamed over the target, and only when every write
// succeeded; the folder is then synced, so the rename is on the disk too.
// Nothing is allocated: the file is written through a descriptor and a
// buffer of the writer's own.
#pragma once

#include <cstddef>

#include "files/PluginFiles.h"  // kTemporaryFileName, the name the writer gives its temporary file

// Bytes of a target or temporary path, terminator included: those of the
// plug-in's own path buffers (PositionFile.cpp checks that they agree).
constexpr size_t kWriterPathSize = 512;

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
    // it and renames it over the target; with `keepOldAs`, the target there is
    // first renamed to that path (when there is one). On any failure before
    // that the temporary file is removed and the target is left as it was.
    bool commit(const char* keepOldAs = nullptr);

private:
    bool writeBuffered();
    void abandon();
    void removeTempFile();

    int file_ = -1;
    bool failed_ = false;
    size_t buffered_ = 0;
    char buffer_[1024] = {};  // a whole position file fits
    char targetPath_[kWriterPathSize] = {};
    char tempPath_[kWriterPathSize] = {};
};
