// One-line widgets and bounded widget texts for the plug-in's windows.
#include "ui/WidgetText.h"

#include <cstring>

#include "position/RecordText.h"

namespace {

XPWidgetID createLine(XPWidgetID window, int left, int top, int right, const char* text, XPWidgetClass widgetClass) {
    return XPCreateWidget(left, top, right, top - kLineHeight, 1, text, 0, window, widgetClass);
}

}  // namespace

XPWidgetID createCaption(XPWidgetID window, int left, int top, int right, const char* text) {
    return createLine(window, left, top, right, text, xpWidgetClass_Caption);
}

XPWidgetID createTextField(XPWidgetID window, int left, int top, int right, const char* text) {
    XPWidgetID field = createLine(window, left, top, right, text, xpWidgetClass_TextField);
    XPSetWidgetProperty(field, xpProperty_TextFieldType, 0);
    return field;
}

XPWidgetID createPushButton(XPWidgetID window, int left, int top, int right, const char* label) {
    XPWidgetID button = createLine(window, left, top, right, label, xpWidgetClass_Button);
    XPSetWidgetProperty(button, xpProperty_ButtonType, 0);
    return button;
}

bool endsWithCutMarker(const char* text) {
    size_t length = std::strlen(text);
    size_t markerLength = std::strlen(kCutMarker);
    return length >= markerLength && std::strcmp(text + length - markerLength, kCutMarker) == 0;
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
