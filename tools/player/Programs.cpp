// Finding and running other programs: posix_spawnp on POSIX, _spawnvp on Windows.
#include "Programs.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#ifdef _WIN32
#include <windows.h>

#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace player {

namespace {

std::vector<char*> argumentVector(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    std::transform(arguments.begin(), arguments.end(), std::back_inserter(argv),
                   [](std::string& argument) { return argument.data(); });
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

#ifdef _WIN32

bool onPath(const std::string& program) {
    char found[MAX_PATH];
    return SearchPathA(nullptr, program.c_str(), ".exe", MAX_PATH, found, nullptr) != 0;
}

bool runProgram(std::vector<std::string> arguments) {
    std::vector<char*> argv = argumentVector(arguments);
    return _spawnvp(_P_WAIT, argv[0], argv.data()) == 0;
}

#else

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

bool runProgram(std::vector<std::string> arguments) {
    std::vector<char*> argv = argumentVector(arguments);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif

}  // namespace player
