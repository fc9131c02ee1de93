// The stand-in's file-system functions: the root path, the separator and the
// directory listing. A listing names every entry of the folder but "." and
// "..", files and folders alike, in no particular order, as the simulator
// promises none: a shuffle of its own, fixed by a seed the driver can change.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "CoreParts.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

constexpr int kSystemPathSize = 512;

// The default lists no folder of 2 to 11 names in sorted order, nor with its
// first name in front, so a plug-in that counts on an order shows it at once.
constexpr std::uint64_t kDefaultOrderSeed = 18;
std::uint64_t orderSeed = kDefaultOrderSeed;

// splitmix64: the same sequence on every platform, unlike the standard library's shuffles.
std::uint64_t nextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The same names in the same order at every call while the folder and the seed stay.
void shuffle(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end());
    std::uint64_t state = orderSeed;
    for (size_t i = names.size(); i > 1; --i) std::swap(names[i - 1], names[nextRandom(state) % i]);
}

// The entries of a folder given as a full path without a trailing separator;
// false when the path is refused or cannot be read.
bool listFolder(const char* folder, std::vector<std::string>* names) {
    if (folder == nullptr || folder[0] == '\0' || isSeparator(folder[std::strlen(folder) - 1])) return false;
    std::error_code error;
    const bool native = nativePathsInUse();
    std::filesystem::directory_iterator entries(pathFromPlugin(folder, native), error);
    if (error) return false;
    std::transform(begin(entries), end(entries), std::back_inserter(*names),
                   [native](const std::filesystem::directory_entry& entry) {
                       return pathForPlugin(entry.path().filename().u8string(), native);
                   });
    shuffle(*names);
    return true;
}

}  // namespace

void resetDirectoryOrder() { orderSeed = kDefaultOrderSeed; }

void Sim::reseedDirectoryOrder(unsigned seed) { orderSeed = seed; }

}  // namespace skysim

SKYSIM_EXPORT void XPLMGetSystemPath(char* out512) {
    SKYSIM_STAND_IN_CODE;
    if (out512 == nullptr) return;
    std::string root = skysim::Sim::get().systemPath();
    (void)std::snprintf(out512, skysim::kSystemPathSize, "%s", root.c_str());  // a cut is reported below
    if (root.size() >= skysim::kSystemPathSize) {
        XPLMDebugString("XPLMGetSystemPath: the root path does not fit in 512 bytes and was cut\n");
    }
}

SKYSIM_EXPORT const char* XPLMGetDirectorySeparator(void) {
    SKYSIM_STAND_IN_CODE;
    return skysim::nativePathsInUse() ? "/" : skysim::directorySeparator();
}

// Names from `firstReturn` on go one after another into `names`, each with its
// terminator, with a pointer to each in `indices`, until one does not fit;
// after the last one come an empty name and a null pointer, which take room
// in the buffers too. Returns 1 when all of them fitted, 0 when the buffers
// ran out or the folder was refused (then *total and *returned are 0 too).
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
    const bool room = names != nullptr && indices != nullptr && namesSize > 0 && indexCount > 0;
    for (size_t i = static_cast<size_t>(std::max(firstReturn, 0)); i < entries.size(); ++i) {
        size_t need = entries[i].size() + 1;
        if (!room || written + 1 >= indexCount || used + need + 1 > static_cast<size_t>(namesSize)) {
            fitted = false;
            break;
        }
        std::memcpy(names + used, entries[i].c_str(), need);
        indices[written++] = names + used;
        used += need;
    }
    if (room) {
        names[used] = '\0';
        indices[written] = nullptr;
    }
    if (returned != nullptr) *returned = written;
    return fitted ? 1 : 0;
}
