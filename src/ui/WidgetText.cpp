// Bounded widget texts for the control panel and the data display.
#include "ui/WidgetText.h"

#include <cstring>

#include "position/RecordText.h"

XPWidgetID createCaption(XPWidgetID window, int left, int top, int right, const char* text) {
    return XPCreateWidget(left, top, right, top - kLineHeight, 1, text, 0, window, xpWidgetClass_Caption);
}

void markCut(char* text, size_t size) {
    size_t markerLength = std::strlen(kCutMarker);
    if (size <= markerLength) return;
    std::memcpy(text + size - 1 - markerLength, kCutMarker, markerLength + 1);
}

void showRecordField(XPWidgetID widget, const PositionRecord& record, int index, char* buffer, size_t size) {
    if (!formatField(record, index, buffer, size)) markCut(buffer, size);
    XPSetWidgetDescriptor(widget, buffer);
}

void readWidgetText(XPWidgetID widget, char* buffer, size_t size) {
    if (size == 0) return;
    int room = static_cast<int>(size - 1);
    int length = XPGetWidgetDescriptor(widget, buffer, room);
    if (length < 0) length = 0;
    buffer[length < room ? length : room] = '\0';
}
