// The plug-in's own list widget: a scrolling column of one-line texts with a
// vertical scroll bar on its right. All of its state lives in its widget
// properties, so a container drives it through properties and the descriptor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "XPWidgetsApi.h"

// Properties. The trigger properties (1901 to 1905) are set to 1 by a
// container; the list box sets them back to 0 when it acts on them.
constexpr XPWidgetPropertyID ListBoxProp_CurrentItem = 1900;
constexpr XPWidgetPropertyID ListBoxProp_AddItem = 1901;
constexpr XPWidgetPropertyID ListBoxProp_SetItems = 1902;
constexpr XPWidgetPropertyID ListBoxProp_Clear = 1903;
constexpr XPWidgetPropertyID ListBoxProp_InsertItem = 1904;
constexpr XPWidgetPropertyID ListBoxProp_DeleteItem = 1905;
constexpr XPWidgetPropertyID ListBoxProp_Items = 1906;
constexpr XPWidgetPropertyID ListBoxProp_VisibleLines = 1907;
constexpr XPWidgetPropertyID ListBoxProp_ThumbDragging = 1908;
constexpr XPWidgetPropertyID ListBoxProp_ScrollMin = 1909;
constexpr XPWidgetPropertyID ListBoxProp_ScrollMax = 1910;
constexpr XPWidgetPropertyID ListBoxProp_ScrollPos = 1911;
constexpr XPWidgetPropertyID ListBoxProp_PageLines = 1912;
// Trigger: sort the items into the order of compareListTexts.
constexpr XPWidgetPropertyID ListBoxProp_SortItems = 1913;

// Sent up the widget chain when a click in the item area ends:
// param1 = the list box, param2 = the selected index.
constexpr XPWidgetMessage ListBoxMsg_ItemSelected = 1900;

constexpr int kListLineHeight = 12;
constexpr int kListScrollBarWidth = 20;
constexpr int kListItemTextSize = 4096;  // an item's text, terminator included

struct ListItem {
    std::string text;
    int xStart;  // clickable extent, pixels from the left edge
    int xEnd;    // exclusive
};

// The item store: allocated on the create message, freed on the destroy message.
struct ListItems {
    std::vector<ListItem> items;
};

XPWidgetID createListBox(int left, int top, int right, int bottom, int visible, const char* descriptor,
                         XPWidgetID container);
// The list box's own handling of a message, which ListBoxCallback runs.
int listBoxMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);

// The order a pilot looks for a name in: letters compared without their case
// (ASCII), then byte by byte to tell apart names that differ only in case.
// Negative, 0 or positive, as strcmp.
int compareListTexts(const char* a, const char* b);

// The whole part of x (truncated toward zero), plus 1 when the fraction is 0.5 or more.
int roundHalfUp(float x);

// Item stores allocated and not yet freed: every list box holds exactly one.
int liveListItemStores();

// Shared by all list boxes: the pointer's distance to the thumb's centre when it was grabbed.
extern int thumbGrabOffset;
