// Drawing the list box: list-view background, scroll bar, the selection bar
// and the visible items' texts cut to whole characters of the basic font.
#include <cstring>

#include "XPLMApi.h"
#include "text/BoundedText.h"
#include "ui/InterfaceColor.h"
#include "ui/ListBoxState.h"

namespace {

constexpr float kSelectionAlpha = 0.25f;
constexpr int kTextBaselineOffset = 10;  // from a line's top to the text's baseline

void drawSelectionBar(const ListBoxState& state, int lineTop) {
    interfaceAlpha = kSelectionAlpha;
    XPLMSetGraphicsState(0, 0, 0, 0, 1, 0, 0);
    InterfaceColor(kMenuHighlightColor, nullptr);
    interfaceAlpha = 1.0f;
    int itemRight = state.right - kListScrollBarWidth;
    glBegin(GL_QUADS);
    glVertex2i(state.left, lineTop);
    glVertex2i(itemRight, lineTop);
    glVertex2i(itemRight, lineTop - kListLineHeight);
    glVertex2i(state.left, lineTop - kListLineHeight);
    glEnd();
}

// How many whole characters of the basic font fit in the text width; -1 when
// the font reports no width, so nothing is cut.
int fittingCharacters(const ListBoxState& state) {
    int charWidth = 0;
    int charHeight = 0;
    XPLMGetFontDimensions(0, &charWidth, &charHeight, nullptr);
    if (charWidth <= 0) return -1;
    int width = state.textWidth();
    return width > 0 ? width / charWidth : 0;
}

}  // namespace

int drawListBox(const ListBoxState& state) {
    XPDrawWindow(state.left, state.bottom, state.right - kListScrollBarWidth, state.top, xpWindow_ListView);
    XPDrawTrack(state.right - kListScrollBarWidth, state.bottom, state.right, state.top, state.scrollMin,
                state.scrollMax, state.scrollPos, xpTrack_ScrollBar, state.thumbDragging);
    XPLMSetGraphicsState(0, 1, 0, 0, 1, 0, 0);
    XPLMBindTexture2d(XPLMGetTexture(0), 0);
    glColor4f(1, 1, 1, 1);
    XPLMSetGraphicsState(0, 0, 0, 0, 0, 0, 0);

    int count = state.itemCount();
    int fitting = fittingCharacters(state);
    for (int line = 0; line < state.visibleLines; ++line) {
        int index = state.firstShown() + line;
        if (index < 0 || index >= count) continue;
        int lineTop = state.top - kListLineHeight * line;
        if (index == state.currentItem) drawSelectionBar(state, lineTop);
        float colour[3];
        InterfaceColor(kListTextColor, colour);
        char text[kListItemTextSize];
        copyText(text, sizeof text, state.store->items[index].text.c_str());
        if (fitting >= 0 && static_cast<size_t>(fitting) < std::strlen(text)) text[fitting] = '\0';
        XPLMDrawString(colour, state.left, lineTop - kTextBaselineOffset, text, nullptr, 0);
    }
    return 1;
}
