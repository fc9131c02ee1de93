// The names of the files in a folder, as the simulator lists them: the file
// dialog's list and the crash saves are both found this way.
#pragma once

// Calls `each` with every name in `folder` (a path ending in its separator),
// in the simulator's own order. An unknown folder (empty) lists nothing.
void forEachFileName(const char* folder, void (*each)(const char* name, void* context), void* context);
