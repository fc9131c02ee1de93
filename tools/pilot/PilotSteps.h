// The random pilot's steps: what kinds of thing a pilot (or the world around
// the simulator) may do, how often, and how a run's steps follow from its seed.
//
// A step is a kind and a 64-bit argument. The argument seeds every choice the
// step makes when it runs (which button, which text, which file), made against
// whatever is on screen and on disk at that moment, so any sub-list of a run's
// steps still replays: that is what shrinking a failure relies on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pilot {

enum class StepKind {
    Menu,        // a menu item
    HotKey,      // a hot key, bound or not
    Command,     // one of the plug-in's simulator commands
    Button,      // a click on a shown push button
    CloseBox,    // a click on a shown window's close box
    ListMouse,   // a click or a drag on a list box (lines, scroll bar)
    Type,        // typing into a shown text field
    SaveName,    // a name typed into the save dialog, then OK
    Time,        // 0 to 5 seconds pass
    WriteFile,   // a file written into the plug-in's folder
    RemoveFile,  // a file of the plug-in's folder deleted or renamed
    ReadOnly,    // a file or the folder made read-only, or writable again
    FullDisk,    // the disk is full during a save
    Reload,      // the plug-in stopped and started again in the same simulator run
    Die,         // the simulator killed at a moment of a save or between saves, then started again
    Crash,       // the aircraft crashes, or flies again
    Replay,      // the simulator starts or ends a replay
    Undo,        // the last placement undone by its simulator command
    Count
};

struct Step {
    StepKind kind;
    std::uint64_t arg;
};

const char* kindName(StepKind kind);
bool kindFromName(const std::string& name, StepKind& kind);

// The steps of a run, drawn one by one from its seed by the kinds' weights.
class StepSource {
public:
    explicit StepSource(std::uint64_t seed);
    Step next();

private:
    std::uint64_t state_;
};

// "kind:arg kind:arg ...", the form a shrunk failure is printed in and --replay reads.
std::string stepsText(const std::vector<Step>& steps);
bool parseSteps(const std::string& text, std::vector<Step>& steps, std::string& error);

// A small, fast, well-mixed generator (splitmix64) for every random choice.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // 0 to n - 1; 0 when n is 0.
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }

private:
    std::uint64_t state_;
};

}  // namespace pilot
