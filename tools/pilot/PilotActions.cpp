// The pilot's actions and the faults it injects: every choice is drawn from
// the step's own generator against what is on screen and on disk now.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "KillPoints.h"
#include "PilotSession.h"
#include "config/HotKeyNames.h"
#include "config/SettingsSections.h"
#include "plugin/MenuItems.h"
#include "plugin/Paths.h"
#include "plugin/SimulatorCommands.h"
#include "position/RecordText.h"

namespace fs = std::filesystem;

namespace pilot {

namespace {

// What a pilot types into a field: numbers in and out of range, what strtod
// takes that a pilot might not mean, very long text, bytes beyond ASCII, nothing.
std::string fieldText(Random& random) {
    static const char* const texts[] = {
        "0",
        "1",
        "-1",
        "47.449",
        "-122.309",
        "433",
        "359.99",
        "1e308",
        "-1e308",
        "1e400",
        "nan",
        "NaN",
        "-nan",
        "inf",
        "-inf",
        "",
        "12abc",
        "  3.5  ",
        "0x1p3",
        "1e-320",
        "2147483648",
        "-2147483649",
        "99999999999999999999",
        "\xC3\xA9\xE2\x82\xAC",
        "\xFF\xFE\x80",
        "-0",
        ".",
        "1,5",
    };
    switch (random.below(8)) {
        case 0:
            return std::string(100 + random.below(1000), static_cast<char>('0' + random.below(10)));
        case 1:
            return std::to_string((random.unit() - 0.5) * std::pow(10.0, static_cast<double>(random.below(12))));
        default:
            return texts[random.below(std::size(texts))];
    }
}

// Names a pilot gives a file in the save dialog.
std::string saveName(Random& random) {
    static const char* const names[] = {
        "Home",
        "Home.skd",
        "Mixed.SKD",
        "QuickFile",
        "a/b",
        "a\\b",
        "..",
        "../escape",
        "/tmp/outside",
        "CON",
        "nul.skd",
        "LPT1.txt",
        "COM9",
        "trailing.",
        "trailing ",
        "",
        "x",
        "Z\xC3\xBCrich",
        "SkyPlacer.ini",
        "SkyPlacerLog.txt",
        "SkyPlacerSave.tmp",
        "skyplacerkeep.TMP",
        "skyplacerrun.txt",
        "X.skd",
        "notes.txt",
        "a:b",
        "star*",
    };
    if (random.chance(8)) return std::string(300, static_cast<char>('a' + random.below(26)));
    return names[random.below(std::size(names))];
}

// Names the pilot's own file faults use in the plug-in's folder.
const char* const kFileNames[] = {"QuickFile.skd", "Home.skd", "A.skd", "B.skd", "Mixed.SKD", "X.skd", "notes.txt"};

std::string positionFileText(Random& random) {
    std::string text;
    for (int i = 0; i < kRecordFieldCount; ++i) {
        if (i == kFirstPositionField) text += "\n[POSITION_DATA]\n";
        if (i == kFirstAutopilotField) text += "\n[AUTOPILOT_DATA]\n";
        if (i == 0) text += "[CONFIG]\n";
        char value[64];
        if (kRecordFields[i].type == FieldType::Int) {
            (void)std::snprintf(value, sizeof value, "%d", static_cast<int>(random.below(7)) - 1);
        } else {
            (void)std::snprintf(value, sizeof value, "%f", (random.unit() - 0.5) * 720.0);
        }
        text += std::string(kRecordFields[i].key) + " = " + value + "\n";
    }
    return text;
}

// Auto-save intervals in and out of the accepted range, and ones that are no number.
const char* const kAutoSaveMinutes[] = {"1", "0.5", "0", "5", "1440", "0.25", "1441", "-1", "abc", ""};

// [CONFIG] comes last and AutoSaveMinutes last in it: a plug-in that does not
// know the key stops reading there, after every other setting.
std::string settingsText(Random& random, const std::string& runAutoSave) {
    std::string text = "[DEBUG]\nLogFile = " + std::to_string(random.below(2)) + "\nDebugView = 0\n";
    // The sections of the actions' hot keys, as the plug-in's own table names them.
    for (const SettingsSection& section : kSettingsSections) {
        if (section.action == kNoAction || random.chance(40)) continue;
        text +=
            std::string("\n[") + section.name + "]\nHotKey = " + KeyNameTable[random.below(kKeyNameCount)].name + "\n";
        text += std::string("HotKeyModifiers = ") + ModifierNameTable[random.below(kModifierNameCount)].name + "\n";
    }
    text += "\n[CONFIG]\nAutoStart = " + std::to_string(random.below(2)) + "\n";
    text += std::string("DefaultSKDFileName = ") + kFileNames[random.below(std::size(kFileNames))] + "\n";
    text += "HideControlPanel = " + std::to_string(random.below(2)) + "\n";
    text += "PauseAutoStart = " + std::to_string(random.below(2)) + "\n";
    // A run with the auto-save on mostly keeps its interval; any run may try another.
    if (!runAutoSave.empty() && random.chance(70)) {
        text += "AutoSaveMinutes = " + runAutoSave + "\n";
    } else if (random.chance(50)) {
        text += std::string("AutoSaveMinutes = ") + kAutoSaveMinutes[random.below(std::size(kAutoSaveMinutes))] + "\n";
    }
    return text;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A few bytes flipped, inserted, removed or repeated, as a fuzzer mutates.
std::string mutated(Random& random, std::string text) {
    int edits = 1 + static_cast<int>(random.below(6));
    for (int i = 0; i < edits; ++i) {
        std::size_t at = random.below(text.size() + 1);
        switch (random.below(4)) {
            case 0:
                if (at < text.size()) text[at] = static_cast<char>(random.below(256));
                break;
            case 1:
                text.insert(at, 1, static_cast<char>(random.below(256)));
                break;
            case 2:
                if (at < text.size()) text.erase(at, 1 + random.below(20));
                break;
            default:
                text.insert(at, text.substr(at, random.below(200)));
                break;
        }
    }
    return text;
}

int centreX(const skysim::WidgetInfo& w) { return (w.left + w.right) / 2; }
int centreY(const skysim::WidgetInfo& w) { return (w.top + w.bottom) / 2; }

// A click on the save dialog's OK, when one is shown; false otherwise.
bool clickSaveOk(skysim::Sim& sim) {
    for (const skysim::WidgetInfo& w : sim.widgets()) {
        if (w.widgetClass != skysim::Button || !w.shown || w.descriptor != " OK") continue;
        skysim::WidgetInfo root = w;
        while (!root.root) root = sim.widget(root.parent);
        if (root.descriptor.rfind("Save Position File", 0) != 0) continue;
        sim.click(centreX(w), centreY(w));
        return true;
    }
    return false;
}

}  // namespace

std::vector<skysim::WidgetInfo> Session::shown(int widgetClass) const {
    std::vector<skysim::WidgetInfo> all = sim_.widgets();
    std::vector<skysim::WidgetInfo> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out),
                 [widgetClass](const skysim::WidgetInfo& w) { return w.shown && w.widgetClass == widgetClass; });
    return out;
}

