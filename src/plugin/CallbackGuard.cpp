// What the boundary tells the pilot when a call stopped on an exception.
#include "plugin/CallbackGuard.h"

#include <exception>
#include <new>

#include "log/PluginLog.h"
#include "plugin/PluginApp.h"

namespace {

const char* const kCallNames[kSimulatorCallCount] = {
    "XPluginStart",          "XPluginStop",     "PlacementFlightLoop",  "StartupFlightLoop",   "MenuHandler",
    "HotKeyHandler",         "CommandHandler",  "ControlPanelCallback", "DataDisplayCallback", "FileDialogCallback",
    "MessageWindowCallback", "ListBoxCallback", "ResumeWindowCallback",
};

// The exception being handled, in words: memory running out is the one the
// plug-in can meet (the list box's items), and is said plainly.
const char* describeHandledException() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "the computer's memory ran out";
    } catch (const std::exception& exception) {
        return exception.what();
    } catch (...) {
        return "an unknown error";
    }
}

// True the first time in this run; outside a run (no application object) always.
bool firstInRun(SimulatorCall call) {
    if (thePluginApp == nullptr) return true;
    int32_t& reported = thePluginApp->exceptionReported[static_cast<int>(call)];
    if (reported != 0) return false;
    reported = 1;
    return true;
}

}  // namespace

void reportEscapedException(SimulatorCall call) noexcept {
    const char* what = describeHandledException();
    if (!firstInRun(call)) return;
    LogLine line = prefixed(
        "%s stopped: %s. What it was doing is left undone and the simulator goes on. "
        "Said once until the plug-in starts again.\n",
        kCallNames[static_cast<int>(call)], what);
    simulatorLog(line.text);
    if (thePluginApp != nullptr) thePluginApp->logMessage(line.text);
}
