// Whether a name typed into the save dialog may become a file's name.
#pragma once

// A name that leaves the plug-in's folder, names a drive, a stream, a device or
// one of the plug-in's own files, holds a character Windows refuses in file
// names, or ends in a "." or a blank, which Windows would drop.
bool isUnsafeFileName(const char* name);
