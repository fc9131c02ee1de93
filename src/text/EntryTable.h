// The table of section, key and value texts into which the position-file and
// settings readers first turn a file (the reader itself is in EntryReader.h).
#pragma once

constexpr int kEntryTextSize = 256;  // bytes of each text, terminator included
constexpr int kEntryCount = 1024;    // key lines a file may hold
constexpr int kLineSize = 256;       // longest line piece, terminator included

struct TextEntry {
    char sectionName[kEntryTextSize];
    char keyName[kEntryTextSize];
    char valueText[kEntryTextSize];
};

struct EntryTable {
    TextEntry entries[kEntryCount];
};
