// Driver of the stand-in simulator.
//
// The stand-in library (libskysim) implements every simulator, widget-toolkit
// and OpenGL function the plug-in imports. Tests and tools drive it through
// this one class: load the plug-in module, move time forward, pick menu items,
// press hot keys, click and type in windows, and read back what the plug-in
// wrote. There is one simulator per process, as with the real one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skysim {

using WidgetId = std::intptr_t;

// Widget classes of the toolkit; custom widgets report CustomClass.
enum WidgetClass { MainWindow = 1, SubWindow = 2, Button = 3, TextField = 4, Caption = 6, CustomClass = -1 };

// One data-reference call made by the plug-in, in call order.
struct DataAccess {
    enum Kind { GetF, GetD, GetI, GetVF, SetF, SetD, SetI, SetVF };
    Kind kind;
    std::string name;           // "" for a null handle
    double value = 0;           // scalar read or written
    std::vector<float> values;  // array read or written (the elements touched)
    int offset = 0;             // array offset
};

// One drawing call, in call order, made while a widget was drawn; Standard
// stands for all that a standard class draws of its own widget.
struct DrawOp {
    enum Kind { Window, Track, String, GraphicsState, BindTexture, Begin, Vertex, End, Color, Standard };
    Kind kind;
    WidgetId widget = 0;                       // widget whose draw message made the call
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;        // Window/Track/Standard rectangle; String/Vertex use x1, y1
    int style = 0;                             // Window/Track style; Begin: primitive mode; Standard: class
    int min = 0, max = 0, value = 0, lit = 0;  // Track
    std::string text;                          // String
    int font = 0;                              // String
    float rgba[4] = {0, 0, 0, 0};              // String (alpha 1), Color
    int state[7] = {0, 0, 0, 0, 0, 0, 0};      // GraphicsState; BindTexture: state[0] texture, state[1] unit
};

struct WidgetInfo {
    WidgetId id = 0;
    int widgetClass = 0;  // WidgetClass value
    int left = 0, top = 0, right = 0, bottom = 0;
    bool visible = false;  // the widget's own flag
    bool shown = false;    // visible itself and every container up to its root
    bool root = false;
    WidgetId parent = 0;
    std::string descriptor;
};

struct HotKeyInfo {
    int key;  // virtual-key code as the simulator reads it (0 to 255)
    int flags;
    std::string description;
    void* refcon;
};

struct MenuItemInfo {
    std::string text;
    void* itemRef;
};

struct CommandInfo {
    bool exists = false;
    bool simulators = false;  // one of the simulator's own commands
    std::string description;
    int beforeHandlers = 0;
    int afterHandlers = 0;
    // Phases that every handler registered before let through to the simulator, since the last reset.
    int phasesReachingSimulator = 0;
};

class Sim {
public:
    static Sim& get();

    // A fresh simulator whose root folder is `rootFolder` (created if missing).
    // Forgets menus, hot keys, flight loops, widgets, data values, logs and
    // drawing; data-reference handles stay valid for the life of the process.
    void reset(const std::string& rootFolder);
    // The root folder with its trailing separator, in UTF-8 with the platform's
    // separators, as the driver's own file operations take it.
    std::string rootPath() const;
    // The plug-in's folder: root + "Resources/plugins/SkyPlacer/".
    std::string pluginFolder() const;
    // The root as XPLMGetSystemPath gives it to the plug-in now: with native
    // paths in UTF-8 with "/", else in the simulator's legacy form (README.md).
    std::string systemPath() const;

    // --- features ---
    // Until the next reset, the simulator has no such feature (only
    // "XPLM_USE_NATIVE_PATHS" is known), as an older simulator would.
    void hideFeatureFromPlugin(const std::string& name);
    // The running plug-in has enabled native paths.
    bool nativePaths() const;

    // --- the plug-in module ---
    // Refused while a plug-in runs; a failed load leaves no module loaded.
    bool load(const std::string& modulePath, std::string* error = nullptr);
    // XPluginStart, keeping the returned name, signature and description; then
    // XPluginEnable when the start succeeded.
    int start();
    int enable();
    void disable();
    // XPluginDisable when enabled, then XPluginStop; the simulator then removes
    // what the plug-in left registered and names what it left in menus (see README.md).
    void stop();
    void sendMessage(int fromPlugin, int message, void* param);
    bool started() const;
    bool enabled() const;  // started and its last XPluginEnable returned non-zero
    std::string pluginName() const;
    std::string pluginSignature() const;
    std::string pluginDescription() const;

