// The platform seams of Platform.h: POSIX (dlopen) and Windows (LoadLibrary).
#include "Platform.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace skysim {

#ifdef _WIN32

const char* directorySeparator() { return "\\"; }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string simulatorFolderPath(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::path full = std::filesystem::absolute(folder, ignored);
    return full.make_preferred().string();
}

// The loader's own message for the last error, without its line end.
static std::string lastErrorText() {
    DWORD code = GetLastError();
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
    return "error " + std::to_string(code) + (length > 0 ? ": " + std::string(text, length) : "");
}

// The DLLs the module imports are found as for any DLL: the stand-in's own
// (XPLM_64.dll, XPWidgets_64.dll, opengl32.dll) lie beside the program. No
// error box is shown for a module that cannot be loaded.
void* openModule(const std::string& path, std::string* error) {
    std::string native = std::filesystem::path(path).make_preferred().string();
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(native.c_str());
    if (module == nullptr && error != nullptr) *error = "cannot load " + native + ": " + lastErrorText();
    SetErrorMode(previousMode);
    return reinterpret_cast<void*>(module);
}

void* moduleFunction(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

#else

const char* directorySeparator() { return "/"; }

bool isSeparator(char c) { return c == '/'; }

std::string simulatorFolderPath(const std::string& folder) { return folder; }

void* openModule(const std::string& path, std::string* error) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr && error != nullptr) {
        const char* reason = dlerror();
        *error = reason != nullptr ? reason : "cannot load " + path;
    }
    return module;
}

void* moduleFunction(void* module, const char* name) { return dlsym(module, name); }

#endif

}  // namespace skysim
