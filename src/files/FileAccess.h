// Every file operation of the plug-in: opening, replacing and removing files by
// the paths the simulator's folder gives. On Windows a path is turned into
// UTF-16 and handed to the wide calls, so any folder name reaches the file
// system as it is; elsewhere the C library takes the path's bytes unchanged.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>

// How the path texts are written: in UTF-8 (the simulator's native paths), or
// in the system's code page (its legacy paths on Windows). UTF-8 until told.
enum class PathEncoding { Utf8, SystemCodePage };
void usePathEncoding(PathEncoding encoding);

// Opens a file as fopen does ("r", "w", "at"...); null when it cannot be
// opened or its path is not text of the encoding in use.
std::FILE* openFile(const char* path, const char* mode);

// Creates a file for writing, emptying one that exists, as fopen's "w" does
// (on Windows in text mode, so "\n" is written as "\r\n"). A descriptor, or -1.
// Unlike fopen it allocates nothing.
int createFile(const char* path);

// Writes all `length` bytes; false when any could not be written.
bool writeBytes(int descriptor, const char* data, size_t length);

// Waits until the file's data is on the disk itself, not only in the system's
// cache (fsync; on Windows _commit, which is FlushFileBuffers); false on failure.
bool flushFileToDisk(int descriptor);

// Closes a descriptor; false when the close reports an error.
bool closeFile(int descriptor);

// Renames `from` over `to`, replacing an existing `to`; false on failure. On
// Windows the call returns once the rename is on the disk.
bool replaceFile(const char* from, const char* to);

// Makes the renames done in a folder reach the disk (fsync of the folder).
// Windows has no such call: its rename is written through instead. A failure
// is not reported: the renames themselves are done either way.
void syncFolder(const char* folder);

// True when `path` names a file, not a folder.
bool isFile(const char* path);

// Copies the bytes of `from` into a new file `to`, replacing one there, and
// waits until the copy is on the disk; false on any failure, when `to` may be
// left part-written. Nothing is allocated.
bool copyFileToDisk(const char* from, const char* to);

// True when both files can be read and hold the same bytes.
bool sameFileBytes(const char* first, const char* second);

// The local time the file was last written; false when it cannot be told.
bool fileWrittenAt(const char* path, std::tm& local);

// Removes a file if it can. Its callers throw away temporary files, for which
// a failure changes nothing, so none is reported.
void removeFile(const char* path);
