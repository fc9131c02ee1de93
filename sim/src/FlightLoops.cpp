// The stand-in's clock and flight loops. Time moves in frames of 0.05 simulated
// seconds; at each frame every registered callback that is due is called, in
// registration order, and its return value schedules its next call: positive
// seconds, a negative count of frames, or 0 for none (it stays registered).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "CoreParts.h"
#include "FlightModel.h"
#include "Internal.h"
#include "XPLMApi.h"
#include "skysim/FlightLoopFunctions.h"

namespace skysim {
namespace {

struct FlightLoop {
    long id;  // new for each registration, so a replaced loop is told apart
    XPLMFlightLoop_f callback;
    void* refcon;
    long dueFrame;        // 0 while no call is scheduled
    double lastCallTime;  // or the registration time before the first call
    bool byPlugin;
};

std::vector<FlightLoop> loops;
long frameCount = 0;  // frames run; the current frame while one runs
long nextLoopId = 1;
long callingLoopId = 0;  // the loop whose callback runs now, 0 between calls

double currentTime() { return static_cast<double>(frameCount) * kFrameSeconds; }

std::string describe(const FlightLoop& loop) {
    char text[96];
    (void)std::snprintf(text, sizeof text, "callback %p, reference %p", reinterpret_cast<void*>(loop.callback),
                        loop.refcon);
    return text;
}

// Frames from now to the call `interval` asks for; 0 for no call.
long framesUntil(float interval) {
    if (!(interval > 0) && !(interval < 0)) return 0;  // 0 and NaN
    double frames = interval > 0 ? std::ceil(interval / kFrameSeconds - 1e-6) : std::round(-interval);
    return static_cast<long>(std::clamp(frames, 1.0, 1e9));
}

void schedule(FlightLoop& loop, float interval) {
    long frames = framesUntil(interval);
    loop.dueFrame = frames > 0 ? frameCount + frames : 0;
}

FlightLoop* loopWithId(long id) {
    auto found = std::find_if(loops.begin(), loops.end(), [id](const FlightLoop& loop) { return loop.id == id; });
    return found != loops.end() ? &*found : nullptr;
}

// The flight model runs first: what a plug-in wrote during the last frame shows in this one.
void runFrame() {
    ++frameCount;
    advanceFlightClock();
    flightModelStep();
    continueHeldCommands();
    repeatHeldKey();
    std::vector<long> due;
    for (const FlightLoop& loop : loops) {
        if (loop.dueFrame != 0 && loop.dueFrame <= frameCount) due.push_back(loop.id);
    }
    // A callback may register or unregister loops: look each up again by id.
    for (long id : due) {
        FlightLoop* loop = loopWithId(id);
        if (loop == nullptr) continue;
        float sinceLastCall = static_cast<float>(currentTime() - loop->lastCallTime);
        loop->lastCallTime = currentTime();
        loop->dueFrame = 0;
        XPLMFlightLoop_f callback = loop->callback;
        callingLoopId = id;
        float next = callPlugin(callback, sinceLastCall, static_cast<float>(kFrameSeconds),
                                static_cast<int>(frameCount), loop->refcon);
        callingLoopId = 0;
        loop = loopWithId(id);
        if (loop != nullptr) schedule(*loop, next);
    }
}

// The SDK's headers say not to unregister a flight loop, nor set its interval,
// from inside its own callback: a plug-in that does is named in the log.
bool isTheCallingLoop(const FlightLoop& loop, const char* function) {
    if (callingLoopId == 0 || loop.id != callingLoopId) return false;
    simLogLine(std::string(function) + ": the flight loop (" + describe(loop) +
               ") was called from inside its own callback, which the SDK forbids");
    return true;
}

std::vector<FlightLoop>::iterator findLoop(XPLMFlightLoop_f callback, const void* refcon) {
    return std::find_if(loops.begin(), loops.end(),
                        [&](const FlightLoop& loop) { return loop.callback == callback && loop.refcon == refcon; });
}

}  // namespace

void resetFlightLoops() {
    loops.clear();
    frameCount = 0;
    callingLoopId = 0;
}

void releasePluginFlightLoops() {
    for (const FlightLoop& loop : loops) {
        if (loop.byPlugin) {
            simLogLine("XPluginStop: the plug-in did not unregister its flight loop (" + describe(loop) +
                       "); the simulator removed it");
        }
    }
    loops.erase(std::remove_if(loops.begin(), loops.end(), [](const FlightLoop& loop) { return loop.byPlugin; }),
                loops.end());
}

void Sim::advance(double seconds) {
    if (seconds > 0) runFrames(static_cast<int>(std::ceil(seconds / kFrameSeconds - 1e-6)));
}

void Sim::runFrames(int frames) {
    for (int i = 0; i < frames; ++i) runFrame();
}

double Sim::now() const { return currentTime(); }

int Sim::flightLoopCount() const { return static_cast<int>(loops.size()); }

}  // namespace skysim

// Registering a (callback, reference) pair again replaces its schedule; the
// simulator's log says so, as it is most often a plug-in that lost track of it.
SKYSIM_EXPORT void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f callback, float interval, void* refcon) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    if (callback == nullptr) return;
    auto found = findLoop(callback, refcon);
    if (found == loops.end()) {
        found = loops.insert(loops.end(), FlightLoop{0, callback, refcon, 0, 0, pluginSessionOpen()});
    } else {
        simLogLine("XPLMRegisterFlightLoopCallback: the flight loop (" + describe(*found) +
                   ") is already registered; its schedule was replaced");
    }
    found->id = nextLoopId++;
    found->lastCallTime = currentTime();
    schedule(*found, interval);
}

// cppcheck-suppress constParameter ; the simulator's own signature
SKYSIM_EXPORT void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f callback, void* refcon) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    auto found = findLoop(callback, refcon);
    if (found == loops.end()) return;
    isTheCallingLoop(*found, "XPLMUnregisterFlightLoopCallback");
    loops.erase(found);
}

// From now, or from the loop's last call (its registration before the first).
// Set from inside its own call, the callback's return value schedules it after all.
// cppcheck-suppress constParameter ; the simulator's own signature
SKYSIM_EXPORT void XPLMSetFlightLoopCallbackInterval(XPLMFlightLoop_f callback, float interval, int relativeToNow,
                                                     void* refcon) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    auto found = findLoop(callback, refcon);
    if (found == loops.end() || isTheCallingLoop(*found, "XPLMSetFlightLoopCallbackInterval")) return;
    long frames = framesUntil(interval);
    long from = relativeToNow != 0 ? frameCount : std::lround(found->lastCallTime / kFrameSeconds);
    found->dueFrame = frames > 0 ? std::max(from + frames, frameCount + 1) : 0;
}
