// Picture files: the SVG always, a PNG through rsvg-convert where it is installed.
#include "Pictures.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ScreenSvg.h"

extern char** environ;

namespace player {

namespace {

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

// Runs a program without a shell, so no name needs quoting; true when it exits with 0.
bool runProgram(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    std::transform(arguments.begin(), arguments.end(), std::back_inserter(argv),
                   [](std::string& argument) { return argument.data(); });
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool writePicture(const Screen& screen, const std::string& folder, const std::string& name,
                  std::vector<std::string>& written, std::string& warning, std::string& error) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::string base = (std::filesystem::absolute(folder) / name).string();
    std::string svgPath = base + ".svg";
    std::ofstream out(svgPath, std::ios::binary | std::ios::trunc);
    out << renderSvg(screen);
    out.close();
    if (!out) {
        error = "cannot write the picture " + svgPath;
        return false;
    }
    written.push_back(svgPath);
    std::string pngPath = base + ".png";
    std::error_code removeError;
    std::filesystem::remove(pngPath, removeError);
    if (removeError) {
        warning = "cannot remove the old " + pngPath + ": " + removeError.message();
        return true;
    }
    if (!onPath("rsvg-convert")) return true;
    if (runProgram({"rsvg-convert", "-o", pngPath, svgPath})) {
        written.push_back(pngPath);
    } else {
        std::filesystem::remove(pngPath, removeError);  // a half-written one
        warning = "rsvg-convert could not make " + pngPath + " (only the SVG is written)";
    }
    return true;
}

}  // namespace player
