// The list box's mouse handling: selection on press, announcement on release,
// and the scroll bar's buttons, pages and thumb.
#include "ui/ListBoxState.h"

namespace {

struct TrackMetrics {
    int isVertical, downButton, downPage, thumb, upPage, upButton;
};

TrackMetrics scrollBarMetrics(const ListBoxState& state) {
    TrackMetrics m{};
    XPGetTrackMetrics(state.right - kListScrollBarWidth, state.bottom, state.right, state.top, state.scrollMin,
                      state.scrollMax, state.scrollPos, xpTrack_ScrollBar, &m.isVertical, &m.downButton, &m.downPage,
                      &m.thumb, &m.upPage, &m.upButton);
    return m;
}

int lowerTo(int value, int limit) { return value < limit ? value : limit; }
int raiseTo(int value, int limit) { return value > limit ? value : limit; }

void selectAt(const ListBoxState& state, int x, int y) {
    int row = (state.top - y) / kListLineHeight;
    int count = state.itemCount();
    if (row >= count) return;
    const ListItem& extent = state.store->items[row];
    if (x - state.left < extent.xStart || x - state.left >= extent.xEnd) return;
    int index = row + state.firstShown();
    if (index >= 0 && index < count) XPSetWidgetProperty(state.widget, ListBoxProp_CurrentItem, index);
}

// The scroll bar is only drawn vertical; a track too flat for that does not react.
void pressScrollBar(const ListBoxState& state, int y) {
    TrackMetrics m = scrollBarMetrics(state);
    if (!m.isVertical) return;
    int b = state.bottom;
    int t = state.top;
    if (b + m.downButton + m.downPage + m.thumb <= y && y <= t - m.upButton) {
        XPSetWidgetProperty(state.widget, ListBoxProp_ScrollPos,
                            lowerTo(state.scrollPos + state.pageLines, state.scrollMax));
    } else if (b + m.downButton <= y && y <= t - m.thumb - m.upPage - m.upButton) {
        XPSetWidgetProperty(state.widget, ListBoxProp_ScrollPos,
                            raiseTo(state.scrollPos - state.pageLines, state.scrollMin));
    } else if (t - m.upButton <= y && y <= t) {
        XPSetWidgetProperty(state.widget, ListBoxProp_ScrollPos, lowerTo(state.scrollPos + 1, state.scrollMax));
    } else if (b <= y && y <= b + m.downButton) {
        XPSetWidgetProperty(state.widget, ListBoxProp_ScrollPos, raiseTo(state.scrollPos - 1, state.scrollMin));
    } else if (b + m.downButton + m.downPage <= y && y <= t - m.upPage - m.upButton) {
        thumbGrabOffset = (b + m.downButton + m.downPage + m.thumb / 2) - y;
        XPSetWidgetProperty(state.widget, ListBoxProp_ThumbDragging, 1);
    } else {
        XPSetWidgetProperty(state.widget, ListBoxProp_ThumbDragging, 0);
    }
}

}  // namespace

int listBoxMouseDown(const ListBoxState& state, int x, int y) {
    if (state.inItemArea(x, y) && state.itemCount() > 0) selectAt(state, x, y);
    if (state.inScrollBar(x, y)) pressScrollBar(state, y);
    return 1;
}

int listBoxMouseDrag(const ListBoxState& state, int x, int y) {
    if (!state.inScrollBar(x, y) || state.thumbDragging == 0) return 1;
    TrackMetrics m = scrollBarMetrics(state);
    if (!m.isVertical) return 1;
    int halfThumb = m.thumb / 2;
    int travel = (state.top - state.bottom) - m.downButton - m.upButton - 2 * halfThumb;
    // A thumb with no room to move keeps the position.
    if (travel <= 0) return 1;
    float fraction =
        static_cast<float>(static_cast<double>(y - m.downButton - halfThumb - state.bottom + thumbGrabOffset) / travel);
    int position = roundHalfUp(fraction * static_cast<float>(state.scrollMax));
    position = lowerTo(raiseTo(position, state.scrollMin), state.scrollMax);
    XPSetWidgetProperty(state.widget, ListBoxProp_ScrollPos, position);
    return 1;
}

int listBoxMouseUp(const ListBoxState& state, int x, int y) {
    if (state.inScrollBar(x, y)) XPSetWidgetProperty(state.widget, ListBoxProp_ThumbDragging, 0);
    int count = state.itemCount();
    if (!state.inItemArea(x, y) || count == 0) return 1;
    bool selected = state.currentItem >= 0 && state.currentItem < count;
    XPSetWidgetDescriptor(state.widget, selected ? state.store->items[state.currentItem].text.c_str() : "");
    XPSendMessageToWidget(state.widget, ListBoxMsg_ItemSelected, xpMode_UpChain,
                          reinterpret_cast<intptr_t>(state.widget), state.currentItem);
    return 1;
}
