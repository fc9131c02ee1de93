// Widget texts: one-line captions, entry fields and push buttons, record values
// shown in a widget and a widget's text read back, both through fixed buffers,
// bounded and always terminated.
#pragma once

#include <cstddef>

#include "XPWidgetsApi.h"
#include "position/PositionRecord.h"

// Captions, fields and buttons are one text line high; rows stand 20 pixels apart.
constexpr int kLineHeight = 22;
constexpr int kRowSpacing = 20;

// Visible children of `window`, one line high.
XPWidgetID createCaption(XPWidgetID window, int left, int top, int right, const char* text);
XPWidgetID createTextField(XPWidgetID window, int left, int top, int right, const char* text);  // plain entry field
XPWidgetID createPushButton(XPWidgetID window, int left, int top, int right, const char* label);

// Ends a text that was cut to fit with this marker, so the pilot can see it.
constexpr const char* kCutMarker = "...";

// True when `text` ends with kCutMarker: it shows a value cut for display.
bool endsWithCutMarker(const char* text);
// Overwrites the end of the terminated text in `text` (size bytes, full) with kCutMarker.
void markCut(char* text, size_t size);
// Formats field `index` of `record` into `buffer` and sets it as the widget's text;
// a value too long for the buffer is shown cut and marked.
void showRecordField(XPWidgetID widget, const PositionRecord& record, int index, char* buffer, size_t size);
// Reads the widget's text into `buffer`, always terminated: the toolkit leaves a
// text that fills the buffer unterminated, so one byte is kept for the terminator.
void readWidgetText(XPWidgetID widget, char* buffer, size_t size);
