// What the position-file and the settings readers log about a read.
#pragma once

#include "text/EntryReader.h"

// Where a format names an unknown key of a section.
enum class KeyLog {
    PluginLog,     // "<key> is an invalid field" in the plug-in's log
    SimulatorLog,  // the same in the simulator's log only
};

// Logs why a read stopped, naming its failed entry; nothing for a success or a
// file not opened. `keyLog` says where an unknown key goes.
void reportReadFailure(const ReadOutcome& outcome, KeyLog keyLog);

// The texts a read driver logs, each after the log's "SkyPlacer - ".
struct ReaderTexts {
    const char* parsing;
    const char* notFound;
    const char* success;
};

// Logs that a read begins.
void reportParsing(const ReaderTexts& texts);

// Logs the outcome of a read that came to `result`: not found, success, or the
// parse error naming the place it stopped at, `sectionPlace` for an unknown key
// (the format's text for its section), the file form's own otherwise. True for success.
bool reportParseResult(ReadResult result, const char* sectionPlace, const ReaderTexts& texts);