std::string Session::act(const Step& step) {
    Random random(step.arg);
    waited_ = 0;
    saveFailed_ = false;
    switch (step.kind) {
        case StepKind::Menu:
            return pickMenu(random);
        case StepKind::HotKey:
            return pressHotKey(random);
        case StepKind::Command:
            return runCommand(random);
        case StepKind::Button:
            return clickButton(random);
        case StepKind::CloseBox:
            return clickCloseBox(random);
        case StepKind::ListMouse:
            return useListBox(random);
        case StepKind::Type:
            return typeText(random);
        case StepKind::SaveName:
            return nameInSaveDialog(random);
        case StepKind::Time:
            return passTime(random);
        case StepKind::WriteFile:
            return writeFile(random);
        case StepKind::RemoveFile:
            return removeFile(random);
        case StepKind::ReadOnly:
            return makeReadOnly(random);
        case StepKind::FullDisk:
            return fillDisk(random);
        case StepKind::Reload:
            return reload(random);
        case StepKind::Die:
            dieDuringSave(random);
        case StepKind::Crash:
            return toggle(kHasCrashed, "the aircraft crashes", "the aircraft flies again");
        case StepKind::Replay:
            return toggle(kInReplay, "a replay starts", "the replay ends");
        case StepKind::Undo:
            return undo();
        case StepKind::Count:
            break;
    }
    return "nothing";
}

std::string Session::pickMenu(Random& random) {
    const char* item = kMenuItems[random.below(std::size(kMenuItems))].text;
    return std::string("menu \"") + item + "\"" + (sim_.pickMenuItem(item) ? "" : " (not in the menu)");
}

