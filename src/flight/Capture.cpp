// Reading the aircraft's state from the simulator.
#include "plugin/PluginApp.h"

void PluginApp::readAircraftState(PositionRecord&) {}
void PluginApp::getData() {}
