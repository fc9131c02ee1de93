#include "GrowingFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>
#include <sstream>

namespace pilot {

namespace {

constexpr std::size_t kTailSize = 256;

// The file's name alone: the messages name it the same in every run's folder.
std::string nameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::uint64_t hashed(std::uint64_t hash, const std::string& bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), hash, [](std::uint64_t sum, char c) {
        return (sum ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    });
}

}  // namespace

bool GrowingFile::follow(std::string& added, std::string& error) {
    added.clear();
    std::ifstream in(path_, std::ios::binary | std::ios::ate);
    if (!in) {
        if (state_.size == 0) return true;
        error = nameOf(path_) + " was removed";
        return false;
    }
    auto size = static_cast<std::uint64_t>(in.tellg());
    if (size < state_.size) {
        error = nameOf(path_) + " did not only grow: it shrank";
        return false;
    }
    std::uint64_t from = state_.size - state_.tail.size();
    in.seekg(static_cast<std::streamoff>(from));
    std::string read(static_cast<std::size_t>(size - from), '\0');
    in.read(read.data(), static_cast<std::streamsize>(read.size()));
    if (read.compare(0, state_.tail.size(), state_.tail) != 0) {
        error = nameOf(path_) + " did not only grow: its earlier bytes changed";
        return false;
    }
    added = read.substr(state_.tail.size());
    state_.size = size;
    state_.hash = hashed(state_.hash, added);
    state_.tail = read.substr(read.size() - std::min(read.size(), kTailSize));
    return true;
}

std::string GrowingFile::stateText() const {
    std::ostringstream out;
    out << state_.size << ' ' << state_.hash << std::hex;
    for (unsigned char c : state_.tail) out << ' ' << static_cast<unsigned>(c);
    return out.str();
}

bool GrowingFile::resume(const std::string& text) {
    std::istringstream in(text);
    GrowingFileState state;
    if (!(in >> state.size >> state.hash >> std::hex)) return false;
    for (unsigned c = 0; in >> c;) state.tail += static_cast<char>(c);
    state_ = state;
    return true;
}

bool GrowingFile::verifyWhole(std::string& error) const {
    std::ifstream in(path_, std::ios::binary);
    std::string first(static_cast<std::size_t>(state_.size), '\0');
    in.read(first.data(), static_cast<std::streamsize>(first.size()));
    if (state_.size == 0 || (in && hashed(GrowingFileState().hash, first) == state_.hash)) return true;
    error = nameOf(path_) + " did not only grow: bytes read in an earlier step have changed";
    return false;
}

}  // namespace pilot
