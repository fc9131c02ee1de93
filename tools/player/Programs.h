// Other programs the player runs (rsvg-convert), found on PATH and run
// without a shell. Programs.cpp holds the POSIX and the Windows way.
#pragma once

#include <string>
#include <vector>

namespace player {

// True when `program` is an executable file in a folder of PATH.
bool onPath(const std::string& program);
// Runs the program named by the first argument, so no name needs quoting;
// true when it exits with 0.
bool runProgram(std::vector<std::string> arguments);

}  // namespace player
