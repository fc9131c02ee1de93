// The file dialog: a list of the position files in the plug-in's folder, a
// name field and OK / Cancel, in load or save mode. Its callback only asks
// for the close; the placement flight loop destroys the window.
#include <cstring>

#include "plugin/BoundedText.h"
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "ui/ListBox.h"
#include "ui/PanelLabels.h"
#include "ui/WidgetText.h"
#include "ui/WindowLayout.h"

namespace {

constexpr int kLoadMode = 1;
constexpr int kSaveMode = 2;
constexpr int kCancelPressed = 1;
constexpr int kOkPressed = 2;

constexpr WindowPlace kFileDialogPlace = {650, 600, 240, 300};
constexpr const char* kPositionFileExtension = ".skd";

constexpr int kFileNameLength = 255;  // longest name the dialog takes
// Room for the longest name, one character more to tell a longer one, and the added extension.
constexpr int kNameBufferSize = kFileNameLength + 2 + 4;
constexpr int kListingNamesSize = 4096;  // bytes of names per directory-listing call
constexpr int kListingEntries = 4096;    // names per directory-listing call

constexpr const char* kErrorTitle = "SkyPlacer Plugin Error";

// A name that leaves the plug-in's folder is refused.
bool leavesFolder(const char* name) {
    return std::strchr(name, '/') != nullptr || std::strchr(name, '\\') != nullptr || std::strcmp(name, "..") == 0;
}

// The name field's text; false when it is longer than the dialog takes.
bool readFileName(XPWidgetID field, char (&name)[kNameBufferSize]) {
    readWidgetText(field, name, kFileNameLength + 2);
    return std::strlen(name) <= static_cast<size_t>(kFileNameLength);
}

// The data folder followed by the name; false when the path does not fit.
bool joinPath(const char* folder, const char* name, char (&path)[kPathSize]) {
    return copyText(path, sizeof path, folder) && appendText(path, sizeof path, name);
}

void showNameTooLong(PluginApp& app) {
    app.showMessage(kErrorTitle, "Position File Name Too Long.", "Use a shorter name");
}

void confirmLoad(PluginApp& app) {
    char name[kNameBufferSize];
    char path[kPathSize];
    bool fits = readFileName(app.fileNameField, name) && joinPath(app.dataFolder, name, path);
    if (!fits) showNameTooLong(app);
    if (fits && app.loadPositionFile(path) != 0) {
        app.fileLoaded = 1;
        app.setPanelSource(1, kStatusSkdFile);
        if (app.controlPanelCreated) XPSetWidgetDescriptor(app.fileNameCaption, name);
    } else {
        app.fileLoaded = 0;
        app.setPanelSource(0, kStatusNoFile);
    }
}

// A typed name without any "." gets the position-file extension.
void confirmSave(PluginApp& app) {
    char name[kNameBufferSize];
    if (!readFileName(app.fileNameField, name)) {
        showNameTooLong(app);
        return;
    }
    if (leavesFolder(name)) {
        app.showMessage(kErrorTitle, "Invalid Position File Name.", "Use a name without / or \\ or ..");
        return;
    }
    if (std::strchr(name, '.') == nullptr) appendText(name, sizeof name, kPositionFileExtension);
    char path[kPathSize];
    if (!joinPath(app.dataFolder, name, path)) {
        showNameTooLong(app);
        return;
    }
    app.writePositionFile(path);
}

// The folder as the simulator's listing wants it: without its last separator.
void folderForListing(const char* folder, char* out, size_t size) {
    copyText(out, size, folder);
    size_t length = std::strlen(out);
    if (length > 0 && (out[length - 1] == '/' || out[length - 1] == '\\')) out[length - 1] = '\0';
}

// Matches from the name's first ".": Home.skd matches ".skd", Home.v2.skd does not.
bool hasExtension(const char* name, const char* extension) {
    const char* dot = std::strchr(name, '.');
    return dot != nullptr && std::strcmp(dot, extension) == 0;
}

// At most one dialog exists: a new one replaces the open one.
void openFileDialog(PluginApp& app, int mode, const char* title, int nameEditable) {
    app.fileDialogMode = mode;
    if (app.fileDialogWindow != nullptr) XPDestroyWidget(app.fileDialogWindow, 1);
    app.createFileDialog(title, nameEditable, kFileDialogPlace.left, kFileDialogPlace.top, kFileDialogPlace.width,
                         kFileDialogPlace.height, kPositionFileExtension);
}

}  // namespace

