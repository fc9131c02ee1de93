// The names a save may take: the rules of Windows' file names, so a position
// file saved on Linux opens on Windows too, and no save destroys a file the
// plug-in depends on.
#include "ui/SafeFileName.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

#include "files/PluginFiles.h"

namespace {

// Windows' device names: a file of such a name, with any extension, is the device.
constexpr const char* kDeviceNames[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                        "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                        "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

// The plug-in's own files: a position file saved under one of their names would destroy it.
constexpr const char* kOwnFileNames[] = {kSettingsFileName, kLogFileName, kTemporaryFileName, kKeptCopyFileName,
                                         kRunMarkFileName};

// The first `length` characters of `name` are `other`, in any case (as Windows compares file names).
bool sameIgnoringCase(const char* name, size_t length, const char* other) {
    if (std::strlen(other) != length) return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != std::toupper(static_cast<unsigned char>(other[i]))) {
            return false;
        }
    }
    return true;
}

// The name up to its first "." (and any blanks before it) is a device name, in any case.
bool isDeviceName(const char* name) {
    size_t length = std::strcspn(name, ".");
    while (length > 0 && name[length - 1] == ' ') --length;
    return std::any_of(std::begin(kDeviceNames), std::end(kDeviceNames),
                       [name, length](const char* device) { return sameIgnoringCase(name, length, device); });
}

bool isOwnFileName(const char* name) {
    size_t length = std::strlen(name);
    return std::any_of(std::begin(kOwnFileNames), std::end(kOwnFileNames),
                       [name, length](const char* own) { return sameIgnoringCase(name, length, own); });
}

// A name that leaves the plug-in's folder, names a drive, a stream, a device or
// one of the plug-in's own files, or holds a character Windows refuses in file names.
bool isUnsafeName(const char* name) {
    for (const char* c = name; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) < 32 || std::strchr("/\\:<>\"|?*", *c) != nullptr) return true;
    }
    return std::strcmp(name, "..") == 0 || isDeviceName(name) || isOwnFileName(name);
}

// Windows drops a final "." or blank from a file's name: "Home." would be saved as "Home".
bool endsInDotOrBlank(const char* name) {
    size_t length = std::strlen(name);
    return length > 0 && (name[length - 1] == '.' || name[length - 1] == ' ');
}

}  // namespace

bool isUnsafeFileName(const char* name) { return isUnsafeName(name) || endsInDotOrBlank(name); }
