// Telling a crash from a clean end, and keeping the crash's last save. A
// start marks the run as running in SkyPlacerRun.txt, a clean stop as stopped,
// both with the simulator's process (its id and when it started). A start
// that finds the mark of this same process follows a reload of the plug-ins;
// any other "running", a crash; any other "stopped", a clean end. After a crash AutoSave.skd is copied under the local
// time it was saved (the newest five such copies stay), and in any new run it
// becomes AutoSave-last-session.skd; a reload renames nothing. A keep that
// could not be done is owed by the mark until a start does it, reload or not.
#include <cstdlib>
#include <cstring>

#include "files/FileAccess.h"
#include "files/ProcessId.h"
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/SafeFileWriter.h"
#include "text/BoundedText.h"
#include "ui/FolderListing.h"

namespace {

constexpr const char* kRunning = "running";
constexpr const char* kStopped = "stopped";
constexpr int kCrashSavesKept = 5;

using CrashSaveName = char[kCrashSaveNameLength + 1];

// What kCrashSaveNameFormat writes, a 0 for each digit.
constexpr char kCrashSavePattern[] = "AutoSave-crash-0000-00-00-00h00m00s.skd";
static_assert(sizeof kCrashSavePattern - 1 == kCrashSaveNameLength, "the names' one length");

// Only names the plug-in gives: a pilot's own "AutoSave-crash-notes.skd" is never removed.
bool isCrashSaveName(const char* name) {
    if (std::strlen(name) != kCrashSaveNameLength) return false;
    for (size_t i = 0; i < kCrashSaveNameLength; ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (kCrashSavePattern[i] == '0' ? !digit : name[i] != kCrashSavePattern[i]) return false;
    }
    return true;
}

// The newest crash saves in the folder but one, newest first (the names sort in time order).
struct NewestCrashSaves {
    const char* leftOut;  // null: none
    CrashSaveName names[kCrashSavesKept];
    int count;
};

void noteIfNewer(const char* name, void* context) {
    NewestCrashSaves& newest = *static_cast<NewestCrashSaves*>(context);
    if (!isCrashSaveName(name) || (newest.leftOut != nullptr && std::strcmp(name, newest.leftOut) == 0)) return;
    int at = newest.count;
    while (at > 0 && std::strcmp(name, newest.names[at - 1]) > 0) --at;
    if (at >= kCrashSavesKept) return;
    const int last = newest.count < kCrashSavesKept ? newest.count : kCrashSavesKept - 1;
    std::memmove(newest.names[at + 1], newest.names[at], sizeof(CrashSaveName) * static_cast<size_t>(last - at));
    copyText(newest.names[at], sizeof(CrashSaveName), name);
    if (newest.count < kCrashSavesKept) ++newest.count;
}

NewestCrashSaves newestCrashSaves(const char* folder, const char* leftOut = nullptr) {
    NewestCrashSaves newest{leftOut, {}, 0};
    forEachFileName(folder, noteIfNewer, &newest);
    return newest;
}

struct OlderRemoval {
    const char* folder;
    const char* kept;        // never removed
    const char* oldestKept;  // of the others
};

void removeIfOlder(const char* name, void* context) {
    const OlderRemoval& removal = *static_cast<const OlderRemoval*>(context);
    char path[kPathSize];
    if (isCrashSaveName(name) && std::strcmp(name, removal.kept) != 0 && std::strcmp(name, removal.oldestKept) < 0 &&
        pluginFilePath(removal.folder, name, path, sizeof path)) {
        removeFile(path);
    }
}

// Five crash saves stay: the one just kept, and the newest four others. The
// one just kept is never the one to go, even when a clock put back makes its
// name older than theirs: the pilot has not seen it yet.
void removeOlderCrashSaves(const char* folder, const char* kept) {
    const NewestCrashSaves others = newestCrashSaves(folder, kept);
    if (others.count < kCrashSavesKept) return;
    OlderRemoval removal{folder, kept, others.names[kCrashSavesKept - 2]};
    forEachFileName(folder, removeIfOlder, &removal);
}

// A keep still owed names the end it follows: a reload, or the next run, owes it too.
constexpr const char* kOwedAfterCrash = "owed-after-crash";
constexpr const char* kOwedAfterCleanEnd = "owed-after-clean-end";

// `text` begins with the word `word`, followed by `after`.
bool beginsWith(const char* text, const char* word, char after) {
    const size_t length = std::strlen(word);
    return std::strncmp(text, word, length) == 0 && text[length] == after;
}

LastEnd lastEndOf(const char* folder) {
    char path[kPathSize];
    std::FILE* mark = pluginFilePath(folder, kRunMarkFileName, path, sizeof path) ? openFile(path, "r") : nullptr;
    char line[96] = "";
    const bool read = mark != nullptr && std::fgets(line, sizeof line, mark) != nullptr;
    if (mark != nullptr) (void)std::fclose(mark);
    // None, or one that cannot be read (an older plug-in marked nothing, a
    // hand removed it): the end cannot be told, and a crash loses nothing.
    const bool running = beginsWith(line, kRunning, ' ');
    const char* blank = std::strchr(line, ' ');
    if (!read || blank == nullptr || (!running && !beginsWith(line, kStopped, ' '))) return LastEnd::Crash;
    char* idEnd = nullptr;
    char* startedEnd = nullptr;
    const unsigned long id = std::strtoul(blank + 1, &idEnd, 10);
    const unsigned long long started = std::strtoull(idEnd, &startedEnd, 10);
    if (idEnd == blank + 1 || startedEnd == idEnd) return LastEnd::Crash;
    const char* owed = *startedEnd == ' ' ? startedEnd + 1 : "";
    if (beginsWith(owed, kOwedAfterCrash, '\n')) return LastEnd::Crash;
    if (beginsWith(owed, kOwedAfterCleanEnd, '\n')) return LastEnd::Clean;
    // "running" by this same process: its stop could not mark the stop.
    const ProcessIdentity self = currentProcess();
    if (id == self.id && started == self.started) return LastEnd::Reload;
    return running ? LastEnd::Crash : LastEnd::Clean;
}

// "running 1234 5678", or "stopped 1234 5678"; followed, while AutoSave.skd is
// still to be kept, by the end it follows.
bool writeRunMark(const char* folder, const char* state, const CrashSaveState& crash) {
    char path[kPathSize];
    char line[96];
    SafeFileWriter writer;
    if (!pluginFilePath(folder, kRunMarkFileName, path, sizeof path) || !writer.open(path)) return false;
    const char* owed = crash.keepPending == 0            ? ""
                       : crash.lastEnd == LastEnd::Crash ? kOwedAfterCrash
                                                         : kOwedAfterCleanEnd;
    const ProcessIdentity self = currentProcess();
    formatText(line, sizeof line, "%s %lu %llu%s%s\n", state, self.id, self.started, owed[0] != '\0' ? " " : "", owed);
    writer.write(line);
    return writer.commit();
}

bool crashSaveNameAt(const std::tm& at, char* name) {
    return formatText(name, sizeof(CrashSaveName), kCrashSaveNameFormat, at.tm_year + 1900, at.tm_mon + 1, at.tm_mday,
                      at.tm_hour, at.tm_min, at.tm_sec);
}

// A whole copy of AutoSave.skd under a crash save's name, on the disk before
// the name is given: the folder holds either no such file or all of it.
bool copyAsCrashSave(const char* folder, const char* saved, const char* kept) {
    char copy[kPathSize];
    if (!pluginFilePath(folder, kKeptCopyFileName, copy, sizeof copy)) return false;
    if (copyFileToDisk(saved, copy) && replaceFile(copy, kept)) {
        syncFolder(folder);
        return true;
    }
    removeFile(copy);
    return false;
}

// Keeps AutoSave.skd under the local time it was written. Another crash's
// save of the same second (the clock put back an hour) is never replaced: the
// next free second is taken. A copy of these very bytes is already the keep.
bool keepAsCrashSave(const char* folder, const char* saved, CrashSaveName& name) {
    constexpr int kSecondsTried = 60;
    std::tm at{};
    if (!fileWrittenAt(saved, at)) return false;
    for (int tried = 0; tried < kSecondsTried; ++tried, ++at.tm_sec, (void)std::mktime(&at)) {
        char kept[kPathSize];
        if (!crashSaveNameAt(at, name) || !pluginFilePath(folder, name, kept, sizeof kept)) return false;
        if (!isFile(kept)) return copyAsCrashSave(folder, saved, kept);
        if (sameFileBytes(saved, kept)) return true;
    }
    return false;
}

}  // namespace

