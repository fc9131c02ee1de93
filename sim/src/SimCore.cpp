// The simulator as a whole: the one instance, its root folder, reset, what it
// records of the plug-in's calls to its log and its keyboard, the pause and
// the flight clock.
#include <algorithm>
#include <filesystem>

#include "CoreParts.h"
#include "DataRefStore.h"
#include "FlightModel.h"
#include "Internal.h"
#include "XPLMApi.h"

namespace skysim {
namespace {

std::string rootFolder;
std::string debugLog;
std::vector<int> strokes;

}  // namespace

Sim& Sim::get() {
    static Sim sim;
    return sim;
}

void Sim::reset(const std::string& folder) {
    stopRunningPlugin();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::u8path(folder), ignored);
    resetCore(folder);
    resetWidgets();
}

void resetCore(const std::string& folder) {
    rootFolder = simulatorFolderPath(folder);
    debugLog.clear();
    strokes.clear();
    resetDataRefs();
    resetFlightModel();
    resetDirectoryOrder();
    resetFeatures();
    Sim::get().clearAccesses();
    resetFlightLoops();
    resetMenus();
    resetHotKeys();
    resetCommandHandlers();
}

std::string Sim::rootPath() const {
    if (rootFolder.empty() || isSeparator(rootFolder.back())) return rootFolder;
    return rootFolder + directorySeparator();
}

std::string Sim::pluginFolder() const {
    const std::string separator = directorySeparator();
    return rootPath() + "Resources" + separator + "plugins" + separator + "SkyPlacer" + separator;
}

std::string Sim::systemPath() const { return pathForPlugin(rootPath(), nativePathsInUse()); }

std::string Sim::simLog() const { return debugLog; }
std::string Sim::simLogSince(std::size_t offset) const { return debugLog.substr(std::min(offset, debugLog.size())); }
std::size_t Sim::simLogSize() const { return debugLog.size(); }

std::vector<int> Sim::keyStrokes() const { return strokes; }

// The pause is the simulator's own "sim/time/paused", which the driver may set too.
bool Sim::paused() const { return knownRef(refname::kPaused).scalar != 0; }

void advanceFlightClock() {
    if (Sim::get().paused()) return;
    DataRef& clock = knownRef(refname::kFlightTime);
    storeScalar(clock, clock.scalar + kFrameSeconds);
}

void simLogLine(const std::string& line) { debugLog += line + "\n"; }

}  // namespace skysim

SKYSIM_EXPORT void XPLMDebugString(const char* text) {
    SKYSIM_STAND_IN_CODE;
    if (text != nullptr) skysim::debugLog += text;
}

SKYSIM_EXPORT void XPLMCommandKeyStroke(XPLMCommandKeyID key) {
    SKYSIM_STAND_IN_CODE;
    skysim::strokes.push_back(key);
    if (key != kPauseKeyStroke) return;
    skysim::DataRef& paused = skysim::knownRef(skysim::refname::kPaused);
    skysim::storeScalar(paused, paused.scalar != 0 ? 0 : 1);
}
