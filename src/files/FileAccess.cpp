// The plug-in's file operations, in the form each system takes paths.
#include "files/FileAccess.h"

#ifdef _WIN32
#include <windows.h>

#include <cwchar>
#endif

namespace {

PathEncoding pathEncoding = PathEncoding::Utf8;

#ifdef _WIN32

// Room for any path the plug-in builds (at most 511 bytes, so at most 511
// UTF-16 units) and its terminator.
constexpr int kWidePathSize = 512;

// `text` in UTF-16; false when it is not valid text of the encoding in use or
// does not fit, so a damaged name never opens some other file.
bool toWide(const char* text, wchar_t (&out)[kWidePathSize]) {
    UINT codePage = pathEncoding == PathEncoding::Utf8 ? CP_UTF8 : CP_ACP;
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, out, kWidePathSize) > 0;
}

#endif

}  // namespace

void usePathEncoding(PathEncoding encoding) { pathEncoding = encoding; }

#ifdef _WIN32

std::FILE* openFile(const char* path, const char* mode) {
    wchar_t widePath[kWidePathSize];
    wchar_t wideMode[8];
    if (!toWide(path, widePath) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 8) <= 0) return nullptr;
    return _wfopen(widePath, wideMode);
}

bool replaceFile(const char* from, const char* to) {
    wchar_t wideFrom[kWidePathSize];
    wchar_t wideTo[kWidePathSize];
    return toWide(from, wideFrom) && toWide(to, wideTo) &&
           MoveFileExW(wideFrom, wideTo, MOVEFILE_REPLACE_EXISTING) != 0;
}

void removeFile(const char* path) {
    wchar_t widePath[kWidePathSize];
    if (toWide(path, widePath)) (void)_wremove(widePath);
}

#else

std::FILE* openFile(const char* path, const char* mode) { return std::fopen(path, mode); }

bool replaceFile(const char* from, const char* to) { return std::rename(from, to) == 0; }

void removeFile(const char* path) { (void)std::remove(path); }

#endif
