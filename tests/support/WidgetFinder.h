// Finding the plug-in's windows and widgets in the stand-in the way a pilot
// finds them on screen: a window by its title, a widget by its label or by its
// place among its window's widgets of one kind, a list line by what it shows.
// Never by coordinates, so a window that moves breaks no test of its behaviour.
#pragma once

#include <string>
#include <vector>

#include "skysim/Sim.h"

using skysim::WidgetId;
using skysim::WidgetInfo;

// The beginnings of the plug-in's window titles.
constexpr const char* kPanelTitle = " ControlPanel - SkyPlacer";
constexpr const char* kDisplayTitle = " Data - SkyPlacer";
constexpr const char* kLoadDialogTitle = "Load Position File";
constexpr const char* kSaveDialogTitle = "Save Position File";

// The root window whose title begins with `title`; 0 when there is none.
WidgetId windowTitled(const std::string& title);
// How many root windows have a title that begins with `title`.
int windowsTitled(const std::string& title);
// How many main windows are open, shown or not.
int windowCount();

inline WidgetId controlPanel() { return windowTitled(kPanelTitle); }
inline WidgetId dataDisplay() { return windowTitled(kDisplayTitle); }
// The file dialog, open to load or to save; 0 when there is none.
inline WidgetId fileDialog() {
    WidgetId load = windowTitled(kLoadDialogTitle);
    return load != 0 ? load : windowTitled(kSaveDialogTitle);
}

// Children of `window` of one class (all classes when 0), in creation order.
std::vector<WidgetInfo> childrenOf(WidgetId window, int widgetClass = 0);
// The child of `window` of this class whose text is `label`; 0 when there is none.
WidgetId childLabelled(WidgetId window, int widgetClass, const std::string& label);
// Whether the widget exists and is on screen.
bool isShown(WidgetId widget);

// Clicks the list line that shows `entry`, or its beginning where the list
// cuts a long name to its width; false when no list shows it.
bool pickListEntry(const std::string& entry);
