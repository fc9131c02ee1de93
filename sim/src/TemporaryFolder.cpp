// Temporary folders, on every platform: create_directory fails for a name
// that exists, so the folder made is always a new one.
#include "skysim/TemporaryFolder.h"

#include <filesystem>
#include <random>
#include <stdexcept>

namespace skysim {

std::string makeTemporaryFolder(const std::string& prefix) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) throw std::runtime_error("no temporary folder: " + error.message());
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / (prefix + std::to_string(random()));
        if (fs::create_directory(candidate, error)) return candidate.u8string();
    }
    throw std::runtime_error("cannot make a temporary folder in " + base.string());
}

}  // namespace skysim
