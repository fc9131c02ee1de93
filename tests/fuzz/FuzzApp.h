// What the file readers' fuzz targets share: a stand-in simulator on a folder
// of this process's own, a zeroed and defaulted PluginApp whose folder is the
// simulator's plug-in folder, and the checks that end a run with abort() when
// the reader broke something the sanitizers cannot see.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "plugin/PluginApp.h"

// A range of PluginApp's bytes a read may change.
struct MemberSpan {
    size_t offset;
    size_t size;
};
#define APP_MEMBER(member) \
    MemberSpan { offsetof(PluginApp, member), sizeof(PluginApp::member) }

// Resets the stand-in on this process's root (made at the first call) and
// returns the one application object as the plug-in's start leaves it before
// reading its settings: zeroed, defaulted and with its folder paths built.
// thePluginApp points at it.
PluginApp& freshApp();

// The application object as freshApp() returned it, to compare against.
const PluginApp& pristineApp();

// Writes the `size` bytes as the whole file at `path`; a failed write ends the run.
void writeInput(const char* path, const uint8_t* data, size_t size);

// Ends the run: `what` goes to standard output, since the targets run with
// standard error closed (the plug-in writes its log lines there).
[[noreturn]] void fail(const char* what);

// True when the `size` bytes at `text` hold a terminator.
bool terminated(const char* text, size_t size);

// Fails unless every text of every entry of `table` ends within its array.
void checkTable(const EntryTable& table);

// Fails unless `app` equals pristineApp() outside the `changeable` spans.
void checkUnchangedOutside(const PluginApp& app, std::initializer_list<MemberSpan> changeable);