void PluginApp::openLoadDialog() { openFileDialog(*this, kLoadMode, "Load Position File", 0); }

void PluginApp::openSaveDialog(int captureFirst) {
    captureBeforeSave = captureFirst;
    openFileDialog(*this, kSaveMode, "Save Position File", 1);
}

void PluginApp::createFileDialog(const char* title, int nameEditable, int left, int top, int width, int height,
                                 const char* extension) {
    int right = left + width;
    int bottom = top - height;
    fileDialogWindow = XPCreateWidget(left, top, right, bottom, 1, title, 1, nullptr, xpWidgetClass_MainWindow);
    fileListBox = createListBox(left + 10, top - 30, right - 10, bottom + 70, 1, listText, fileDialogWindow);
    fileNameField = XPCreateWidget(left + 10, bottom + 62, left + 210, bottom + 40, 1, "", 0, fileDialogWindow,
                                   xpWidgetClass_TextField);
    XPSetWidgetProperty(fileNameField, xpProperty_TextFieldType, 0);
    XPSetWidgetProperty(fileNameField, xpProperty_Enabled, nameEditable);
    fileOkButton = XPCreateWidget(left + 10, bottom + 32, left + 100, bottom + 10, 1, " OK", 0, fileDialogWindow,
                                  xpWidgetClass_Button);
    XPSetWidgetProperty(fileOkButton, xpProperty_ButtonType, 0);
    fileCancelButton = XPCreateWidget(left + 110, bottom + 32, left + 210, bottom + 10, 1, " Cancel", 0,
                                      fileDialogWindow, xpWidgetClass_Button);
    XPSetWidgetProperty(fileCancelButton, xpProperty_ButtonType, 0);
    XPAddWidgetCallback(fileDialogWindow, FileDialogCallback);
    fillFileList(dataFolder, extension);
}

void PluginApp::fillFileList(const char* folder, const char* extension) {
    char listedFolder[kPathSize];
    folderForListing(folder, listedFolder, sizeof listedFolder);
    char names[kListingNamesSize];
    char* entries[kListingEntries];
    bool named = false;
    // One call returns as many names as its buffers hold; ask again for the rest.
    int first = 0;
    for (;;) {
        int total = 0;
        int returned = 0;
        XPLMGetDirectoryContents(listedFolder, first, names, sizeof names, entries, kListingEntries, &total, &returned);
        for (int i = 0; i < returned; ++i) {
            if (!hasExtension(entries[i], extension)) continue;
            if (!named) XPSetWidgetDescriptor(fileNameField, entries[i]);
            named = true;
            addListItem(entries[i]);
        }
        first += returned;
        if (returned <= 0 || first >= total) break;
    }
}

void PluginApp::addListItem(const char* text) {
    char item[kListItemTextSize];
    if (!copyText(item, sizeof item, text)) logMessage("SkyPlacer - file list item too long, shown cut\n");
    XPSetWidgetDescriptor(fileListBox, item);
    XPSetWidgetProperty(fileListBox, ListBoxProp_AddItem, 1);
}

int PluginApp::fileDialogMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    if (message == ListBoxMsg_ItemSelected) {
        char name[kFileNameLength + 1];
        readWidgetText(fileListBox, name, sizeof name);
        XPSetWidgetDescriptor(fileNameField, name);
        return 1;
    }
    if (message != xpMsg_PushButtonPressed) return 0;
    XPWidgetID button = reinterpret_cast<XPWidgetID>(param1);
    if (button == fileCancelButton) {
        fileDialogCloseRequested = kCancelPressed;
        return 1;
    }
    if (button != fileOkButton) return 0;

    fileDialogCloseRequested = kOkPressed;
    if (fileDialogMode == kLoadMode) {
        confirmLoad(*this);
    } else if (fileDialogMode == kSaveMode) {
        confirmSave(*this);
    }
    return 1;
}
