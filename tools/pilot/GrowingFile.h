// A file that may only grow, such as the plug-in's log, followed at the cost
// of what was added: each look reads the new bytes only, and checks the bytes
// before them by the size and the last bytes read. A hash of everything read
// lets one whole re-read at the end show that nothing earlier changed.
#pragma once

#include <cstdint>
#include <string>

namespace pilot {

struct GrowingFileState {
    std::uint64_t size = 0;
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a of the first `size` bytes
    std::string tail;                              // the last bytes of those
};

class GrowingFile {
public:
    GrowingFile() = default;
    explicit GrowingFile(std::string path) : path_(std::move(path)) {}
    // Reads what was added since the last look into `added`; false with `error`
    // when the file shrank, vanished or its earlier last bytes differ.
    bool follow(std::string& added, std::string& error);
    // Reads the whole file: false with `error` when its first bytes are not those read so far.
    bool verifyWhole(std::string& error) const;
    // Where it was read to, as one line of text, for a process that carries on after this one.
    std::string stateText() const;
    bool resume(const std::string& text);

private:
    std::string path_;
    GrowingFileState state_;
};

}  // namespace pilot