    // --- time: frames of 0.05 simulated seconds ---
    // Runs frames until `seconds` have passed; each frame first derives the
    // flight model's values from what was written since the last one, then
    // calls every flight loop that is due.
    void advance(double seconds);
    void runFrames(int frames);
    double now() const;
    int flightLoopCount() const;  // registered callbacks

    // --- the air at the aircraft (README.md) ---
    // The day's temperature, degrees above the standard atmosphere's at every
    // elevation (0 after reset): warmer air is thinner, and "sim/weather/rho" follows.
    void setTemperatureOffset(double degrees);
    // The wind, m/s along the local axes (x east, y up, z south; still after
    // reset), in "sim/weather/wind_now_*_msc" and "sim/weather/aircraft/wind_now_*_msc".
    void setWind(double east, double up, double south);

    // --- data references: the names the simulator publishes (data/datarefs-12.1.tsv) ---
    // The driver sets the simulator's own state, writable for plug-ins or not;
    // what the flight model derives from a value follows at once (README.md).
    void setFloat(const std::string& name, float value);
    void setDouble(const std::string& name, double value);
    void setInt(const std::string& name, int value);
    void setFloats(const std::string& name, const std::vector<float>& values);
    float getFloat(const std::string& name) const;
    double getDouble(const std::string& name) const;
    int getInt(const std::string& name) const;
    std::vector<float> getFloats(const std::string& name) const;
    bool knowsDataRef(const std::string& name) const;
    // Until the next reset, the plug-in's XPLMFindDataRef of this name gives a
    // null handle, as a simulator that does not publish it would.
    void hideDataRefFromPlugin(const std::string& name);
    // XPLMFindDataRef calls the plug-in made since the last reset.
    int dataRefLookUps() const;
    // Names the plug-in looked up since the last reset that the simulator does
    // not publish, each once, in the order of their first look-up.
    std::vector<std::string> unpublishedLookUps() const;
    // Sets a data reference from text by its type ("1.5", "3", "0.2,0.4").
    bool setFromText(const std::string& name, const std::string& text);
    // Every access the plug-in made since the last clear.
    const std::vector<DataAccess>& accesses() const;
    void clearAccesses();

    // --- menus ---
    std::vector<std::string> pluginsMenuItems() const;  // items of the plug-ins menu
    std::vector<MenuItemInfo> menuItems(const std::string& menuName) const;
    int menuCount() const;      // menus created and not destroyed
    int menuItemCount() const;  // items of those menus and of the plug-ins menu
    // Picks the item of that text in any plug-in menu; false when none has it.
    bool pickMenuItem(const std::string& itemText);
    // Calls the handler of `menuName` with an arbitrary item reference.
    bool pickMenuItemRef(const std::string& menuName, void* itemRef);

    // --- hot keys and the keyboard ---
    std::vector<HotKeyInfo> hotKeys() const;
    // The pilot's keyboard. A key is pressed with modifiers held (Shift 1, Alt 2,
    // Control 4; other bits are ignored). The simulator sends one key message
    // with Down (8) and the modifiers, one with the modifiers alone for each
    // repeat while the key is held (at the start of each frame, after the repeat
    // delay at the repeat rate), and one with Up (16) and the modifiers on
    // release; each fires every hot key registered with exactly that key and
    // those flags, in registration order.
    // Presses a key and holds it: the hot keys fired by the press, or -1 (and
    // nothing sent) while another key is held, as a keyboard repeats one key.
    int pressKey(int key, int modifiers);
    // Releases the held key: the hot keys fired from its press to its release, or -1 when none is held.
    int releaseKey();
    // Pressed and released before the next frame, so without repeats.
    int tapKey(int key, int modifiers);
    // Pressed, held while the frames that cover `seconds` run (as advance), then released.
    int holdKey(int key, int modifiers, double seconds);
    // The keyboard's repeat: seconds from the press to the first repeat, then
    // repeats per second (0.5 and 25 after reset). False, and nothing changed,
    // for a negative delay or a rate that is not positive.
    bool setKeyRepeat(double delaySeconds, double perSecond);
    // Calls the callback of the hot key of this key and flags with another
    // reference value than its own, to see what the plug-in makes of one it
    // never registered; false when no such hot key is registered.
    bool callHotKeyWithReference(int key, int flags, void* refcon);

