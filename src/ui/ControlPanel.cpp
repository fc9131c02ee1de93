// The control panel: the held record as seventeen editable fields, where the
// data came from, and the seven buttons that run the plug-in's operations.
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "position/RecordText.h"
#include "ui/FramedWindow.h"
#include "ui/PanelLabels.h"
#include "ui/WidgetText.h"

namespace {

// The panel's fields are the record's from Latitude on: the record's flag has none.
static_assert(kPanelFieldCount == kRecordFieldCount - kFirstPositionField, "one panel field per record field");

constexpr int recordIndex(int panelField) { return panelField + kFirstPositionField; }

XPWidgetID createPanelButton(XPWidgetID window, int left, int top, const char* label) {
    constexpr int kButtonWidth = 60;
    return createPushButton(window, left, top, left + kButtonWidth, label);
}

// One block of label and entry field rows; the labels start at row 1 of `labels`.
void createFieldBlock(XPWidgetID window, int top, int labelLeft, int labelRight, int fieldLeft, int fieldRight,
                      const char (*labels)[kLabelSize], int rows, XPWidgetID* labelIds, XPWidgetID* fieldIds) {
    for (int k = 0; k < rows; ++k) {
        int y = top - 70 - kRowSpacing * k;
        labelIds[k] = createCaption(window, labelLeft, y, labelRight, labels[k + 1]);
        fieldIds[k] = createTextField(window, fieldLeft, y, fieldRight, "0");
    }
}

// A null `fileName` leaves the file-name caption as it is.
void applyPanelSource(PluginApp& app, int dataPresent, const char* status, const char* fileName) {
    XPSetWidgetProperty(app.saveButton, xpProperty_Enabled, dataPresent);
    XPSetWidgetProperty(app.positionButton, xpProperty_Enabled, dataPresent);
    if (fileName != nullptr) XPSetWidgetDescriptor(app.fileNameCaption, fileName);
    XPSetWidgetDescriptor(app.statusCaption, status);
}

}  // namespace

void PluginApp::createControlPanel(int left, int top, int width, int height) {
    const int right = left + width;
    const int bottom = top - height;

    FramedWindow frame =
        createFramedWindow(" ControlPanel", versionText, left, top, right, bottom, textBuffer, sizeof textBuffer);
    controlPanelWindow = frame.window;
    controlPanelSubWindow = frame.subWindow;

    XPWidgetID window = controlPanelWindow;
    statusCaption = createCaption(window, left + 20, top - 30, left + 270, kStatusNoFile);
    getDataHintCaption = createCaption(window, left + 20, top - 40, left + 270,
                                       "Use the Get Data button to get the current aircraft position");
    positionHintCaption = createCaption(window, left + 20, top - 50, left + 270,
                                        "Use the Position button to use the data below to position the aircraft");

    createFieldBlock(window, top, left + 20, left + 70, left + 80, left + 160, PositionLabels, kPositionFieldCount,
                     panelLabels, panelFields);
    createFieldBlock(window, top, left + 200, left + 270, left + 310, left + 390, AutopilotLabels, kAutopilotFieldCount,
                     panelLabels + kPositionFieldCount, panelFields + kPositionFieldCount);
    refreshPanelFields();

    loadButton = createPanelButton(window, left + 20, top - 280, " Load SKD");
    saveButton = createPanelButton(window, left + 90, top - 280, " Save SKD");
    quickLoadButton = createPanelButton(window, left + 160, top - 280, " Quick Load");
    quickSaveButton = createPanelButton(window, left + 230, top - 280, " Quick Save");
    getDataButton = createPanelButton(window, left + 20, top - 300, " Get Data");
    saveDataButton = createPanelButton(window, left + 90, top - 300, " Save Data");
    positionButton = createPanelButton(window, left + 160, top - 300, " Position");

    fileNameCaption = createCaption(window, left + 10, top - 320, left + 220, "");

    applyPanelSource(*this, fileLoaded ? 1 : 0, fileLoaded ? kStatusSkdFile : kStatusNoFile, nullptr);
    XPAddWidgetCallback(controlPanelWindow, ControlPanelCallback);
}

void PluginApp::refreshPanelFields() {
    for (int i = 0; i < kPanelFieldCount; ++i) {
        showRecordField(panelFields[i], storedRecord, recordIndex(i), textBuffer, sizeof textBuffer);
    }
}

// A field showing a value cut for display keeps the stored value: parsing the
// cut text would give a different number.
void PluginApp::readPanelFields() {
    for (int i = 0; i < kPanelFieldCount; ++i) {
        readWidgetText(panelFields[i], textBuffer, sizeof textBuffer);
        if (!endsWithCutMarker(textBuffer)) parseField(storedRecord, recordIndex(i), textBuffer);
    }
}

void PluginApp::setPanelSource(int dataPresent, const char* status, const char* fileName) {
    if (controlPanelCreated) applyPanelSource(*this, dataPresent, status, fileName);
}

// A failed load keeps the name shown: it still tells which file the pilot last had.
void PluginApp::noteFileLoad(int loaded, const char* name) {
    fileLoaded = loaded ? 1 : 0;
    if (loaded) {
        setPanelSource(1, kStatusSkdFile, name);
    } else {
        setPanelSource(0, kStatusNoFile, nullptr);
    }
}

int PluginApp::controlPanelMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t) {
    if (message == xpMessage_CloseButtonPushed) return hideOnCloseBox(widget, controlPanelWindow, controlPanelVisible);
    if (message != xpMsg_PushButtonPressed) return 0;

    XPWidgetID button = reinterpret_cast<XPWidgetID>(param1);
    if (button == loadButton) {
        openLoadDialog();
    } else if (button == saveButton) {
        readPanelFields();
        openSaveDialog(0);
    } else if (button == quickLoadButton) {
        quickLoad();
    } else if (button == quickSaveButton) {
        quickSave(1);
    } else if (button == getDataButton) {
        getData();
    } else if (button == saveDataButton) {
        openSaveDialog(1);
    } else if (button == positionButton) {
        readPanelFields();
        placementDone = 0;
    } else {
        return 0;
    }
    return 1;
}
