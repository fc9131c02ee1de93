// The one-shot start-up work run by the first startup flight loop.
#include "plugin/PluginApp.h"

float PluginApp::deferredStart() { return 0.0f; }
