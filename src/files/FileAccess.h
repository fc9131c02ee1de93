// Every file operation of the plug-in: opening, replacing and removing files by
// the paths the simulator's folder gives. On Windows a path is turned into
// UTF-16 and handed to the wide calls, so any folder name reaches the file
// system as it is; elsewhere the C library takes the path's bytes unchanged.
#pragma once

#include <cstdio>

// How the path texts are written: in UTF-8 (the simulator's native paths), or
// in the system's code page (its legacy paths on Windows). UTF-8 until told.
enum class PathEncoding { Utf8, SystemCodePage };
void usePathEncoding(PathEncoding encoding);

// Opens a file as fopen does ("r", "w", "at"...); null when it cannot be
// opened or its path is not text of the encoding in use.
std::FILE* openFile(const char* path, const char* mode);

// Renames `from` over `to`, replacing an existing `to`; false on failure.
bool replaceFile(const char* from, const char* to);

// Removes a file if it can. Its only caller throws away a temporary file, for
// which a failure changes nothing, so none is reported.
void removeFile(const char* path);