// A key as a keyboard sends it: tapped, or held for up to two seconds, with
// random modifiers or those of a bound hot key.
std::string Session::pressHotKey(Random& random) {
    std::vector<skysim::HotKeyInfo> bound = sim_.hotKeys();
    int key = static_cast<int>(random.below(256));
    int modifiers = static_cast<int>(random.below(8));
    if (!bound.empty() && random.chance(70)) {
        const skysim::HotKeyInfo& pick = bound[random.below(bound.size())];
        key = pick.key;
        modifiers = pick.flags;  // the keyboard sends only the modifier bits of it
    }
    std::string press = "key " + std::to_string(key) + " modifiers " + std::to_string(modifiers & 7);
    int fired = 0;
    if (random.chance(80)) {
        fired = sim_.tapKey(key, modifiers);
        press += " tapped";
    } else {
        double held = random.unit() * 2.0;
        fired = sim_.holdKey(key, modifiers, held);
        press += " held " + std::to_string(held) + " s";
    }
    return press + " (" + std::to_string(fired) + " hot keys fired)";
}

std::string Session::runCommand(Random& random) {
    const char* name = kSimulatorCommands[random.below(std::size(kSimulatorCommands))].name;
    if (random.chance(85)) {
        sim_.commandOnce(name);
        return std::string("command ") + name;
    }
    double held = random.unit() * 1.5;
    sim_.commandBegin(name);
    sim_.advance(held);
    sim_.commandEnd(name);
    return std::string("command ") + name + " held " + std::to_string(held) + " s";
}

std::string Session::clickButton(Random& random) {
    std::vector<skysim::WidgetInfo> buttons = shown(skysim::Button);
    if (buttons.empty()) return "no button to click";
    const skysim::WidgetInfo& button = buttons[random.below(buttons.size())];
    sim_.click(centreX(button), centreY(button));
    return "click \"" + button.descriptor + "\"";
}

std::string Session::clickCloseBox(Random& random) {
    std::vector<skysim::WidgetInfo> windows = shown(skysim::MainWindow);
    if (windows.empty()) return "no window to close";
    const skysim::WidgetInfo& window = windows[random.below(windows.size())];
    sim_.clickCloseBox(window.id);
    return "close box of \"" + window.descriptor + "\"";
}

// Anywhere in the list box: its lines, its scroll bar's arrows, track and thumb;
// a drag may leave the box.
std::string Session::useListBox(Random& random) {
    std::vector<skysim::WidgetInfo> boxes = shown(skysim::CustomClass);
    if (boxes.empty()) return "no list box";
    const skysim::WidgetInfo& box = boxes[random.below(boxes.size())];
    auto pointX = [&]() { return box.left + static_cast<int>(random.below(box.right - box.left + 1)); };
    auto pointY = [&]() { return box.bottom + static_cast<int>(random.below(box.top - box.bottom + 1)); };
    // The scroll bar is the right-hand strip: aim there half the time.
    auto barX = [&]() { return box.right - static_cast<int>(random.below(16)); };
    int x = random.chance(50) ? barX() : pointX();
    int y = pointY();
    if (random.chance(60)) {
        sim_.click(x, y);
        return "click list box at " + std::to_string(x) + "," + std::to_string(y);
    }
    sim_.mouseDown(x, y);
    int moves = 1 + static_cast<int>(random.below(4));
    int toX = x, toY = y;
    for (int i = 0; i < moves; ++i) {
        toX = x + static_cast<int>(random.below(41)) - 20;
        toY = pointY() + static_cast<int>(random.below(81)) - 40;
        sim_.mouseDrag(toX, toY);
    }
    sim_.mouseUp(toX, toY);
    return "drag list box from " + std::to_string(x) + "," + std::to_string(y) + " to " + std::to_string(toX) + "," +
           std::to_string(toY);
}

std::string Session::typeText(Random& random) {
    std::vector<skysim::WidgetInfo> fields = shown(skysim::TextField);
    if (fields.empty()) return "no field to type into";
    const skysim::WidgetInfo& field = fields[random.below(fields.size())];
    std::string text = fieldText(random);
    sim_.typeInto(field.id, text);
    return "type " + std::to_string(text.size()) + " bytes \"" + text.substr(0, 40) + "\" into field " +
           std::to_string(field.id);
}