    // --- commands: they last for the process, their handlers until reset ---
    CommandInfo command(const std::string& name) const;
    std::vector<std::string> createdCommands() const;  // made by plug-ins, in order
    int commandHandlerCount() const;                   // handlers on every command
    // A bound key pressed and released: begin, then end. False for an unknown or held command.
    bool commandOnce(const std::string& name);
    // A bound key held down: begin now, continue at every frame, end at commandEnd. False for
    // an unknown command, or one already held (begin) or not held (end).
    bool commandBegin(const std::string& name);
    bool commandEnd(const std::string& name);

    // --- folders ---
    // XPLMGetDirectoryContents lists a folder in an order of its own, a
    // shuffle fixed by this seed; reset restores the default seed.
    void reseedDirectoryOrder(unsigned seed);

    // --- widgets and mouse ---
    std::vector<WidgetInfo> widgets() const;  // alive widgets, in creation order
    WidgetInfo widget(WidgetId id) const;
    bool exists(WidgetId id) const;
    std::vector<WidgetId> children(WidgetId id) const;
    std::vector<WidgetId> roots() const;  // back to front
    std::intptr_t property(WidgetId id, int property, bool* exists = nullptr) const;
    // First shown widget whose descriptor is `text` (any class when widgetClass is 0).
    WidgetId findShown(const std::string& text, int widgetClass = 0) const;
    int widgetCount() const;
    // XPSetWidgetDescriptor calls since the last reset, on any widget, alive or not.
    int descriptorWrites() const;
    // Widget-toolkit calls since the last reset that named a widget id of 0 or
    // of a destroyed widget; the toolkit ignores them without a word.
    int unknownWidgetCalls() const;

    void mouseDown(int x, int y);
    void mouseDrag(int x, int y);
    void mouseUp(int x, int y);
    void click(int x, int y);  // down then up at the same point
    // Clicks the centre of the shown push button with this label; false if none,
    // or if another window covers its centre (a pilot could not reach it either).
    bool clickButton(const std::string& label);
    // Clicks the close box of a main window (its top-right 16 by 16 pixels).
    void clickCloseBox(WidgetId window);
    // The pilot selects a text field's whole text and types `text` over it.
    bool typeInto(WidgetId field, const std::string& text);

    // Draws every shown root window back to front; returns the recorded calls.
    std::vector<DrawOp> draw();

    // --- what the simulator saw ---
    std::string simLog() const;  // XPLMDebugString output
    // What simLog() holds past its first `offset` bytes, without copying the rest.
    std::string simLogSince(std::size_t offset) const;
    std::size_t simLogSize() const;
    std::vector<int> keyStrokes() const;  // XPLMCommandKeyStroke calls
    bool paused() const;                  // toggled by key stroke 0

    // --- plug-in code: what runs between a call into the plug-in and its return,
    // less the simulator functions it calls meanwhile (see README.md) ---
    // Heap allocations (malloc, calloc, realloc, the aligned ones, and so
    // operator new) made by plug-in code since the process started.
    std::uint64_t pluginAllocations() const;
    // While on, every heap allocation by plug-in code but the first
    // `allowedFirst` fails as it does when memory has run out (a null pointer,
    // errno ENOMEM). Returns false, and refuses nothing, where the stand-in
    // cannot: under AddressSanitizer and on Windows.
    bool refusePluginAllocations(bool on, std::uint64_t allowedFirst = 0);
    // While on, a process run under valgrind --tool=callgrind --collect-atstart=no
    // collects exactly while plug-in code runs. Off at start.
    void countPluginInstructions(bool on);
    // While on (from the start), each call into the plug-in returns only once
    // every other thread of the process is asleep: the plug-in's own threads
    // have done what the call asked (see README.md). Off, the frames follow
    // one another as the simulator's do, whatever those threads do: for timing.
    void waitForPluginThreads(bool on);

    // Fixed-width basic font (pixels).
    static constexpr int kFontWidth = 7;
    static constexpr int kFontHeight = 10;

private:
    Sim() = default;
};

}  // namespace skysim
