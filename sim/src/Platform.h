// What differs between the platforms the stand-in is built for: how its
// functions are exported, how a plug-in module is opened, and the form of the
// simulator's paths. Platform.cpp holds the two implementations.
#pragma once

#include <filesystem>
#include <string>

// The simulator's C functions: the plug-in module imports them when it is
// loaded. On Windows the stand-in is a DLL and they are its exports.
#ifdef _WIN32
#define SKYSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define SKYSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace skysim {

// The separator of the driver's paths, and of the simulator's legacy paths:
// "\" on Windows, "/" elsewhere.
const char* directorySeparator();
// A path or name of the driver's (UTF-8, the platform's separators) as the
// simulator gives it to the plug-in: with native paths in UTF-8 with "/"; with
// legacy paths on Windows in the code page (Windows-1252), where a character
// outside it becomes "?". Linux's legacy paths are its native ones.
std::string pathForPlugin(const std::string& path, bool nativePaths);
// A path text from the plug-in, read the same way, as the file system takes it.
std::filesystem::path pathFromPlugin(const char* text, bool nativePaths);
// True for a character that ends a folder's name: "/", and on Windows "\" too.
bool isSeparator(char c);
// A root folder as the simulator names it: on Windows a full drive path with
// backslashes ("C:\X-Plane 12"); elsewhere the folder as given.
std::string simulatorFolderPath(const std::string& folder);

// Opens a plug-in module with every import bound at once, or returns null and
// says why in `error`. The module is never closed.
void* openModule(const std::string& path, std::string* error);
// One exported function of an opened module, or null.
void* moduleFunction(void* module, const char* name);

}  // namespace skysim
