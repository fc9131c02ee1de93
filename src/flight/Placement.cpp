// The placement flight loop and placing the aircraft.
#include "plugin/PluginApp.h"

float PluginApp::placementLoop(float, float, int, void*) { return 0.1f; }
void PluginApp::placeAircraft() {}
