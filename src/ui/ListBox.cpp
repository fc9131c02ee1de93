// The list box's creation, message dispatch and item store: the store is made
// on the create message, changed through the trigger properties and freed on
// the destroy message.
#include "ui/ListBox.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "plugin/Callbacks.h"
#include "ui/ListBoxState.h"
#include "ui/WidgetText.h"

int thumbGrabOffset = 0;

namespace {

int storesAlive = 0;

intptr_t property(XPWidgetID widget, XPWidgetPropertyID id) { return XPGetWidgetProperty(widget, id, nullptr); }

ListItem makeItem(const char* text, size_t length, int textWidth) {
    return ListItem{std::string(text, length), 0, textWidth};
}

// a;b;;c gives a, b, (empty), c; a; gives a; an empty text gives nothing.
void appendSplitItems(ListItems& store, const char* text, int textWidth) {
    const char* rest = text;
    while (*rest != '\0') {
        const char* separator = std::strchr(rest, ';');
        size_t length = separator != nullptr ? static_cast<size_t>(separator - rest) : std::strlen(rest);
        store.items.push_back(makeItem(rest, length, textWidth));
        if (separator == nullptr) break;
        rest = separator + 1;
    }
}

// Appending or replacing items shows the list from its first item again.
void setScrollRange(XPWidgetID widget, int count) {
    XPSetWidgetProperty(widget, ListBoxProp_ScrollPos, count);
    XPSetWidgetProperty(widget, ListBoxProp_ScrollMax, count);
}

// The store is filled before the widget holds it: a fill cut short by memory
// running out frees it again, and the list box stays without items.
int onCreate(const ListBoxState& state) {
    auto store = std::make_unique<ListItems>();
    char text[kListItemTextSize];
    readWidgetText(state.widget, text, sizeof text);
    appendSplitItems(*store, text, state.textWidth());
    int count = static_cast<int>(store->items.size());
    int lines = (state.top - state.bottom) / kListLineHeight;
    XPSetWidgetProperty(state.widget, ListBoxProp_Items, reinterpret_cast<intptr_t>(store.release()));
    ++storesAlive;
    XPSetWidgetProperty(state.widget, ListBoxProp_CurrentItem, 0);
    // The first item shows at the top: the position starts at the top of its range
    XPSetWidgetProperty(state.widget, ListBoxProp_ScrollPos, count);
    thumbGrabOffset = 0;
    XPSetWidgetProperty(state.widget, ListBoxProp_ScrollMin, 0);
    XPSetWidgetProperty(state.widget, ListBoxProp_ScrollMax, count);
    XPSetWidgetProperty(state.widget, ListBoxProp_PageLines, lines);
    XPSetWidgetProperty(state.widget, ListBoxProp_VisibleLines, lines);
    XPSetWidgetProperty(state.widget, ListBoxProp_ThumbDragging, 0);
    return 1;
}

int onDestroy(const ListBoxState& state) {
    if (state.store == nullptr) return 1;
    XPSetWidgetProperty(state.widget, ListBoxProp_Items, 0);
    delete state.store;
    --storesAlive;
    return 1;
}

// True when the trigger was set; it is set back to 0 before the list box acts.
bool takeTrigger(XPWidgetID widget, XPWidgetPropertyID trigger) {
    if (property(widget, trigger) == 0) return false;
    XPSetWidgetProperty(widget, trigger, 0);
    return true;
}

int onPropertyChanged(const ListBoxState& state) {
    if (state.store == nullptr) return 1;
    std::vector<ListItem>& items = state.store->items;
    char text[kListItemTextSize];
    if (takeTrigger(state.widget, ListBoxProp_AddItem)) {
        readWidgetText(state.widget, text, sizeof text);
        items.push_back(makeItem(text, std::strlen(text), state.textWidth()));
        setScrollRange(state.widget, static_cast<int>(items.size()));
    }
    if (takeTrigger(state.widget, ListBoxProp_SetItems)) {
        readWidgetText(state.widget, text, sizeof text);
        items.clear();
        appendSplitItems(*state.store, text, state.textWidth());
        setScrollRange(state.widget, static_cast<int>(items.size()));
    }
    if (takeTrigger(state.widget, ListBoxProp_Clear)) {
        XPSetWidgetProperty(state.widget, ListBoxProp_CurrentItem, 0);
        items.clear();
        setScrollRange(state.widget, 0);
    }
    if (takeTrigger(state.widget, ListBoxProp_InsertItem)) {
        readWidgetText(state.widget, text, sizeof text);
        // A selection outside the list inserts at its nearer end.
        int count = static_cast<int>(items.size());
        int at = state.currentItem < 0 ? 0 : (state.currentItem > count ? count : state.currentItem);
        items.insert(items.begin() + at, makeItem(text, std::strlen(text), state.textWidth()));
    }
    if (takeTrigger(state.widget, ListBoxProp_DeleteItem)) {
        if (state.currentItem >= 0 && state.currentItem < static_cast<int>(items.size())) {
            items.erase(items.begin() + state.currentItem);
        }
    }
    // In place: sorting allocates nothing. The selection and the scroll position stay.
    if (takeTrigger(state.widget, ListBoxProp_SortItems)) {
        std::sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
            return compareListTexts(a.text.c_str(), b.text.c_str()) < 0;
        });
    }
    return 1;
}

