// The plug-in's one application object: the state it keeps, and the
// operations the simulator's callbacks forward to. Each operation is defined
// in the source file of the subsystem that owns it.
//
// State kept outside it, and why:
// - thePluginApp, below: the one way every callback reaches this object.
// - The message window's answer and its two buttons (messageWindowResult,
//   messageOkButton, messageCancelButton in ui/MessageWindow.cpp): the
//   window's callback answers from them alone, without this object.
// - What all list boxes share (ui/ListBox.cpp, ui/InterfaceColor.cpp): the
//   thumb's grab offset and the drawing alpha, which one drag or one draw sets
//   and reads again; the count of live item stores, which tests read; and the
//   interface colours' data-reference handles, looked up at the first drawing
//   and kept while the module is loaded. A list box keeps the rest in its own
//   widget properties and never reaches this object.
// - The saves on their way to the writer thread and back (theSaveQueue in
//   position/SaveQueue.cpp): the one object the writer thread shares with
//   the simulator's, made with the module so a save allocates nothing.
// - How file paths are written (files/FileAccess.cpp): set at every start from
//   the simulator's answer, and read by each file operation, which the leaf
//   folder of file access performs without this object.
#pragma once

#include <cstdint>
#include <ctime>

#include "XPLMApi.h"
#include "XPWidgetsApi.h"
#include "config/PluginConfig.h"
#include "flight/PendingSettle.h"
#include "flight/UndoState.h"
#include "plugin/Actions.h"
#include "plugin/CallbackGuard.h"
#include "position/AutoSaveState.h"
#include "position/CrashSaveState.h"
#include "position/PositionRecord.h"
#include "text/EntryTable.h"
#include "text/ReadResult.h"

struct SaveJob;
enum class OldFile;

constexpr int kTextSize = 256;       // versionText, textBuffer, hot-key reference texts
constexpr int kPathSize = 512;       // dataFolder, settingsPath, logPath, file paths
constexpr int kListTextSize = 4096;  // listText
constexpr int kPanelFieldCount = 17;
constexpr int kDisplayRows = 11;

struct PluginApp {
    XPLMMenuID pluginMenu;
    int32_t pluginsMenuItem;
    int32_t controlPanelCreated;
    int32_t dataDisplayCreated;
    char versionText[kTextSize];

    // Control panel
    XPWidgetID controlPanelWindow;
    XPWidgetID controlPanelSubWindow;
    XPWidgetID statusCaption;
    XPWidgetID getDataHintCaption;
    XPWidgetID positionHintCaption;
    XPWidgetID panelLabels[kPanelFieldCount];
    XPWidgetID panelFields[kPanelFieldCount];
    XPWidgetID loadButton;
    XPWidgetID saveButton;
    XPWidgetID getDataButton;
    XPWidgetID positionButton;
    XPWidgetID quickLoadButton;
    XPWidgetID quickSaveButton;
    XPWidgetID saveDataButton;
    XPWidgetID fileNameCaption;

    // Data display: block 1 uses all 11 rows, block 2 its first 8
    XPWidgetID dataDisplayWindow;
    XPWidgetID dataDisplaySubWindow;
    XPWidgetID rowLabels[kDisplayRows];
    XPWidgetID storedFields[kDisplayRows];
    XPWidgetID currentFields[kDisplayRows];
    XPWidgetID rowLabels2[kDisplayRows];
    XPWidgetID storedFields2[kDisplayRows];
    XPWidgetID currentFields2[kDisplayRows];

    // File dialog and message window
    XPWidgetID fileDialogWindow;
    XPWidgetID fileListBox;
    XPWidgetID fileNameField;
    XPWidgetID messageWindow;
    XPWidgetID fileOkButton;
    XPWidgetID fileCancelButton;

    // The resume window (ResumeWindow.cpp): the crash save it shows, and the
    // pilot's answer, which the main loop acts on.
    XPWidgetID resumeWindow;
    XPWidgetID resumePutBackButton;
    XPWidgetID resumeNotNowButton;
    int32_t resumeAnswer;  // 0 while unanswered, then kAnsweredCancel (Not now) or kAnsweredOk (Put back)
    char resumeFileName[kCrashSaveNameLength + 1];