std::string Session::nameInSaveDialog(Random& random) {
    for (const skysim::WidgetInfo& window : shown(skysim::MainWindow)) {
        if (window.descriptor.rfind("Save Position File", 0) != 0) continue;
        for (skysim::WidgetId child : sim_.children(window.id)) {
            if (sim_.widget(child).widgetClass != skysim::TextField) continue;
            std::string name = saveName(random);
            sim_.typeInto(child, name);
            clickSaveOk(sim_);
            return "save as \"" + name + "\"";
        }
    }
    sim_.pickMenuItem("Save Position File");
    return "menu \"Save Position File\" (no save dialog was open)";
}

std::string Session::passTime(Random& random) {
    double seconds = 0;
    std::size_t span = random.below(10);
    if (span >= 9) {
        seconds = random.unit() * 5.0;
    } else if (span >= 6) {
        seconds = random.unit() * 2.0;
    } else if (span >= 1) {
        seconds = random.unit() * 0.5;
    }
    sim_.advance(seconds);
    waited_ = seconds;
    return "wait " + std::to_string(seconds) + " s";
}

std::string Session::writeNamedFile(Random& random, const std::string& name, Fault& fault) {
    std::string path = pluginPath(name);
    std::error_code ignored;
    if (fs::is_directory(path, ignored)) return name + " is a folder: left alone";
    switch (random.below(6)) {
        case 0:
            fault = Fault::ValidFile;
            writeAll(path, positionFileText(random));
            return "write a valid position file " + name;
        case 1:
        case 2: {
            if (corpus_.empty()) break;
            const std::string& source = corpus_[random.below(corpus_.size())];
            bool mutate = random.chance(50);
            fault = mutate ? Fault::MutatedFile : Fault::CorpusFile;
            writeAll(path, mutate ? mutated(random, readAll(source)) : readAll(source));
            return std::string(mutate ? "write a mutation of " : "write ") + fs::path(source).filename().string() +
                   " as " + name;
        }
        case 3:
            fault = Fault::HugeFile;
            writeAll(path, std::string(1 << 20, static_cast<char>(random.chance(50) ? '\n' : 'A' + random.below(26))));
            return "write a 1 MB " + name;
        default:
            break;
    }
    fault = Fault::EmptyFile;
    writeAll(path, "");
    return "write an empty " + name;
}

std::string Session::writeFile(Random& random) {
    std::string what;
    Fault fault = Fault::Count;
    std::size_t choice = random.below(10);
    if (choice == 0) {
        fault = Fault::FolderNamedSkd;
        std::error_code ignored;
        fs::remove(pluginPath("X.skd"), ignored);
        fs::create_directory(pluginPath("X.skd"), ignored);
        what = "make a folder X.skd";
    } else if (choice == 1) {
        fault = Fault::NewSettings;
        writeAll(pluginPath(kSettingsFileName), settingsText(random, options_.autoSaveMinutes));
        what = "write a new SkyPlacer.ini";
    } else {
        // The quick file most often: a broken one makes the quick load fail.
        const char* name = random.chance(40) ? kQuickFileName : kFileNames[random.below(std::size(kFileNames))];
        what = writeNamedFile(random, name, fault);
    }
    if (fault != Fault::Count) count(fault);
    takePluginFolderState();
    return what;
}

std::string Session::removeFile(Random& random) {
    std::vector<std::string> names;
    for (const auto& [name, entry] : takeFolderState(sim_.pluginFolder())) {
        if (name != kLogFileName && name.find('/') == std::string::npos) names.push_back(name);
    }
    if (names.empty()) return "no file to remove";
    std::string name = names[random.below(names.size())];
    std::error_code ignored;
    std::string what;
    if (random.chance(50)) {
        count(Fault::Deleted);
        fs::remove_all(pluginPath(name), ignored);
        what = "delete " + name;
    } else {
        std::string to = kFileNames[random.below(std::size(kFileNames))];
        count(Fault::Renamed);
        fs::rename(pluginPath(name), pluginPath(to), ignored);
        what = "rename " + name + " to " + to;
    }
    takePluginFolderState();
    return what;
}

