// What must hold after every step, whatever the pilot did.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PilotSession.h"
#include "plugin/Paths.h"
#include "position/RecordText.h"
#include "position/SafeFileWriter.h"

namespace fs = std::filesystem;

namespace pilot {

namespace {

// More than every window the plug-in may have open at once holds.
constexpr int kWidgetBound = 400;
const char* const kPluginFolderInRoot = "Resources/plugins/SkyPlacer";

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isInteger(const char* text) {
    if (*text == '-') ++text;
    if (*text == '\0') return false;
    return std::strspn(text, "0123456789") == std::strlen(text);
}

// "%f" of a finite number: digits, a point, six digits.
bool isSixDecimals(const char* text) {
    const char* point = std::strchr(text, '.');
    if (point == nullptr || std::strlen(point + 1) != 6 || std::strspn(point + 1, "0123456789") != 6) return false;
    std::string whole(text, point);
    return isInteger(whole.c_str());
}

// A file as the plug-in writes it: the three sections, every field in order, nothing more.
bool isWholePositionFile(const std::string& text) {
    std::size_t at = 0;
    auto line = [&](std::string& out) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) return false;
        out = text.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string got;
    for (int i = 0; i < kRecordFieldCount; ++i) {
        const char* header = i == 0                      ? "[CONFIG]"
                             : i == kFirstPositionField  ? "[POSITION_DATA]"
                             : i == kFirstAutopilotField ? "[AUTOPILOT_DATA]"
                                                         : nullptr;
        if (header != nullptr) {
            if (i > 0 && (!line(got) || !got.empty())) return false;
            if (!line(got) || got != header) return false;
        }
        std::string key = std::string(kRecordFields[i].key) + " = ";
        if (!line(got) || got.compare(0, key.size(), key) != 0) return false;
        const char* value = got.c_str() + key.size();
        if (kRecordFields[i].type == FieldType::Int ? !isInteger(value) : !isSixDecimals(value)) return false;
    }
    return at == text.size();
}

// The auto-save's files: a save never removes AutoSave.skd (the save before it
// is kept by a copy), but the start of a new simulator run renames it
// AutoSave-last-session.skd; a reload renames nothing.

// `name` is gone from `now` because a start made it the last session's save:
// that name holds another file than before (the same one, or one a killed
// save wrote just before), which the check of changed files finds whole.
bool keptAsLastSession(const std::string& name, const FolderState& before, const FolderState& now) {
    auto lastSession = now.find(kAutoSaveLastSessionFileName);
    auto older = before.find(kAutoSaveLastSessionFileName);
    return name == kAutoSaveFileName && lastSession != now.end() &&
           (older == before.end() || older->second != lastSession->second);
}

// A crash's last save, as the plug-in names it: "AutoSave-crash-2026-12-08-02h14m30s.skd".
bool isCrashSaveName(const std::string& name) {
    const std::string pattern = "AutoSave-crash-0000-00-00-00h00m00s.skd";
    if (name.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (pattern[i] == '0' ? std::isdigit(static_cast<unsigned char>(name[i])) == 0 : name[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

int crashSaveCount(const FolderState& state) {
    return static_cast<int>(std::count_if(state.begin(), state.end(), [](const auto& entry) {
        return !entry.second.folder && isCrashSaveName(entry.first);
    }));
}

// The plug-in keeps five crash saves: one it removed leaves five.
constexpr int kCrashSavesKept = 5;

// The mark of the plug-in's run: "running" or "stopped", the process's id and
// start, and the end a keep still owed follows.
bool isWholeRunMark(const std::string& text) {
    std::size_t blank = text.find(' ');
    if (text.empty() || text.back() != '\n' || blank == std::string::npos) return false;
    const std::string state = text.substr(0, blank);
    const std::string rest = text.substr(blank + 1, text.size() - blank - 2);
    const std::size_t id = std::strspn(rest.c_str(), "0123456789");
    if (id == 0 || rest.size() <= id + 1 || rest[id] != ' ') return false;
    const std::size_t started = std::strspn(rest.c_str() + id + 1, "0123456789");
    const std::string owed = rest.substr(id + 1 + started);
    return (state == "running" || state == "stopped") && started > 0 &&
           (owed.empty() || owed == " owed-after-crash" || owed == " owed-after-clean-end");
}

// A save's temporary file and the copy it keeps of the file it replaces.
bool isSavesOwnFile(const std::string& name) { return name == kTemporaryFileName || name == kKeptCopyFileName; }

// A number the display shows whole, or the digits of one too long to show, cut and marked "...".
bool isFiniteNumber(const std::string& text) {
    const std::string cut = "...";
    bool marked = text.size() > cut.size() && text.compare(text.size() - cut.size(), cut.size(), cut) == 0;
    std::string number = marked ? text.substr(0, text.size() - cut.size()) : text;
    char* end = nullptr;
    double value = std::strtod(number.c_str(), &end);
    return end != number.c_str() && *end == '\0' && std::isfinite(value);
}

}  // namespace

const char* faultName(Fault fault) {
    static const char* const names[] = {
        "valid position file written",
        "fuzz-corpus file written",
        "mutated corpus file written",
        "empty file written",
        "1 MB file written",
        "folder X.skd made",
        "new SkyPlacer.ini written",
        "file deleted",
        "file renamed",
        "file made read-only",
        "folder made read-only",
        "full disk during a save",
        "plug-in reloaded (stopped and started in one simulator run)",
        "simulator killed and started again",
    };
    static_assert(std::size(names) == static_cast<std::size_t>(Fault::Count), "one name per fault");
    return names[static_cast<int>(fault)];
}

bool Session::begin(std::string& error) {
    if (!startSimulator(false, error)) return false;
    takePluginFolderState();
    std::string opening;
    return log_.follow(opening, error);
}

bool Session::resume(std::string& error) {
    std::ifstream saved(resumeStatePath(), std::ios::binary);
    std::string logState;
    std::getline(saved, logState);
    folder_ = folderStateFromText(std::string(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()));
    resumed_ = true;
    deadRunSave_ = readAll((fs::path(options_.rootFolder) / kPluginFolderInRoot / kAutoSaveFileName).string());
    if (!startSimulator(true, error)) return false;
    if (log_.resume(logState)) return true;
    error = "cannot begin again: the killed session left no state";
    return false;
}

// The simulator on the session's root with the plug-in started: on a fresh
// folder, with the first settings file, or again on the one a killed session left.
bool Session::startSimulator(bool again, std::string& error) {
    sim_.reset(options_.rootFolder);
    std::error_code made;
    fs::create_directories(sim_.pluginFolder(), made);
    for (const char* kind : {"position", "settings"}) {
        fs::directory_iterator listing(options_.corpusFolder + "/" + kind, made);
        std::transform(fs::begin(listing), fs::end(listing), std::back_inserter(corpus_),
                       [](const fs::directory_entry& entry) { return entry.path().string(); });
    }
    std::sort(corpus_.begin(), corpus_.end());  // a listing's order is the system's: fix it for replays
    if (!again) keepAutoSaveOn();
    log_ = GrowingFile(pluginPath(kLogFileName));
    if (!sim_.load(options_.modulePath, &error)) return false;
    if (sim_.start() != 1) {
        error = "the plug-in did not start";
        return false;
    }
    outside_ = takeFolderState(options_.rootFolder, kPluginFolderInRoot);
    return true;
}

// A pilot who turned the auto-save on keeps it on: where a fault took the
// settings file away, the next start finds one that holds only the interval.
void Session::keepAutoSaveOn() {
    std::string path = pluginPath(kSettingsFileName);
    std::error_code ignored;
    if (options_.autoSaveMinutes.empty() || fs::exists(path, ignored)) return;
    std::ofstream(path) << "[CONFIG]\nAutoSaveMinutes = " << options_.autoSaveMinutes << "\n";
    takePluginFolderState();
}

bool Session::end(std::string& error) {
    if (sim_.started()) sim_.stop();
    return log_.verifyWhole(error);
}

// The pilot's own changes never touch the log, which the next check follows.
void Session::takePluginFolderState() { folder_ = takeFolderState(sim_.pluginFolder()); }

bool Session::check(const Step& step, std::string& error) {
    if (!stopError_.empty()) {
        error = stopError_;
        return false;
    }
    return checkSimulator(error) && checkOutsideFolder(error) && checkPluginFolder(error) &&
           checkStoredValues(step, error);
}

bool Session::checkSimulator(std::string& error) {
    std::string added = sim_.simLogSince(simLogSize_);
    simLogSize_ = sim_.simLogSize();
    if (added.find("is not writable") != std::string::npos || added.find("XPluginStop:") != std::string::npos ||
        added.find("during a replay") != std::string::npos) {
        error = "the simulator's log says: " + added;
        return false;
    }
    // The simulator is never handed an infinite or undefined value.
    for (const skysim::DataAccess& access : sim_.accesses()) {
        bool written = access.kind == skysim::DataAccess::SetF || access.kind == skysim::DataAccess::SetD ||
                       access.kind == skysim::DataAccess::SetVF;
        bool finite = std::isfinite(access.value) &&
                      std::all_of(access.values.begin(), access.values.end(), [](float v) { return std::isfinite(v); });
        if (written && !finite) {
            error = "the plug-in wrote a value that is not finite to " + access.name;
            return false;
        }
    }
    if (!placements_.follow(sim_.accesses(), error)) return false;
    sim_.clearAccesses();
    placements_.cleared();
    if (sim_.unknownWidgetCalls() != 0) {
        error = std::to_string(sim_.unknownWidgetCalls()) + " toolkit calls on widget 0 or a destroyed widget";
        return false;
    }
    if (sim_.widgetCount() > kWidgetBound) {
        error = std::to_string(sim_.widgetCount()) + " live widgets, more than all windows open hold";
        return false;
    }
    return true;
}

bool Session::checkOutsideFolder(std::string& error) {
    std::string difference = folderDifference(outside_, takeFolderState(options_.rootFolder, kPluginFolderInRoot));
    if (difference.empty()) return true;
    error = "outside the plug-in's folder: " + difference;
    return false;
}

// Each change in the plug-in's folder since the last step is the log growing
// or a position file the plug-in wrote whole; nothing else is created, changed or removed.
bool Session::checkPluginFolder(std::string& error) {
    FolderState now = takeFolderState(sim_.pluginFolder());
    if (!checkNoAutoSave(now, error)) return false;
    for (const auto& [name, entry] : now) {
        auto before = folder_.find(name);
        if (before != folder_.end() && before->second == entry) continue;
        if (name == kLogFileName) continue;
        // A killed save may leave its temporary file or kept copy, in any state; a
        // later save starts it afresh, and where that save fails it may not be able to remove it.
        if (isSavesOwnFile(name) && (resumed_ || before != folder_.end())) continue;
        // The full disk's step goes on past the save for its message, long enough for an auto-save.
        const bool autoSaved = name == kAutoSaveFileName || name == kAutoSavePreviousFileName;
        if (saveFailed_ && !autoSaved) {
            error = "a save that failed changed " + name;
            return false;
        }
        if (name == kRunMarkFileName && !entry.folder && isWholeRunMark(readAll(pluginPath(name)))) continue;
        // Any name with a point is saved as typed, so any file may be a position file the plug-in wrote.
        if (!entry.folder && isWholePositionFile(readAll(pluginPath(name)))) continue;
        std::string text = entry.folder ? std::string() : readAll(pluginPath(name));
        error = name + (before == folder_.end() ? " was created" : " was changed") +
                " and is not a whole position file; it holds " + std::to_string(text.size()) + " bytes:\n" +
                text.substr(0, 800);
        if (isSavesOwnFile(name)) error = name + " was left behind";
        return false;
    }
    for (const auto& [name, entry] : folder_) {
        const bool keptApart = (resumed_ || reloadMayKeep_) && keptAsLastSession(name, folder_, now);
        const bool oldCrashSave = isCrashSaveName(name) && crashSaveCount(now) == kCrashSavesKept;
        if (now.count(name) == 0 && name != kLogFileName && !isSavesOwnFile(name) && !keptApart && !oldCrashSave) {
            error = name + " was removed";
            return false;
        }
    }
    if (!log_.follow(lastLogLines_, error) || !checkCrashSaves(now, error)) return false;
    folder_ = std::move(now);
    resumed_ = false;
    reloadMayKeep_ = false;
    return true;
}

// While the aircraft has crashed or the simulator replays, nothing is worth
// resuming: the auto-save writes nothing. Only the pilot's own steps change
// either, and they let no time pass, so what holds now held all the step.
bool Session::checkNoAutoSave(const FolderState& now, std::string& error) {
    if (sim_.getInt(kHasCrashed) == 0 && sim_.getInt(kInReplay) == 0) return true;
    auto saved = now.find(kAutoSaveFileName);
    auto before = folder_.find(kAutoSaveFileName);
    if (saved == now.end() || (before != folder_.end() && before->second == saved->second)) return true;
    error = std::string(kAutoSaveFileName) + " was written while the aircraft had crashed or the simulator replayed";
    return false;
}

// At most five crash saves; the save a killed simulator left is never lost by
// the start after, which keeps it as a crash save or leaves it where it was;
// and while the log says AutoSave.skd is still to be kept, nothing is saved over it.
bool Session::checkCrashSaves(const FolderState& now, std::string& error) {
    if (crashSaveCount(now) > kCrashSavesKept) {
        error = std::to_string(crashSaveCount(now)) + " crash saves are kept";
        return false;
    }
    if (resumed_ && !deadRunSave_.empty()) {
        const bool kept = std::any_of(now.begin(), now.end(), [this](const auto& entry) {
            return (entry.first == kAutoSaveFileName || isCrashSaveName(entry.first)) &&
                   readAll(pluginPath(entry.first)) == deadRunSave_;
        });
        if (!kept) {
            error = "the killed simulator's last save is neither AutoSave.skd nor a crash save";
            return false;
        }
    }
    const std::size_t owed = lastLogLines_.rfind("could not be kept; nothing is saved over it");
    const std::size_t kept = lastLogLines_.rfind("was kept at last");
    auto before = folder_.find(kAutoSaveFileName);
    auto after = now.find(kAutoSaveFileName);
    const bool savedOver = before != folder_.end() && after != now.end() && before->second != after->second;
    if (keepOwed_ && kept == std::string::npos && savedOver) {
        error = std::string(kAutoSaveFileName) + " was saved over while it was still to be kept";
        return false;
    }
    if (owed != std::string::npos && (kept == std::string::npos || owed > kept)) {
        keepOwed_ = true;
    } else if (kept != std::string::npos) {
        keepOwed_ = false;
    }
    return true;
}

// The data display's "Stored" column: the captions under its header.
std::vector<std::string> Session::storedColumn() const {
    std::vector<std::string> column;
    for (const skysim::WidgetInfo& window : sim_.widgets()) {
        if (!window.root || window.descriptor.rfind(" Data - SkyPlacer", 0) != 0) continue;
        std::vector<skysim::WidgetInfo> captions;
        int left = -1;
        for (skysim::WidgetId id : sim_.children(window.id)) {
            skysim::WidgetInfo child = sim_.widget(id);
            if (child.widgetClass != skysim::Caption) continue;
            if (child.descriptor == "Stored") left = child.left;
            captions.push_back(child);
        }
        for (const skysim::WidgetInfo& caption : captions) {
            if (caption.left == left && caption.descriptor != "Stored") column.push_back(caption.descriptor);
        }
    }
    return column;
}

// The held values stay finite; a load that failed leaves them as they were.
bool Session::checkStoredValues(const Step& step, std::string& error) {
    std::vector<std::string> before = std::move(fresh_);
    fresh_.clear();
    bool loadFailed = lastLogLines_.find("No skd file found") != std::string::npos ||
                      (lastLogLines_.find("parsing skd file") != std::string::npos &&
                       lastLogLines_.find("skd file parsing successful") == std::string::npos);
    bool onlyALoad = step.kind != StepKind::Reload && step.kind != StepKind::Time && step.kind != StepKind::FullDisk;
    if (loadFailed && onlyALoad && !before.empty()) {
        ++*loadsCompared_;
        sim_.advance(0.15);  // the display shows the held values at its next refresh
        std::vector<std::string> after = storedColumn();
        if (after != before) {
            error = "a failed load changed the held values";
            return false;
        }
    }
    std::vector<std::string> column = storedColumn();
    auto notFinite = std::find_if(column.begin(), column.end(),
                                  [](const std::string& value) { return !value.empty() && !isFiniteNumber(value); });
    if (notFinite != column.end()) {
        error = "the data display holds \"" + *notFinite + "\", not a finite number";
        return false;
    }
    // Fresh when time has passed since anything could change them; steps that
    // never change them (files, typing, closing a window) keep them fresh.
    bool keepsHeld = step.kind == StepKind::WriteFile || step.kind == StepKind::RemoveFile ||
                     step.kind == StepKind::ReadOnly || step.kind == StepKind::Type || step.kind == StepKind::CloseBox;
    if ((step.kind == StepKind::Time && waited_ >= 0.1) || (loadFailed && onlyALoad && !before.empty())) {
        fresh_ = std::move(column);
    } else if (keepsHeld) {
        fresh_ = std::move(before);
    }
    return true;
}

bool Session::checkStopped(std::string& error) {
    std::string added = sim_.simLogSince(simLogSize_);
    if (added.find("XPluginStop:") != std::string::npos) {
        error = "after a stop: " + added;
        return false;
    }
    if (sim_.widgetCount() != 0) {
        error = "after a stop " + std::to_string(sim_.widgetCount()) + " widgets are left";
        return false;
    }
    return true;
}

}  // namespace pilot
