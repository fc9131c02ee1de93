// The file dialog: a list of the position files in the plug-in's folder, a
// name field and OK / Cancel, in load or save mode. Its callback only asks
// for the close; the placement flight loop destroys the window.
#include <cstring>

#include "files/PluginFiles.h"
#include "log/PluginLog.h"
#include "plugin/Callbacks.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"
#include "text/Utf8Text.h"
#include "ui/FolderListing.h"
#include "ui/ListBox.h"
#include "ui/Messages.h"
#include "ui/SafeFileName.h"
#include "ui/WidgetText.h"
#include "ui/WindowLayout.h"

namespace {

constexpr int kLoadMode = 1;
constexpr int kSaveMode = 2;

constexpr const char* kPositionFileExtension = ".skd";

constexpr int kFileNameLength = 255;  // longest name the dialog takes
// Room for the longest name, one character more to tell a longer one, and the added extension.
constexpr int kNameBufferSize = kFileNameLength + 2 + 4;

// The name field's text; false when it is longer than the dialog takes.
bool readFileName(XPWidgetID field, char (&name)[kNameBufferSize]) {
    readWidgetText(field, name, kFileNameLength + 2);
    return std::strlen(name) <= static_cast<size_t>(kFileNameLength);
}

void show(PluginApp& app, const MessageText& message) { app.showMessage(message.title, message.line1, message.line2); }

// The file's path in the data folder; false, with a message, when the folder is
// unknown (its path did not fit) or the joined path is longer than the system
// or the path buffer takes.
bool filePathOf(PluginApp& app, const char* name, char (&path)[kPathSize]) {
    if (pluginFilePath(app.dataFolder, name, path, sizeof path)) return true;
    if (app.dataFolder[0] == '\0') {
        show(app, kFolderUnknownMessage);
    } else {
        show(app, kPathTooLongMessage);
    }
    return false;
}

void confirmLoad(PluginApp& app) {
    char name[kNameBufferSize];
    char path[kPathSize];
    bool named = readFileName(app.fileNameField, name);
    if (!named) show(app, kNameTooLongMessage);
    app.noteFileLoad(named && filePathOf(app, name, path) && app.loadPositionFile(path) != 0, name);
}

// A typed name without any "." gets the position-file extension. The name may
// be in any script, but it is written into a path in UTF-8: bytes that are not
// UTF-8 text would name no file the pilot could find again.
void confirmSave(PluginApp& app) {
    char name[kNameBufferSize];
    if (!readFileName(app.fileNameField, name)) {
        show(app, kNameTooLongMessage);
        return;
    }
    if (!isValidUtf8(name)) {
        show(app, kDamagedNameMessage);
        return;
    }
    if (std::strchr(name, '.') == nullptr) appendText(name, sizeof name, kPositionFileExtension);
    if (isUnsafeFileName(name)) {
        show(app, kUnsafeNameMessage);
        return;
    }
    char path[kPathSize];
    if (filePathOf(app, name, path)) app.writePositionFile(path);
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
    fileNameField = createTextField(fileDialogWindow, left + 10, bottom + 62, left + 210, "");
    XPSetWidgetProperty(fileNameField, xpProperty_Enabled, nameEditable);
    fileOkButton = createPushButton(fileDialogWindow, left + 10, bottom + 32, left + 100, " OK");
    fileCancelButton = createPushButton(fileDialogWindow, left + 110, bottom + 32, left + 210, " Cancel");
    XPAddWidgetCallback(fileDialogWindow, FileDialogCallback);
    fillFileList(dataFolder, extension);
}

namespace {

// The simulator lists a folder in no particular order: the list is sorted once
// filled, and the name offered is the first in that order.
struct FileListFilling {
    PluginApp& app;
    const char* extension;
    char firstName[kListItemTextSize];
    bool named;
};

void addIfListed(const char* name, void* context) {
    FileListFilling& filling = *static_cast<FileListFilling*>(context);
    if (!hasExtension(name, filling.extension)) return;
    if (!filling.named || compareListTexts(name, filling.firstName) < 0) {
        copyText(filling.firstName, sizeof filling.firstName, name);
    }
    filling.named = true;
    filling.app.addListItem(name);
}

}  // namespace

// A file saved a moment before is listed: the saves asked are written first.
void PluginApp::fillFileList(const char* folder, const char* extension) {
    waitForSaves();
    FileListFilling filling{*this, extension, "", false};
    forEachFileName(folder, addIfListed, &filling);
    if (!filling.named) return;
    XPSetWidgetProperty(fileListBox, ListBoxProp_SortItems, 1);
    XPSetWidgetDescriptor(fileNameField, filling.firstName);
}

void PluginApp::addListItem(const char* text) {
    char item[kListItemTextSize];
    if (!copyText(item, sizeof item, text)) logMessage(prefixed("file list item too long, shown cut\n").text);
    XPSetWidgetDescriptor(fileListBox, item);
    XPSetWidgetProperty(fileListBox, ListBoxProp_AddItem, 1);
}

int PluginApp::fileDialogMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    if (message == ListBoxMsg_ItemSelected) {
        // One character more than a name may have, so OK refuses a longer one instead of loading it cut.
        char name[kFileNameLength + 2];
        readWidgetText(fileListBox, name, sizeof name);
        XPSetWidgetDescriptor(fileNameField, name);
        return 1;
    }
    if (message != xpMsg_PushButtonPressed) return 0;
    XPWidgetID button = reinterpret_cast<XPWidgetID>(param1);
    if (button == fileCancelButton) {
        fileDialogCloseRequested = kAnsweredCancel;
        return 1;
    }
    if (button != fileOkButton) return 0;

    fileDialogCloseRequested = kAnsweredOk;
    if (fileDialogMode == kLoadMode) {
        confirmLoad(*this);
    } else if (fileDialogMode == kSaveMode) {
        confirmSave(*this);
    }
    return 1;
}
