// Interface colours from the simulator's colour data references. Handles are
// looked up on first use and kept for the plug-in's life.
#include "ui/InterfaceColor.h"

#include "XPLMApi.h"
#include "XPWidgetsApi.h"

float interfaceAlpha = 1.0f;

namespace {

struct ColorSource {
    const char* dataRefName;
    float fallback[3];
};

const ColorSource kColorSources[kInterfaceColorCount] = {
    {"sim/graphics/colors/menu_dark_rgb", {33.0f / 256, 41.0f / 256, 44.0f / 256}},
    {"sim/graphics/colors/menu_bkgnd_rgb", {53.0f / 256, 64.0f / 256, 68.0f / 256}},
    {"sim/graphics/colors/menu_hilite_rgb", {65.0f / 256, 83.0f / 256, 89.0f / 256}},
    {"sim/graphics/colors/menu_lite_rgb", {65.0f / 256, 83.0f / 256, 89.0f / 256}},
    {"sim/graphics/colors/menu_text_rgb", {0.8f, 0.8f, 0.8f}},
    {"sim/graphics/colors/menu_text_disabled_rgb", {0.4f, 0.4f, 0.4f}},
    {"sim/graphics/colors/subtitle_text_rgb", {0, 0, 0}},
    {"sim/graphics/colors/tab_front_rgb", {0, 0, 0}},
    {"sim/graphics/colors/tab_back_rgb", {0, 0, 0}},
    {"sim/graphics/colors/caption_text_rgb", {0, 0, 0}},
    {"sim/graphics/colors/list_text_rgb", {0, 0, 0}},
    {"sim/graphics/colors/glass_text_rgb", {0, 0, 0}},
};

const char* const kLightLevelNames[3] = {"sim/graphics/misc/cockpit_light_level_r",
                                         "sim/graphics/misc/cockpit_light_level_g",
                                         "sim/graphics/misc/cockpit_light_level_b"};

bool colorRefsLookedUp = false;
XPLMDataRef colorRefs[kInterfaceColorCount];
bool lightRefsLookedUp = false;
XPLMDataRef lightLevelRefs[3];

void lookUpColorRefs() {
    if (colorRefsLookedUp) return;
    for (int i = 0; i < kInterfaceColorCount; ++i) colorRefs[i] = XPLMFindDataRef(kColorSources[i].dataRefName);
    colorRefsLookedUp = true;
}

void lookUpLightLevelRefs() {
    if (lightRefsLookedUp) return;
    for (int i = 0; i < 3; ++i) lightLevelRefs[i] = XPLMFindDataRef(kLightLevelNames[i]);
    lightRefsLookedUp = true;
}

}  // namespace

void InterfaceColor(int index, float* rgbOut) {
    if (index < 0 || index >= kInterfaceColorCount) return;
    lookUpColorRefs();
    float rgba[4] = {0, 0, 0, interfaceAlpha};
    if (colorRefs[index] != nullptr) {
        XPLMGetDatavf(colorRefs[index], rgba, 0, 3);
    } else {
        lookUpLightLevelRefs();
        for (int i = 0; i < 3; ++i) {
            // Without a light level the fallback colour is used as it is.
            float level = lightLevelRefs[i] != nullptr ? XPLMGetDataf(lightLevelRefs[i]) : 1.0f;
            rgba[i] = level * kColorSources[index].fallback[i];
        }
    }
    if (rgbOut == nullptr) {
        glColor4fv(rgba);
        return;
    }
    for (int i = 0; i < 3; ++i) rgbOut[i] = rgba[i];
}
