// Marks the module's entry points as its only exported symbols. Everything
// else is built hidden (-fvisibility=hidden on ELF; on Windows, the first
// dllexport turns off the linker's export-everything default).
#pragma once

#if defined(_WIN32)
#define PLUGIN_API __declspec(dllexport)
#else
#define PLUGIN_API __attribute__((visibility("default")))
#endif