// Flips one entry between read-only and writable: the folder itself or one of its files.
std::string Session::makeReadOnly(Random& random) {
    std::vector<std::string> names = {""};
    for (const auto& [name, entry] : takeFolderState(sim_.pluginFolder())) {
        if (name.find('/') == std::string::npos) names.push_back(name);
    }
    std::string name = random.chance(40) ? std::string() : names[random.below(names.size())];
    std::string path = name.empty() ? sim_.pluginFolder() : pluginPath(name);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return "nothing to make read-only";
    bool writable = (info.st_mode & S_IWUSR) != 0;
    mode_t mode = S_ISDIR(info.st_mode) ? (writable ? 0555 : 0755) : (writable ? 0444 : 0644);
    chmod(path.c_str(), mode);
    if (writable) count(name.empty() ? Fault::ReadOnlyFolder : Fault::ReadOnlyFile);
    takePluginFolderState();
    return std::string(writable ? "make read-only: " : "make writable: ") + (name.empty() ? "the folder" : name);
}

// The disk fills while the plug-in saves: no file of the process grows past a
// few hundred bytes (the signal the limit raises is ignored, so writes fail).
std::string Session::fillDisk(Random& random) {
    count(Fault::FullDisk);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = random.below(700);
    // A save's failure shows at the main loop's next call: the earlier saves' first.
    sim_.advance(kLoopCallWithin);
    skysim::WidgetId failedBefore = sim_.findShown(kSaveFailedText);
    void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    std::string what;
    if (clickSaveOk(sim_)) {
        what = "OK in the save dialog";
    } else if (random.chance(50)) {
        sim_.commandOnce("skyplacer/quick_save");
        what = "quick save";
    } else {
        sim_.pickMenuItem("Quick Save File");
        what = "menu \"Quick Save File\"";
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    (void)std::signal(SIGXFSZ, handler);
    sim_.advance(kLoopCallWithin);
    skysim::WidgetId failedAfter = sim_.findShown(kSaveFailedText);
    saveFailed_ = failedAfter != 0 && failedAfter != failedBefore;
    return "full disk (" + std::to_string(limited.rlim_cur) + " bytes left) during " + what;
}

std::string Session::reload(Random& random) {
    count(Fault::Reload);
    std::string error;
    if (!placements_.follow(sim_.accesses(), error)) stopError_ = error;
    placements_.forget();
    if (sim_.started()) {
        sim_.stop();
        if (!checkStopped(error)) stopError_ = error;
    }
    if (random.chance(20)) sim_.advance(random.unit() * 2.0);
    keepAutoSaveOn();
    keepOwed_ = false;  // the start says again what it still owes
    // A reload renames nothing, but where the mark of this process's run is
    // gone or damaged (a fault), or still owes a keep: the start keeps AutoSave.skd then.
    std::ifstream markFile(pluginPath(kRunMarkFileName));
    std::string state, owed;
    unsigned long id = 0;
    unsigned long long started = 0;
    markFile >> state >> id >> started >> owed;
    reloadMayKeep_ = !markFile.eof() || id != static_cast<unsigned long>(getpid()) || !owed.empty();
    sim_.start();
    return "stop and start the plug-in (a reload)";
}

// The simulator's own state, which it changes as the pilot flies.
std::string Session::toggle(const char* dataRef, const char* on, const char* off) {
    const bool wasOn = sim_.getInt(dataRef) != 0;
    sim_.setInt(dataRef, wasOn ? 0 : 1);
    return wasOn ? off : on;
}

// What was asked before goes first (a placement and its settle, or the
// deferred start's, a second after a start); then the undo, whose placement
// the check compares with the place captured before it.
std::string Session::undo() {
    sim_.advance(1.2);
    placements_.undoAsked(sim_.accesses());
    sim_.commandOnce("skyplacer/undo_placement");
    sim_.advance(0.3);
    waited_ = 1.5;
    return "undo the last placement";
}

// The simulator dies (SIGKILL, as a crash or a power cut stops it) at a save
// event drawn from the step, or, when no save reaches it, at the end of the
// step. What the checks knew is left for the session that starts again on the
// same folder (resume), whose first check is that of this step.
void Session::dieDuringSave(Random& random) {
    count(Fault::Killed);
    std::ofstream(resumeStatePath(), std::ios::trunc) << log_.stateText() << "\n" << folderStateText(folder_);
    killpoints::killAfter(static_cast<int>(random.below(36)));
    std::size_t action = random.below(10);
    if (action >= 7) {
        sim_.advance(random.unit() * 70.0);  // an auto-save, when it is on
    } else if (action >= 2 || !clickSaveOk(sim_)) {
        sim_.commandOnce("skyplacer/quick_save");
    }
    (void)std::fflush(nullptr);
    (void)kill(getpid(), SIGKILL);
    for (;;) pause();
}

}  // namespace pilot