const XPMouseState_t* mouseOf(intptr_t param1) { return reinterpret_cast<const XPMouseState_t*>(param1); }

}  // namespace

ListBoxState readListBoxState(XPWidgetID widget) {
    ListBoxState state{};
    state.widget = widget;
    XPGetWidgetGeometry(widget, &state.left, &state.top, &state.right, &state.bottom);
    state.scrollPos = static_cast<int>(property(widget, ListBoxProp_ScrollPos));
    state.scrollMin = static_cast<int>(property(widget, ListBoxProp_ScrollMin));
    state.scrollMax = static_cast<int>(property(widget, ListBoxProp_ScrollMax));
    state.pageLines = static_cast<int>(property(widget, ListBoxProp_PageLines));
    state.currentItem = static_cast<int>(property(widget, ListBoxProp_CurrentItem));
    state.visibleLines = static_cast<int>(property(widget, ListBoxProp_VisibleLines));
    state.thumbDragging = static_cast<int>(property(widget, ListBoxProp_ThumbDragging));
    state.store = reinterpret_cast<ListItems*>(property(widget, ListBoxProp_Items));
    return state;
}

XPWidgetID createListBox(int left, int top, int right, int bottom, int visible, const char* descriptor,
                         XPWidgetID container) {
    return XPCreateCustomWidget(left, top, right, bottom, visible, descriptor, 0, container, ListBoxCallback);
}

int listBoxMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    // A click that only brought the window to the front is used up.
    if (XPUSelectIfNeeded(message, widget, param1, param2, 1) != 0) return 1;
    ListBoxState state = readListBoxState(widget);
    switch (message) {
        case xpMsg_Create:
            return onCreate(state);
        case xpMsg_Destroy:
            return onDestroy(state);
        case xpMsg_Draw:
            return drawListBox(state);
        case xpMsg_MouseDown:
            return param1 != 0 ? listBoxMouseDown(state, mouseOf(param1)->x, mouseOf(param1)->y) : 1;
        case xpMsg_MouseDrag:
            return param1 != 0 ? listBoxMouseDrag(state, mouseOf(param1)->x, mouseOf(param1)->y) : 1;
        case xpMsg_MouseUp:
            return param1 != 0 ? listBoxMouseUp(state, mouseOf(param1)->x, mouseOf(param1)->y) : 1;
        case xpMsg_DescriptorChanged:
            return 1;
        case xpMsg_PropertyChanged:
            return onPropertyChanged(state);
        default:
            return 0;
    }
}

int liveListItemStores() { return storesAlive; }

namespace {

int foldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

int compareListTexts(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    for (; *x != '\0' && foldCase(*x) == foldCase(*y); ++x, ++y) {
    }
    int folded = foldCase(*x) - foldCase(*y);
    return folded != 0 ? folded : std::strcmp(a, b);
}

int roundHalfUp(float x) {
    float whole = std::trunc(x);
    return static_cast<int>(whole) + (x - whole >= 0.5f ? 1 : 0);
}
