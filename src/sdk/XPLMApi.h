// The simulator's plug-in API, as this plug-in calls it.
//
// Written from the simulator's documented C interface: C linkage, the
// compiler's default calling convention, opaque handles as void*. The module
// leaves these functions undefined; the simulator that loads it provides them.
#pragma once

#include <cstdint>

typedef void* XPLMMenuID;
typedef void* XPLMDataRef;
typedef void* XPLMHotKeyID;
typedef int XPLMKeyFlags;
typedef int XPLMFontID;
typedef int XPLMTextureID;
typedef int XPLMCommandKeyID;
typedef void* XPLMCommandRef;
typedef int XPLMCommandPhase;

typedef void (*XPLMMenuHandler_f)(void* menuRef, void* itemRef);
typedef float (*XPLMFlightLoop_f)(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter,
                                  void* refcon);
typedef void (*XPLMHotKey_f)(void* refcon);
// Returns 1 to let the simulator and later handlers have the command too, 0 to keep it.
typedef int (*XPLMCommandCallback_f)(XPLMCommandRef command, XPLMCommandPhase phase, void* refcon);

extern "C" {

// Menus
XPLMMenuID XPLMFindPluginsMenu(void);
int XPLMAppendMenuItem(XPLMMenuID menu, const char* name, void* itemRef, int ignored);
XPLMMenuID XPLMCreateMenu(const char* name, XPLMMenuID parent, int parentItem, XPLMMenuHandler_f handler,
                          void* menuRef);
void XPLMDestroyMenu(XPLMMenuID menu);
// The index counts only this plug-in's items of the menu; the items after it move up one.
void XPLMRemoveMenuItem(XPLMMenuID menu, int index);

// Data references
XPLMDataRef XPLMFindDataRef(const char* name);
float XPLMGetDataf(XPLMDataRef ref);
double XPLMGetDatad(XPLMDataRef ref);
int XPLMGetDatai(XPLMDataRef ref);
int XPLMGetDatavf(XPLMDataRef ref, float* out, int offset, int max);
void XPLMSetDataf(XPLMDataRef ref, float value);
void XPLMSetDatad(XPLMDataRef ref, double value);
void XPLMSetDatai(XPLMDataRef ref, int value);
void XPLMSetDatavf(XPLMDataRef ref, float* values, int offset, int count);

// Flight loops
void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f callback, float interval, void* refcon);
void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f callback, void* refcon);

// Hot keys: the key is a plain char; the simulator reads the byte as unsigned.
XPLMHotKeyID XPLMRegisterHotKey(char virtualKey, XPLMKeyFlags flags, const char* description, XPLMHotKey_f callback,
                                void* refcon);
void XPLMUnregisterHotKey(XPLMHotKeyID id);

// Commands: a name the simulator knows already gives back its command.
XPLMCommandRef XPLMCreateCommand(const char* name, const char* description);
void XPLMRegisterCommandHandler(XPLMCommandRef command, XPLMCommandCallback_f handler, int before, void* refcon);
void XPLMUnregisterCommandHandler(XPLMCommandRef command, XPLMCommandCallback_f handler, int before, void* refcon);

// Features: named behaviours a plug-in opts in to. "XPLM_USE_NATIVE_PATHS" makes
// every path the simulator gives or takes UTF-8 with "/" as the separator.
int XPLMHasFeature(const char* feature);
int XPLMIsFeatureEnabled(const char* feature);
void XPLMEnableFeature(const char* feature, int enable);

// Utilities
void XPLMGetSystemPath(char* out512);
const char* XPLMGetDirectorySeparator(void);
int XPLMGetDirectoryContents(const char* folder, int firstReturn, char* names, int namesSize, char** indices,
                             int indexCount, int* total, int* returned);
void XPLMDebugString(const char* text);
void XPLMCommandKeyStroke(XPLMCommandKeyID key);

// Graphics
void XPLMWorldToLocal(double lat, double lon, double alt, double* x, double* y, double* z);
void XPLMSetGraphicsState(int fog, int texUnits, int lighting, int alphaTest, int alphaBlend, int depthTest,
                          int depthWrite);
void XPLMBindTexture2d(int texture, int unit);
int XPLMGetTexture(int textureId);
void XPLMGetFontDimensions(XPLMFontID font, int* charWidth, int* charHeight, int* digitsOnly);
void XPLMDrawString(float* rgb, int x, int y, const char* text, int* wrapWidth, XPLMFontID font);

}  // extern "C"

// Key stroke 0 toggles the simulator's pause.
constexpr XPLMCommandKeyID kPauseKeyStroke = 0;

// A command's phases: pressed, held (once a frame), released.
constexpr XPLMCommandPhase xplm_CommandBegin = 0;
constexpr XPLMCommandPhase xplm_CommandContinue = 1;
constexpr XPLMCommandPhase xplm_CommandEnd = 2;

// Key flags: the modifiers held, and which message of a key press this is
// (Down on the first, Up on the last, neither on the repeats between).
constexpr XPLMKeyFlags xplm_ShiftFlag = 1;
constexpr XPLMKeyFlags xplm_OptionAltFlag = 2;
constexpr XPLMKeyFlags xplm_ControlFlag = 4;
constexpr XPLMKeyFlags xplm_DownFlag = 8;
constexpr XPLMKeyFlags xplm_UpFlag = 16;
