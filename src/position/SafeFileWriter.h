// Replaces a file without ever destroying it: the new contents go to a
// temporary file in the same folder, which is renamed over the target only
// when every write and the close succeeded.
#pragma once

#include <cstddef>
#include <cstdio>

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
    // Closes the temporary file and renames it over the target. On any failure
    // the temporary file is removed and the target is left as it was.
    bool commit();

private:
    void abandon();
    void removeTempFile();

    FILE* file_ = nullptr;
    char targetPath_[kWriterPathSize] = {};
    char tempPath_[kWriterPathSize] = {};
};
