// The platform seams of Platform.h: POSIX (dlopen) and Windows (LoadLibrary).
#include "Platform.h"

#include <algorithm>
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
    std::filesystem::path full = std::filesystem::absolute(std::filesystem::u8path(folder), ignored);
    return full.make_preferred().u8string();
}

// Windows-1252's characters 0x80 to 0x9F; 0 where it has none.
constexpr wchar_t kCodePageHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char codePageByte(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kCodePageHigh[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string pathForPlugin(const std::string& path, bool nativePaths) {
    if (nativePaths) {
        std::string text = path;
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    }
    std::wstring wide = std::filesystem::u8path(path).wstring();
    std::string text;
    for (size_t i = 0; i < wide.size(); ++i) {
        text += codePageByte(wide[i]);
        if (wide[i] >= 0xD800 && wide[i] < 0xDC00) ++i;  // one "?" for a character beyond UTF-16's first plane
    }
    return text;
}

std::filesystem::path pathFromPlugin(const char* text, bool nativePaths) {
    if (nativePaths) return std::filesystem::u8path(text);
    std::wstring wide;
    for (const char* c = text; *c != '\0'; ++c) {
        auto byte = static_cast<unsigned char>(*c);
        wide += byte >= 0x80 && byte < 0xA0 ? kCodePageHigh[byte - 0x80] : static_cast<wchar_t>(byte);
    }
    return std::filesystem::path(wide);
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

std::string pathForPlugin(const std::string& path, bool) { return path; }

std::filesystem::path pathFromPlugin(const char* text, bool) { return std::filesystem::path(text); }

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
