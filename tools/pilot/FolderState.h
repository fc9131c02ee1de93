// What a folder tree holds, cheaply enough to take after every step: each
// entry's kind, size, modification time, inode and permissions.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace pilot {

struct EntryState {
    bool folder = false;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t inode = 0;
    unsigned mode = 0;
    bool operator==(const EntryState& other) const {
        return folder == other.folder && size == other.size && modifiedNs == other.modifiedNs && inode == other.inode &&
               mode == other.mode;
    }
    bool operator!=(const EntryState& other) const { return !(*this == other); }
};

// Entries by path relative to the folder given ("a/b.skd"); `skip` (a path
// relative to the folder) is left out with everything below it.
using FolderState = std::map<std::string, EntryState>;
FolderState takeFolderState(const std::string& folder, const std::string& skip = "");

// A state as text, a line an entry, for a process that carries on after this one.
std::string folderStateText(const FolderState& state);
FolderState folderStateFromText(const std::string& text);

// "a/b.skd created", "c changed", ... or "" when both are alike.
std::string folderDifference(const FolderState& before, const FolderState& after);

}  // namespace pilot
