// The simulator's command functions that the plug-in does not call (its own
// are declared in src/sdk/XPLMApi.h). The stand-in provides them as the
// simulator does, for tests and tools that act as another plug-in would.
#pragma once

typedef void* XPLMCommandRef;

extern "C" {

// The command of that name, or null when none exists.
XPLMCommandRef XPLMFindCommand(const char* name);
// Begin and end at once, as a key pressed and released.
void XPLMCommandOnce(XPLMCommandRef command);
// Held from begin to end: the handlers get the continue phase at every frame between.
void XPLMCommandBegin(XPLMCommandRef command);
void XPLMCommandEnd(XPLMCommandRef command);

}  // extern "C"
