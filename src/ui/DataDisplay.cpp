// The data display: the held record ("Stored") beside the aircraft's live
// state ("Current"), row by row, refreshed by the placement flight loop.
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "ui/FramedWindow.h"
#include "ui/PanelLabels.h"
#include "ui/WidgetText.h"

static_assert(kPositionLabelCount <= kDisplayRows && kAutopilotLabelCount <= kDisplayRows, "rows for every label");

namespace {

// One block of rows: a label, a "Stored" and a "Current" caption each.
void createRowBlock(XPWidgetID window, int left, int top, const char (*labels)[kLabelSize], int rows,
                    XPWidgetID* labelIds, XPWidgetID* storedIds, XPWidgetID* currentIds) {
    for (int k = 0; k < rows; ++k) {
        int y = top - kRowSpacing * k;
        labelIds[k] = createCaption(window, left + 20, y, left + 70, labels[k]);
        storedIds[k] = createCaption(window, left + 130, y, left + 230, "");
        currentIds[k] = createCaption(window, left + 240, y, left + 340, "");
    }
}

void showLabels(const XPWidgetID* labelIds, const char (*labels)[kLabelSize], int rows) {
    for (int k = 0; k < rows; ++k) XPSetWidgetDescriptor(labelIds[k], labels[k]);
}

// Rows 1 to `rows` - 1 of a block, row r showing record field `firstField` + r - 1.
void showValues(const XPWidgetID* ids, const PositionRecord& record, int firstField, int rows, char* buffer,
                size_t size) {
    for (int r = 1; r < rows; ++r) showRecordField(ids[r], record, firstField + r - 1, buffer, size);
}

}  // namespace

void PluginApp::createDataDisplay(int left, int top, int width, int height) {
    const int right = left + width;
    const int bottom = top - height;

    FramedWindow frame =
        createFramedWindow(" Data", versionText, left, top, right, bottom, textBuffer, sizeof textBuffer);
    dataDisplayWindow = frame.window;
    dataDisplaySubWindow = frame.subWindow;

    createRowBlock(dataDisplayWindow, left, top - 40, PositionLabels, kPositionLabelCount, rowLabels, storedFields,
                   currentFields);
    createRowBlock(dataDisplayWindow, left, top - 240, AutopilotLabels, kAutopilotLabelCount, rowLabels2, storedFields2,
                   currentFields2);

    XPAddWidgetCallback(dataDisplayWindow, DataDisplayCallback);
}

void PluginApp::refreshDataDisplay() {
    // The live values come from readAircraftState on purpose: the capture's reads, in its order.
    PositionRecord current = {};
    readAircraftState(current);

    showLabels(rowLabels, PositionLabels, kPositionLabelCount);
    showLabels(rowLabels2, AutopilotLabels, kAutopilotLabelCount);

    XPSetWidgetDescriptor(storedFields[0], "Stored");
    showValues(storedFields, storedRecord, kFirstPositionField, kPositionLabelCount, textBuffer, sizeof textBuffer);
    showValues(storedFields2, storedRecord, kFirstAutopilotField, kAutopilotLabelCount, textBuffer, sizeof textBuffer);

    XPSetWidgetDescriptor(currentFields[0], "Current");
    showValues(currentFields, current, kFirstPositionField, kPositionLabelCount, textBuffer, sizeof textBuffer);
    showValues(currentFields2, current, kFirstAutopilotField, kAutopilotLabelCount, textBuffer, sizeof textBuffer);
}

int PluginApp::dataDisplayMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t, intptr_t) {
    if (message != xpMessage_CloseButtonPushed) return 0;
    return hideOnCloseBox(widget, dataDisplayWindow, dataDisplayVisible);
}
