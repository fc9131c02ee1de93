#include "FolderState.h"

#include <dirent.h>
#include <sys/stat.h>

#include <sstream>

namespace pilot {

namespace {

void walk(const std::string& base, const std::string& relative, const std::string& skip, FolderState& state) {
    DIR* dir = opendir((base + relative).c_str());
    if (dir == nullptr) return;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = relative + name;
        if (path == skip) continue;
        struct stat info {};
        if (lstat((base + path).c_str(), &info) != 0) continue;
        EntryState& each = state[path];
        each.folder = S_ISDIR(info.st_mode);
        each.size = each.folder ? 0 : static_cast<std::uint64_t>(info.st_size);
        each.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        each.inode = info.st_ino;
        each.mode = info.st_mode & 07777;
        if (each.folder) walk(base, path + "/", skip, state);
    }
    closedir(dir);
}

}  // namespace

FolderState takeFolderState(const std::string& folder, const std::string& skip) {
    FolderState state;
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    std::string skipped = skip;
    while (!skipped.empty() && skipped.back() == '/') skipped.pop_back();
    walk(base, "", skipped, state);
    return state;
}

std::string folderStateText(const FolderState& state) {
    std::ostringstream out;
    for (const auto& [path, entry] : state) {
        out << entry.folder << ' ' << entry.size << ' ' << entry.modifiedNs << ' ' << entry.inode << ' ' << entry.mode
            << ' ' << path << '\n';
    }
    return out.str();
}

FolderState folderStateFromText(const std::string& text) {
    FolderState state;
    std::istringstream in(text);
    EntryState entry;
    while (in >> entry.folder >> entry.size >> entry.modifiedNs >> entry.inode >> entry.mode) {
        std::string path;
        in.get();  // the blank before the path, which may hold blanks itself
        std::getline(in, path);
        state[path] = entry;
    }
    return state;
}

std::string folderDifference(const FolderState& before, const FolderState& after) {
    std::string out;
    auto note = [&out](const std::string& path, const char* what) {
        if (!out.empty()) out += ", ";
        out += path + " " + what;
    };
    for (const auto& [path, entry] : before) {
        auto found = after.find(path);
        if (found == after.end()) {
            note(path, "removed");
        } else if (found->second != entry) {
            note(path, "changed");
        }
    }
    for (const auto& [path, entry] : after) {
        if (before.count(path) == 0) note(path, "created");
    }
    return out;
}

}  // namespace pilot
