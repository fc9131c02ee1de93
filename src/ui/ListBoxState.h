// What the list box reads from its widget at the start of every message, and
// the handlers that act on it. Internal to the list box's sources.
#pragma once

#include "ui/ListBox.h"

struct ListBoxState {
    XPWidgetID widget;
    int left, top, right, bottom;
    int scrollPos, scrollMin, scrollMax;
    int pageLines, currentItem, visibleLines, thumbDragging;
    ListItems* store;  // null before the create message and after the destroy message

    int itemCount() const { return store != nullptr ? static_cast<int>(store->items.size()) : 0; }
    int firstShown() const { return scrollMax - scrollPos; }
    int textWidth() const { return right - left - kListScrollBarWidth; }
    bool inItemArea(int x, int y) const {
        return left <= x && x <= right - kListScrollBarWidth && bottom <= y && y <= top;
    }
    bool inScrollBar(int x, int y) const {
        return right - kListScrollBarWidth <= x && x <= right && bottom <= y && y <= top;
    }
};

ListBoxState readListBoxState(XPWidgetID widget);

int drawListBox(const ListBoxState& state);
int listBoxMouseDown(const ListBoxState& state, int x, int y);
int listBoxMouseDrag(const ListBoxState& state, int x, int y);
int listBoxMouseUp(const ListBoxState& state, int x, int y);
