// A file of entries read into a reader's target, with the log lines both the
// position-file and the settings readers write about it.
#pragma once

#include "text/EntryReader.h"

// A reader's file layout: its sections, how an entry of them is applied, and
// the one key whose value keeps its inner blanks (may be null).
struct EntryFormat {
    const SectionRule* sections;
    int sectionCount;
    ApplyEntry apply;
    const char* keepBlanksKey;
};

// Reads the file at `path` into `table` and applies its entries to `target` in
// file order up to the first failure, so what comes before a failure is applied
// even when the failure is in the file's form (a long line, too many entries).
// Logs every failure but an unknown key, which it leaves to the reader in
// `*unknownKey` (null otherwise).
ReadResult parseEntryFile(const char* path, EntryTable& table, const EntryFormat& format, void* target,
                          const TextEntry** unknownKey);

// Logs "<key> is an invalid field".
void reportInvalidField(const TextEntry& entry);

// The texts a read driver logs, each after the log's "SkyPlacer - ".
struct ReaderTexts {
    const char* parsing;
    const char* notFound;
    const char* success;
};

// Logs that a read begins.
void reportParsing(const ReaderTexts& texts);

// Logs the outcome of a parse of `format` that came to `result`, naming the
// place it stopped at (a section's, or the file form's); true for success.
bool reportParseResult(ReadResult result, const EntryFormat& format, const ReaderTexts& texts);
