// The simulator's flight-loop functions that the plug-in does not call (its
// own are declared in src/sdk/XPLMApi.h). The stand-in provides them as the
// simulator does, for tests and tools that act as another plug-in would.
#pragma once

typedef float (*XPLMFlightLoop_f)(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter,
                                  void* refcon);

extern "C" {

// Reschedules a registered loop, from now or from its last call. Not from
// inside the loop's own callback, the SDK says, as neither is unregistering it.
void XPLMSetFlightLoopCallbackInterval(XPLMFlightLoop_f callback, float interval, int relativeToNow, void* refcon);

}  // extern "C"
