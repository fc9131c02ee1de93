// The fuzz targets' simulator, application object and checks.
#include "FuzzApp.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "plugin/Paths.h"
#include "skysim/Sim.h"

namespace {

// The plug-in reads and writes a megabyte and a half of tables: the objects
// live for the whole process instead of being allocated for every input.
PluginApp app;
PluginApp pristine;
std::string root;

// A folder of this process's own in the temporary folder (TMPDIR), removed at
// a normal exit; a crashed run leaves it for a look.
void makeRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skyplacer-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) fail("cannot make the simulator's root folder");
    root = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    });
}

void buildPristine() {
    skysim::Sim::get().reset(root);
    std::filesystem::create_directories(skysim::Sim::get().pluginFolder());
    std::memset(&pristine, 0, sizeof pristine);
    pristine.placementDone = 1;
    pristine.setDefaults();
    pristine.buildFolderPaths();
    if (pristine.dataFolder[0] == '\0') fail("the plug-in's folder path did not fit");
}

}  // namespace

PluginApp& freshApp() {
    if (root.empty()) {
        makeRoot();
        buildPristine();
    }
    skysim::Sim::get().reset(root);
    // The log is appended to by every read: start each input with none.
    char logPath[kPathSize];
    if (pluginFilePath(pristine.dataFolder, kLogFileName, logPath, sizeof logPath)) (void)std::remove(logPath);
    std::memcpy(&app, &pristine, sizeof app);
    thePluginApp = &app;
    return app;
}

const PluginApp& pristineApp() { return pristine; }

void writeInput(const char* path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) fail("cannot create the input file");
    bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) fail("cannot write the input file");
}

void fail(const char* what) {
    std::printf("fuzz check failed: %s\n", what);
    (void)std::fflush(stdout);
    std::abort();
}

bool terminated(const char* text, size_t size) { return std::memchr(text, '\0', size) != nullptr; }

void checkTable(const EntryTable& table) {
    for (const TextEntry& entry : table.entries) {
        if (!terminated(entry.sectionName, sizeof entry.sectionName) ||
            !terminated(entry.keyName, sizeof entry.keyName) || !terminated(entry.valueText, sizeof entry.valueText)) {
            fail("an entry text of the table is not terminated within its array");
        }
    }
}

namespace {

// Fails naming the first byte of [from, end) that differs from the pristine object.
void checkRangeUnchanged(const PluginApp& now, size_t from, size_t end) {
    const char* after = reinterpret_cast<const char*>(&now);
    const char* before = reinterpret_cast<const char*>(&pristine);
    if (from >= end || std::memcmp(after + from, before + from, end - from) == 0) return;
    size_t at = from;
    while (after[at] == before[at]) ++at;
    char text[128];
    (void)std::snprintf(text, sizeof text, "the read changed byte %zu of the application object, which it does not own",
                        at);
    fail(text);
}

}  // namespace

void checkUnchangedOutside(const PluginApp& now, std::initializer_list<MemberSpan> changeable) {
    std::vector<MemberSpan> spans(changeable);
    std::sort(spans.begin(), spans.end(), [](MemberSpan a, MemberSpan b) { return a.offset < b.offset; });
    size_t from = 0;
    for (const MemberSpan& span : spans) {
        checkRangeUnchanged(now, from, span.offset);
        from = span.offset + span.size;
    }
    checkRangeUnchanged(now, from, sizeof(PluginApp));
}
