// Whose code runs: the plug-in's or the stand-in's own.
//
// Every call from the stand-in into the plug-in (entry points, flight loops,
// hot keys, menu handlers, widget functions) runs inside a PluginCodeScope;
// every function the plug-in imports opens a StandInCodeScope for its
// duration (SKYSIM_STAND_IN_CODE at its top). The two nest both ways. While
// plug-in code runs, heap allocations are counted, and, when instruction
// counting is on, callgrind collects. The switch is inline and short, so few
// of the stand-in's instructions fall inside the plug-in's count.
#pragma once

#ifndef _WIN32
#include <valgrind/callgrind.h>
#endif

#define SKYSIM_ALWAYS_INLINE inline __attribute__((always_inline))
// Kept out of the stand-in's exports where symbols have a visibility (not in a Windows DLL).
#ifdef _WIN32
#define SKYSIM_HIDDEN
#else
#define SKYSIM_HIDDEN __attribute__((visibility("hidden")))
#endif

namespace skysim {

void waitForOtherThreadsAsleep();

// True while this thread runs plug-in code. A plain, initial-exec thread
// variable: reading it (also from the allocation functions) is one load, with
// neither a call nor an allocation.
extern __thread bool runningPluginCode __attribute__((tls_model("initial-exec")));
// Sim::countPluginInstructions: callgrind collects while plug-in code runs.
extern bool countingPluginInstructions SKYSIM_HIDDEN;
// Sim::waitForPluginThreads.
extern bool waitingForPluginThreads SKYSIM_HIDDEN;

#if defined(_WIN32)
// Valgrind does not run Windows programs: there is nothing to switch.
SKYSIM_ALWAYS_INLINE void toggleCollect() {}
#elif defined(__x86_64__) && defined(__linux__) && !defined(NVALGRIND)
// Callgrind's toggle request, with its arguments in read-only memory where
// CALLGRIND_TOGGLE_COLLECT writes them to the stack first: fewer of the
// stand-in's instructions fall inside the count at each switch.
constexpr unsigned long kToggleCollectRequest[6] = {VG_USERREQ__TOGGLE_COLLECT, 0, 0, 0, 0, 0};

SKYSIM_ALWAYS_INLINE void toggleCollect() {
    unsigned long result = 0;
    __asm__ volatile(__SPECIAL_INSTRUCTION_PREAMBLE "xchgq %%rbx,%%rbx"
                     : "+d"(result)
                     : "a"(kToggleCollectRequest)
                     : "cc", "memory");
}
#else
SKYSIM_ALWAYS_INLINE void toggleCollect() { CALLGRIND_TOGGLE_COLLECT; }
#endif

// The plug-in's code starts (true) or stops (false) running on this thread.
// Callgrind's collection is turned on last when plug-in code starts, and off
// first when it stops.
SKYSIM_ALWAYS_INLINE void switchToPluginCode(bool plugin) {
    if (!plugin && countingPluginInstructions) toggleCollect();
    runningPluginCode = plugin;
    if (plugin && countingPluginInstructions) toggleCollect();
}

// Runs as the plug-in's or the stand-in's code until it goes out of scope.
template <bool Plugin>
class CodeScope {
public:
    SKYSIM_ALWAYS_INLINE CodeScope() : switched_(runningPluginCode != Plugin) {
        if (switched_) switchToPluginCode(Plugin);
    }
    SKYSIM_ALWAYS_INLINE ~CodeScope() {
        if (switched_) switchToPluginCode(!Plugin);
    }
    CodeScope(const CodeScope&) = delete;
    CodeScope& operator=(const CodeScope&) = delete;

private:
    bool switched_;
};

using PluginCodeScope = CodeScope<true>;
using StandInCodeScope = CodeScope<false>;

// How many calls into the plug-in this thread is inside, the nested ones (a
// widget's message sent while the plug-in destroys it) included.
extern __thread int pluginCallDepth __attribute__((tls_model("initial-exec")));

// Calls a function of the plug-in as plug-in code. An exception that leaves
// the plug-in's function ends the process (std::terminate): the simulator
// calls it through a C interface, which nothing can be thrown across. When
// the outermost call returns, the threads the plug-in started are given the
// time until they are asleep again (waitForOtherThreadsAsleep, Platform.cpp).
template <typename Function, typename... Arguments>
SKYSIM_ALWAYS_INLINE auto callPlugin(Function function, Arguments... arguments) noexcept {
    struct Depth {
        Depth() { ++pluginCallDepth; }
        ~Depth() {
            if (--pluginCallDepth == 0 && waitingForPluginThreads) waitForOtherThreadsAsleep();
        }
    } depth;
    PluginCodeScope scope;
    return function(arguments...);
}

}  // namespace skysim

// The first line of every function the plug-in imports.
#define SKYSIM_STAND_IN_CODE const skysim::StandInCodeScope standInCodeScope