// Every step can be done again: a start killed half-way, or one that failed,
// finds the same AutoSave.skd, written at the same time, and gives it the
// same name. Until the whole keep is done, nothing is saved over it.
bool PluginApp::keepLastRunSave() {
    if (crashSaves.lastEnd == LastEnd::Reload) return true;
    char saved[kPathSize];
    char lastSession[kPathSize];
    if (!pluginFilePath(dataFolder, kAutoSaveFileName, saved, sizeof saved) ||
        !pluginFilePath(dataFolder, kAutoSaveLastSessionFileName, lastSession, sizeof lastSession)) {
        return false;
    }
    const bool crashed = crashSaves.lastEnd == LastEnd::Crash;
    if (!isFile(saved)) {
        // A run that crashed before its first save: the newest crash save is the flight to go back to.
        if (crashed) copyText(crashSaves.offer, sizeof crashSaves.offer, newestCrashSaves(dataFolder).names[0]);
        return true;
    }
    if (crashed) {
        CrashSaveName name;
        copyText(crashSaves.offer, sizeof crashSaves.offer, kAutoSaveFileName);
        if (!keepAsCrashSave(dataFolder, saved, name)) return false;
        copyText(crashSaves.offer, sizeof crashSaves.offer, name);
    }
    if (!replaceFile(saved, lastSession)) return false;
    syncFolder(dataFolder);
    crashSaves.movedAutoSave = 1;
    if (crashed) removeOlderCrashSaves(dataFolder, crashSaves.offer);
    return true;
}

