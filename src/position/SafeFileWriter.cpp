// Writing a file through a temporary file and a rename.
#include "position/SafeFileWriter.h"

#include <cstdio>

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
    if (!copyText(targetPath_, sizeof targetPath_, path)) return false;
    // A fixed short name, so that a target name of the longest length the
    // file system allows still leaves room for the temporary file's name.
    if (!formatText(tempPath_, sizeof tempPath_, "%.*s%s", static_cast<int>(folderLength(path)), path,
                    kTemporaryFileName)) {
        return false;
    }
    file_ = openFile(tempPath_, "w");
    return file_ != nullptr;
}

// A failed write sets the stream's error indicator, which commit reads.
void SafeFileWriter::write(const char* text) {
    if (file_ != nullptr) (void)std::fputs(text, file_);
}

bool SafeFileWriter::commit() {
    if (file_ == nullptr) return false;
    bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (written && closed && replaceFile(tempPath_, targetPath_)) return true;
    removeTempFile();
    return false;
}

void SafeFileWriter::abandon() {
    if (file_ == nullptr) return;
    (void)std::fclose(file_);  // its contents are thrown away: a failed close changes nothing
    file_ = nullptr;
    removeTempFile();
}

// A temporary file that cannot be removed does no harm: it is never listed as a
// position file and the next save starts it afresh.
void SafeFileWriter::removeTempFile() { removeFile(tempPath_); }
