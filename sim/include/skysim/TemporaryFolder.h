// A fresh simulator root for a test or a scenario run.
#pragma once

#include <string>

namespace skysim {

// Makes a new, empty folder in the system's temporary folder, named `prefix`
// and a random number, and returns its path; throws std::runtime_error when
// none can be made.
std::string makeTemporaryFolder(const std::string& prefix);

}  // namespace skysim