// Called by the auto-save's start, once the folder's paths are known to fit.
void PluginApp::startCrashSaves() {
    crashSaves.lastEnd = lastEndOf(dataFolder);
    if (!keepLastRunSave()) {
        crashSaves.keepPending = 1;
        logAlways(prefixed("%s could not be kept; nothing is saved over it, and the auto-save tries again before "
                           "each save\n",
                           kAutoSaveFileName)
                      .text);
    }
    if (crashSaves.lastEnd == LastEnd::Crash && crashSaves.offer[0] != '\0') {
        logAlways(prefixed("the last run ended without a stop; its last save is %s\n", crashSaves.offer).text);
    }
    if (!writeRunMark(dataFolder, kRunning, crashSaves)) {
        logAlways(
            prefixed("%s could not be written; a crash of this run may be taken for a clean end\n", kRunMarkFileName)
                .text);
    }
}

// Before a due save: true when nothing is left to keep.
bool PluginApp::retryKeep() {
    if (crashSaves.keepPending == 0) return true;
    // The keep copies through the writer thread's own temporary files: the
    // saves asked before it are written first.
    waitForSaves();
    if (!keepLastRunSave()) return false;
    crashSaves.keepPending = 0;
    logAlways(prefixed("%s was kept at last; the auto-save saves again\n", kAutoSaveFileName).text);
    return true;
}

// A clean stop, once the saves are done: the next start in this run is a reload.
void PluginApp::stopCrashSaves() {
    if (autoSave.flightTimeRef != nullptr) (void)writeRunMark(dataFolder, kStopped, crashSaves);
}

bool PluginApp::crashSaveToOffer(char* name, size_t size) {
    char path[kPathSize];
    if (crashSaves.offer[0] != '\0' && pluginFilePath(dataFolder, crashSaves.offer, path, sizeof path) &&
        isFile(path)) {
        return copyText(name, size, crashSaves.offer);
    }
    const NewestCrashSaves newest = newestCrashSaves(dataFolder);
    return newest.count > 0 && copyText(name, size, newest.names[0]);
}

// A copy is written when it is kept, so a crash save's name, not its file,
// says when the save was made; AutoSave.skd waiting to be kept says it itself.
bool PluginApp::crashSaveTime(const char* name, std::tm& at) {
    if (isCrashSaveName(name)) {
        // "AutoSave-crash-2026-12-08-02h14m30s.skd": the digits stand where kCrashSavePattern has its zeros.
        auto number = [name](size_t at, size_t digits) {
            int value = 0;
            for (size_t i = at; i < at + digits; ++i) value = value * 10 + (name[i] - '0');
            return value;
        };
        at = std::tm{};
        at.tm_year = number(15, 4) - 1900;  // as std::tm counts them
        at.tm_mon = number(20, 2) - 1;
        at.tm_mday = number(23, 2);
        at.tm_hour = number(26, 2);
        at.tm_min = number(29, 2);
        at.tm_sec = number(32, 2);
        return true;
    }
    char path[kPathSize];
    return pluginFilePath(dataFolder, name, path, sizeof path) && fileWrittenAt(path, at);
}
