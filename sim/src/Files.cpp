// The stand-in's file-system functions: the root path, the separator and the
// directory listing. A listing names every entry of the folder but "." and
// "..", files and folders alike, sorted by name byte by byte.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "Internal.h"
#include "plugin/XPLMApi.h"

namespace skysim {
namespace {

constexpr int kSystemPathSize = 512;

// The entries of a folder given as a full path without a trailing separator;
// false when the path is refused or cannot be read.
bool listFolder(const char* folder, std::vector<std::string>* names) {
    if (folder == nullptr || folder[0] == '\0' || isSeparator(folder[std::strlen(folder) - 1])) return false;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return false;
    for (const auto& entry : entries) names->push_back(entry.path().filename().string());
    std::sort(names->begin(), names->end());
    return true;
}

}  // namespace
}  // namespace skysim

SKYSIM_EXPORT void XPLMGetSystemPath(char* out512) {
    SKYSIM_STAND_IN_CODE;
    if (out512 == nullptr) return;
    std::string root = skysim::Sim::get().rootPath();
    std::snprintf(out512, skysim::kSystemPathSize, "%s", root.c_str());
    if (root.size() >= skysim::kSystemPathSize) {
        XPLMDebugString("XPLMGetSystemPath: the root path does not fit in 512 bytes and was cut\n");
    }
}

SKYSIM_EXPORT const char* XPLMGetDirectorySeparator(void) {
    SKYSIM_STAND_IN_CODE;
    return skysim::directorySeparator();
}

// Names from `firstReturn` on go one after another into `names`, each with its
// terminator, with a pointer to each in `indices`, until one does not fit.
// Returns 1 when all of them fitted, 0 when the buffers ran out or the folder
// was refused (then *total and *returned are 0 too).
SKYSIM_EXPORT int XPLMGetDirectoryContents(const char* folder, int firstReturn, char* names, int namesSize,
                                           char** indices, int indexCount, int* total, int* returned) {
    SKYSIM_STAND_IN_CODE;
    if (total != nullptr) *total = 0;
    if (returned != nullptr) *returned = 0;
    std::vector<std::string> entries;
    if (!skysim::listFolder(folder, &entries)) return 0;
    if (total != nullptr) *total = static_cast<int>(entries.size());
    int written = 0;
    size_t used = 0;
    bool fitted = true;
    for (size_t i = static_cast<size_t>(std::max(firstReturn, 0)); i < entries.size(); ++i) {
        size_t need = entries[i].size() + 1;
        if (names == nullptr || indices == nullptr || written >= indexCount || namesSize < 0 ||
            used + need > static_cast<size_t>(namesSize)) {
            fitted = false;
            break;
        }
        std::memcpy(names + used, entries[i].c_str(), need);
        indices[written++] = names + used;
        used += need;
    }
    if (returned != nullptr) *returned = written;
    return fitted ? 1 : 0;
}