    int32_t captureBeforeSave;
    int32_t fileDialogCloseRequested;  // 1 Cancel, 2 OK: the flight loop destroys the dialog
    int32_t fileDialogMode;            // 1 load, 2 save
    // The list box's text at creation. The documented layout of this object
    // names it; the dialog fills its list from the folder, so it stays empty.
    char listText[kListTextSize];
    char textBuffer[kTextSize];
    int32_t placementDone;  // 0: place the aircraft at the next flight loop

    XPLMHotKeyID hotKeyHandles[kActionCount];
    char hotKeyRefcons[kActionCount][kTextSize];
    HotKeySlot hotKeys[kActionCount];

    XPLMDataRef qRef;
    XPLMDataRef localXRef;
    XPLMDataRef localYRef;
    XPLMDataRef localZRef;
    XPLMDataRef localVxRef;
    XPLMDataRef localVyRef;
    XPLMDataRef localVzRef;
    XPLMDataRef throttleRef;
    XPLMDataRef magneticVariationRef;
    XPLMDataRef thetaRef;
    XPLMDataRef phiRef;
    XPLMDataRef psiRef;
    XPLMDataRef latitudeRef;
    XPLMDataRef longitudeRef;
    XPLMDataRef elevationRef;
    XPLMDataRef indicatedAirspeedRef;
    XPLMDataRef flapRequestRef;
    XPLMDataRef gearHandleRef;
    XPLMDataRef apModeRef;
    XPLMDataRef apStateRef;
    XPLMDataRef apHeadingRollModeRef;
    XPLMDataRef apAirspeedRef;
    XPLMDataRef apAltitudeRef;
    XPLMDataRef apVerticalVelocityRef;
    XPLMDataRef apHeadingRef;

    char dataFolder[kPathSize];
    char settingsPath[kPathSize];
    char logPath[kPathSize];  // built once at start; empty when the folder's path is too long
    PluginConfig config;
    EntryTable settingsEntries;
    PositionRecord storedRecord;
    EntryTable positionEntries;
    int32_t controlPanelVisible;
    int32_t dataDisplayVisible;
    int32_t fileLoaded;
    XPLMCommandRef commandRefs[kActionCount];  // the simulator's commands, indexed by action number

    // The settle after a placement (Placement.cpp, Settle.cpp): what the last
    // placement put down, the air and wind at the aircraft, and its rotation rates.
    PendingSettle pendingSettle;
    XPLMDataRef airDensityRef;
    XPLMDataRef windEastRef;
    XPLMDataRef windUpRef;
    XPLMDataRef windSouthRef;
    XPLMDataRef rotationRateRefs[6];  // P, Q, R in degrees and in radians per second

    // The aircraft before the last placement, for an undo (Undo.cpp).
    UndoState undo;
    // Nothing is placed during a replay, and no auto-save made of a crash or a replay.
    XPLMDataRef hasCrashedRef;
    XPLMDataRef inReplayRef;

    AutoSaveState autoSave;     // AutoSave.cpp
    CrashSaveState crashSaves;  // CrashSaves.cpp

    // 1 once an exception that stopped the call was logged in this run (CallbackGuard.h).
    int32_t exceptionReported[kSimulatorCallCount];

    // --- plugin: lifecycle (PluginLifecycle.cpp) ---
    void start(char* name, char* signature, char* description);
    void stop();
    void setDefaults();
    void buildFolderPaths();
    void lookUpDataRefs();
    void registerHotKeys();
    void resetWorkingState();

    // --- plugin: the actions, by hot key and menu (ActionDispatch.cpp) ---
    void dispatchHotKey(void* reference);
    void dispatchMenu(void* menuReference, void* itemReference);
    void runAction(int action);
    void armPlacementIfEnabled();
    void showControlPanel();
    void showDataDisplay();
    void toggleControlPanel();
    void toggleDataDisplay();
    bool buildControlPanelOnce();  // true when this call built it

