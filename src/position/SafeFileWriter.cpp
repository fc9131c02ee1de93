// Writing a file through a temporary file, a flush to the disk and a rename.
#include "position/SafeFileWriter.h"

#include <cstring>

#include "files/FileAccess.h"
#include "text/BoundedText.h"

namespace {

// Where the folder part of `path` ends: after its last separator, or at its start.
size_t folderLength(const char* path) {
    size_t length = 0;
    for (size_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '/' || path[i] == '\\') length = i + 1;
    }
    return length;
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { abandon(); }

bool SafeFileWriter::open(const char* path) {
    abandon();
    failed_ = false;
    buffered_ = 0;
    if (!copyText(targetPath_, sizeof targetPath_, path)) return false;
    // A fixed short name, so that a target name of the longest length the
    // file system allows still leaves room for the temporary file's name.
    if (!formatText(tempPath_, sizeof tempPath_, "%.*s%s", static_cast<int>(folderLength(path)), path,
                    kTemporaryFileName)) {
        return false;
    }
    file_ = createFile(tempPath_);
    return file_ >= 0;
}

void SafeFileWriter::write(const char* text) {
    if (file_ < 0 || failed_) return;
    const size_t length = std::strlen(text);
    if (buffered_ + length > sizeof buffer_ && !writeBuffered()) return;
    if (length > sizeof buffer_) {
        failed_ = !writeBytes(file_, text, length);
        return;
    }
    std::memcpy(buffer_ + buffered_, text, length);
    buffered_ += length;
}

bool SafeFileWriter::writeBuffered() {
    failed_ = failed_ || !writeBytes(file_, buffer_, buffered_);
    buffered_ = 0;
    return !failed_;
}

bool SafeFileWriter::commit(const char* keepOldAs) {
    if (file_ < 0) return false;
    // The data must be on the disk before the rename makes it the target:
    // otherwise a power cut could leave a target the rename emptied.
    bool written = writeBuffered() && flushFileToDisk(file_);
    bool closed = closeFile(file_);
    file_ = -1;
    if (written && closed && keepOldAs != nullptr) (void)replaceFile(targetPath_, keepOldAs);  // none the first time
    if (written && closed && replaceFile(tempPath_, targetPath_)) {
        // A part of the target's path, so it always fits.
        char folder[kWriterPathSize] = ".";
        size_t length = folderLength(targetPath_);
        if (length > 0) (void)formatText(folder, sizeof folder, "%.*s", static_cast<int>(length), targetPath_);
        syncFolder(folder);
        return true;
    }
    removeTempFile();
    return false;
}

void SafeFileWriter::abandon() {
    if (file_ < 0) return;
    (void)closeFile(file_);  // its contents are thrown away: a failed close changes nothing
    file_ = -1;
    removeTempFile();
}

// A temporary file that cannot be removed does no harm: it is never listed as a
// position file and the next save starts it afresh.
void SafeFileWriter::removeTempFile() { removeFile(tempPath_); }
