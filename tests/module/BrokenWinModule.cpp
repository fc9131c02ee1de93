// A Windows module that breaks the rules of check-win-module.sh: it exports a
// function beyond the entry points and, linked with MinGW's shared runtime,
// imports from libstdc++-6.dll and libgcc_s_seh-1.dll; it opens a file by a
// path in the code page (fopen) instead of UTF-16. Built as a program
// (BROKEN_AS_PROGRAM) it is a PE file that is not a DLL.
#include <cstdio>
#include <string>

extern "C" __declspec(dllexport) int XPluginStart(char* name, char*, char*) {
    std::string text(name);
    std::FILE* file = std::fopen(name, "r");
    if (file != nullptr) std::fclose(file);
    return static_cast<int>(text.size());
}

extern "C" __declspec(dllexport) int ExtraExport(void) { return 0; }

#ifdef BROKEN_AS_PROGRAM
int main() { return ExtraExport(); }
#endif