    // --- plugin: the simulator's commands (SimulatorCommands.cpp) ---
    void registerCommands();
    void unregisterCommands();
    int dispatchCommand(XPLMCommandRef command, XPLMCommandPhase phase, const void* refcon);

    // --- plugin: the main loop, every 0.1 seconds (MainLoop.cpp) ---
    float placementLoop(float elapsedSinceLastCall, float elapsedSinceLastFlightLoop, int counter, void* refcon);

    // --- plugin: deferred start-up (DeferredStart.cpp) ---
    float deferredStart();
    void autoStart();

    // --- config: settings file (SettingsFile.cpp) ---
    bool readSettings(const char* path);
    ReadResult parseSettings(const char* path);

    // --- position: position file (PositionFile.cpp, QuickFile.cpp) ---
    bool writePositionFile(const char* path);
    ReadResult parsePositionFile(const char* path);
    bool readPositionFile(const char* path);
    int loadPositionFile(const char* path);
    bool peekPositionFile(const char* path, PositionRecord& record);  // into `record`; storedRecord untouched
    int quickSave(int captureFirst);
    int quickLoad();

    // --- position: the auto-save (AutoSave.cpp) ---
    void startAutoSave();
    void autoSaveAt(float now);
    void reportAutoSave(bool saved, OldFile old);

    // --- position: saves handed to the writer thread (SaveHandOver.cpp) ---
    void startSaveWriter();
    void stopSaveWriter();                  // waits up to two seconds for the saves asked
    bool handOverSave(const SaveJob& job);  // false when refused: no slot came free
    void reportFinishedSaves();
    void waitForSaves();

    // --- position: a crash told from a clean end, and its save kept (CrashSaves.cpp) ---
    void startCrashSaves();
    void stopCrashSaves();
    bool keepLastRunSave();
    bool retryKeep();
    bool crashSaveToOffer(char* name, size_t size);
    bool crashSaveTime(const char* name, std::tm& at);  // when the save was made, local time

    // --- flight: capture and placing (Capture.cpp, Placement.cpp, Settle.cpp, Undo.cpp) ---
    void readAircraftState(PositionRecord& record);
    void getData();
    // `settledNow`: the main loop settled the last placement in this same call.
    void placeAircraft(bool settledNow);
    bool placeRecord(const PositionRecord& record, bool settledNow);  // false when refused
    void settleAircraft();
    void keepPlaceForUndo(bool settledNow);
    void requestUndo();
    void undoPlacement(bool settledNow);

    // --- ui: control panel (ControlPanel.cpp) ---
    void createControlPanel(int left, int top, int width, int height);
    void refreshPanelFields();
    void readPanelFields();
    void setPanelSource(int dataPresent, const char* status, const char* fileName);
    void noteFileLoad(int loaded, const char* name);
    int controlPanelMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);

    // --- ui: data display (DataDisplay.cpp) ---
    void createDataDisplay(int left, int top, int width, int height);
    void refreshDataDisplay();
    int dataDisplayMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);

    // --- ui: file dialog (FileDialog.cpp) ---
    void openLoadDialog();
    void openSaveDialog(int captureFirst);
    void createFileDialog(const char* title, int nameEditable, int left, int top, int width, int height,
                          const char* extension);
    void fillFileList(const char* folder, const char* extension);
    void addListItem(const char* text);
    int fileDialogMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);

    // --- ui: the resume window after a crash (ResumeWindow.cpp) ---
    void openResumeWindow();
    void answerResume();
    int resumeWindowMessage(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);

    // --- ui: message window (MessageWindow.cpp) ---
    void showMessage(const char* title, const char* line1, const char* line2);
    // A refused placement (OutOfRangeMessage.cpp): names the field, its value and its range.
    void showValueOutOfRange(const PositionRecord& record, int field, double lowest, double highest);
    // A speed (`field`) that at the record's altitude is a true airspeed beyond `fastest`.
    void showTooFastToPlace(const PositionRecord& record, int field, double fastest);

    // --- log (PluginLog.cpp) ---
    void logMessage(const char* text);
};

extern PluginApp* thePluginApp;
