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
    if (!copyText(targetPath_, sizeof targetPath_, path) || !besideTarget(kTemporaryFileName, tempPath_)) return false;
    file_ = createFile(tempPath_);
    return file_ >= 0;
}

// A fixed short name, so that a target name of the longest length the file
// system allows still leaves room for the writer's own files' names.
bool SafeFileWriter::besideTarget(const char* name, char (&path)[kWriterPathSize]) const {
    return formatText(path, sizeof path, "%.*s%s", static_cast<int>(folderLength(targetPath_)), targetPath_, name);
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

bool SafeFileWriter::commit() {
    if (!finish() || !replaceTarget()) return false;
    syncTargetFolder();
    return true;
}

// The old target is copied, and the copy is on the disk, before the new file
// takes its place; only then does the copy replace `keepOldAs`. So the target
// is never absent, `keepOldAs` is always whole, and a save that fails leaves
// both as they were.
bool SafeFileWriter::commit(const char* keepOldAs, OldFile& old) {
    old = OldFile::None;
    if (!finish()) return false;
    const bool hadOld = isFile(targetPath_);
    char copyPath[kWriterPathSize];
    // The copy's name is as long as the temporary file's, which fitted.
    const bool named = besideTarget(kKeptCopyFileName, copyPath);
    const bool copied = hadOld && named && copyFileToDisk(targetPath_, copyPath);
    const bool replaced = replaceTarget();
    if (replaced && hadOld) old = copied && replaceFile(copyPath, keepOldAs) ? OldFile::Kept : OldFile::NotKept;
    // A copy not kept (part-written, `keepOldAs` held open or a folder, or
    // one a killed save left) is thrown away.
    if (named && old != OldFile::Kept) removeFile(copyPath);
    if (replaced) syncTargetFolder();
    return replaced;
}

// The data must be on the disk before the rename makes it the target:
// otherwise a power cut could leave a target the rename emptied.
bool SafeFileWriter::finish() {
    if (file_ < 0) return false;
    bool written = writeBuffered() && flushFileToDisk(file_);
    bool closed = closeFile(file_);
    file_ = -1;
    if (written && closed) return true;
    removeTempFile();
    return false;
}

bool SafeFileWriter::replaceTarget() {
    if (replaceFile(tempPath_, targetPath_)) return true;
    removeTempFile();
    return false;
}

// So that the renames are on the disk too.
void SafeFileWriter::syncTargetFolder() {
    // A part of the target's path, so it always fits.
    char folder[kWriterPathSize] = ".";
    size_t length = folderLength(targetPath_);
    if (length > 0) (void)formatText(folder, sizeof folder, "%.*s", static_cast<int>(length), targetPath_);
    syncFolder(folder);
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
