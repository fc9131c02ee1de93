// The one boundary between the simulator and the plug-in's code. The simulator
// cannot take an exception: one that left a callback would end it. Every
// function the simulator calls runs its work through `guarded`, which returns
// the work's result, or, when something was thrown, logs it (once per function
// and run) and returns the value that lets the simulator go on as if nothing
// had been asked.
#pragma once

// Every function of the plug-in the simulator calls, for the log line and the
// once-per-run record.
enum class SimulatorCall {
    XPluginStart,
    XPluginStop,
    PlacementFlightLoop,
    StartupFlightLoop,
    MenuHandler,
    HotKeyHandler,
    CommandHandler,
    ControlPanelCallback,
    DataDisplayCallback,
    FileDialogCallback,
    MessageWindowCallback,
    ListBoxCallback,
    ResumeWindowCallback,
};
constexpr int kSimulatorCallCount = static_cast<int>(SimulatorCall::ResumeWindowCallback) + 1;

// Called inside a handler: tells the pilot that `call` stopped on the exception
// being handled, in the simulator's log and in the plug-in's as the settings
// allow. Only the first of each call in a run is told.
void reportEscapedException(SimulatorCall call) noexcept;

template <typename Result, typename Work>
Result guarded(SimulatorCall call, Result neutral, Work work) noexcept {
    try {
        return work();
    } catch (...) {
        reportEscapedException(call);
    }
    return neutral;
}

template <typename Work>
void guarded(SimulatorCall call, Work work) noexcept {
    guarded(call, 0, [&work] {
        work();
        return 0;
    });
}
