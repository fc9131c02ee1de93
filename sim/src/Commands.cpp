// The stand-in's commands. A command lasts for the process, so a reloaded
// plug-in gets the same one back; the simulator's own exist from the start,
// from its published list. Handlers run before or after the simulator's own
// handling, each group in registration order, and one that returns 0 ends the
// phase there. A command runs once (begin, then end) or is held: begin,
// continue at every frame, end on release.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <numeric>
#include <unordered_map>

#include "CoreParts.h"
#include "Internal.h"
#include "XPLMApi.h"
#include "skysim/CommandFunctions.h"

namespace skysim {
namespace {

const char* const kSimulatorCommandNames[] = {
#include "SimulatorCommandNames.inc"
};

struct Handler {
    long id;  // never reused, so one unregistered during a phase is told apart
    XPLMCommandCallback_f callback;
    int before;  // as registered: unregistering must give the same value
    void* refcon;
    bool byPlugin;
};

struct Command {
    XPLMCommandRef ref;
    std::string name;
    std::string description;
    bool simulators = false;
    std::vector<Handler> handlers;  // in registration order
    bool held = false;
    int phasesReachingSimulator = 0;
};

// A command's handle is its index + 1; the deque keeps each command in place as it grows.
struct Catalogue {
    std::deque<Command> commands;
    std::unordered_map<std::string, size_t> byName;

    Catalogue() {
        for (const char* name : kSimulatorCommandNames) add(name, "", true);
    }
    Command& add(const std::string& name, const std::string& description, bool simulators) {
        byName[name] = commands.size();
        auto ref = reinterpret_cast<XPLMCommandRef>(commands.size() + 1);
        commands.push_back(Command{ref, name, description, simulators, {}, false, 0});
        return commands.back();
    }
    Command* named(const std::string& name) {
        auto found = byName.find(name);
        return found != byName.end() ? &commands[found->second] : nullptr;
    }
    Command* fromRef(XPLMCommandRef ref) {
        auto index = reinterpret_cast<std::uintptr_t>(ref);
        return index >= 1 && index <= commands.size() ? &commands[index - 1] : nullptr;
    }
};

Catalogue& catalogue() {
    static Catalogue theCatalogue;
    return theCatalogue;
}

long nextHandlerId = 1;
std::vector<Command*> heldCommands;  // in the order they were pressed

// Runs the handlers of one side; false when one of them returned 0.
bool runHandlers(Command& command, bool before, XPLMCommandPhase phase) {
    std::vector<long> ids;
    for (const Handler& handler : command.handlers) {
        if ((handler.before != 0) == before) ids.push_back(handler.id);
    }
    // A handler may register or unregister handlers: look each up again.
    for (long id : ids) {
        for (const Handler& handler : command.handlers) {
            if (handler.id != id) continue;
            Handler called = handler;
            if (callPlugin(called.callback, command.ref, phase, called.refcon) == 0) return false;
            break;
        }
    }
    return true;
}

void runPhase(Command& command, XPLMCommandPhase phase) {
    if (!runHandlers(command, true, phase)) return;
    ++command.phasesReachingSimulator;
    runHandlers(command, false, phase);
}

bool once(Command* command) {
    if (command == nullptr || command->held) return false;
    runPhase(*command, xplm_CommandBegin);
    runPhase(*command, xplm_CommandEnd);
    return true;
}

bool begin(Command* command) {
    if (command == nullptr || command->held) return false;
    command->held = true;
    heldCommands.push_back(command);
    runPhase(*command, xplm_CommandBegin);
    return true;
}

bool end(Command* command) {
    if (command == nullptr || !command->held) return false;
    command->held = false;
    heldCommands.erase(std::find(heldCommands.begin(), heldCommands.end(), command));
    runPhase(*command, xplm_CommandEnd);
    return true;
}

// The simulator's log names what a plug-in got wrong.
void refuse(const char* function, const Command* command, const char* why) {
    simLogLine(std::string(function) + ": " +
               (command != nullptr ? "the command \"" + command->name + "\" " + why : "unknown command") + "; ignored");
}

const char* sideOf(int before) { return before != 0 ? "before" : "after"; }

}  // namespace

void resetCommandHandlers() {
    heldCommands.clear();
    for (Command& command : catalogue().commands) {
        command.handlers.clear();
        command.held = false;
        command.phasesReachingSimulator = 0;
    }
}

void releasePluginCommandHandlers() {
    for (Command& command : catalogue().commands) {
        auto& handlers = command.handlers;
        for (auto handler = handlers.begin(); handler != handlers.end();) {
            if (!handler->byPlugin) {
                ++handler;
                continue;
            }
            simLogLine("XPluginStop: the plug-in did not unregister its handler (" +
                       std::string(sideOf(handler->before)) + ") of the command \"" + command.name +
                       "\"; the simulator removed it");
            handler = handlers.erase(handler);
        }
    }
}

// A handler may begin or end commands: those held when the frame began, and still held.
void continueHeldCommands() {
    const std::vector<Command*> held = heldCommands;
    for (Command* command : held) {
        if (command->held) runPhase(*command, xplm_CommandContinue);
    }
}

CommandInfo Sim::command(const std::string& name) const {
    CommandInfo info;
    const Command* command = catalogue().named(name);
    if (command == nullptr) return info;
    info.exists = true;
    info.simulators = command->simulators;
    info.description = command->description;
    for (const Handler& handler : command->handlers) ++(handler.before != 0 ? info.beforeHandlers : info.afterHandlers);
    info.phasesReachingSimulator = command->phasesReachingSimulator;
    return info;
}

std::vector<std::string> Sim::createdCommands() const {
    std::vector<std::string> names;
    for (const Command& each : catalogue().commands) {
        if (!each.simulators) names.push_back(each.name);
    }
    return names;
}

int Sim::commandHandlerCount() const {
    const auto& commands = catalogue().commands;
    return static_cast<int>(
        std::accumulate(commands.begin(), commands.end(), size_t{0},
                        [](size_t sum, const Command& each) { return sum + each.handlers.size(); }));
}

bool Sim::commandOnce(const std::string& name) { return once(catalogue().named(name)); }

bool Sim::commandBegin(const std::string& name) { return begin(catalogue().named(name)); }

bool Sim::commandEnd(const std::string& name) { return end(catalogue().named(name)); }

}  // namespace skysim

namespace {

// The handler registered with exactly these arguments, or the end of the list.
std::vector<skysim::Handler>::iterator registration(skysim::Command& command, XPLMCommandCallback_f handler, int before,
                                                    const void* refcon) {
    return std::find_if(command.handlers.begin(), command.handlers.end(), [&](const skysim::Handler& each) {
        return each.callback == handler && each.before == before && each.refcon == refcon;
    });
}

}  // namespace

// An existing name gives back its command, description unchanged; the
// simulator's log says when a plug-in asked for one of the simulator's own.
SKYSIM_EXPORT XPLMCommandRef XPLMCreateCommand(const char* name, const char* description) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    if (name == nullptr) {
        simLogLine("XPLMCreateCommand: no name; no command made");
        return nullptr;
    }
    Command* command = catalogue().named(name);
    if (command == nullptr) {
        command = &catalogue().add(name, description != nullptr ? description : "", false);
    } else if (command->simulators) {
        simLogLine("XPLMCreateCommand: \"" + command->name +
                   "\" is one of the simulator's own commands; the plug-in "
                   "gets that command");
    }
    return command->ref;
}

SKYSIM_EXPORT XPLMCommandRef XPLMFindCommand(const char* name) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Command* command = name != nullptr ? catalogue().named(name) : nullptr;
    return command != nullptr ? command->ref : nullptr;
}

// The same four arguments again keep the one registration.
SKYSIM_EXPORT void XPLMRegisterCommandHandler(XPLMCommandRef ref, XPLMCommandCallback_f handler, int before,
                                              void* refcon) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Command* command = catalogue().fromRef(ref);
    if (command == nullptr || handler == nullptr) {
        refuse("XPLMRegisterCommandHandler", command, "has no handler function");
        return;
    }
    if (registration(*command, handler, before, refcon) != command->handlers.end()) {
        refuse("XPLMRegisterCommandHandler", command, "has this handler already");
        return;
    }
    command->handlers.push_back(Handler{nextHandlerId++, handler, before, refcon, pluginSessionOpen()});
}

// Only a handler registered with the same four arguments goes.
// cppcheck-suppress constParameter ; the simulator's own signature
SKYSIM_EXPORT void XPLMUnregisterCommandHandler(XPLMCommandRef ref, XPLMCommandCallback_f handler, int before,
                                                void* refcon) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Command* command = catalogue().fromRef(ref);
    if (command == nullptr) {
        refuse("XPLMUnregisterCommandHandler", command, "");
        return;
    }
    auto found = registration(*command, handler, before, refcon);
    if (found != command->handlers.end()) {
        command->handlers.erase(found);
        return;
    }
    refuse("XPLMUnregisterCommandHandler", command, "has no handler registered with these arguments");
}

SKYSIM_EXPORT void XPLMCommandOnce(XPLMCommandRef ref) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Command* command = catalogue().fromRef(ref);
    if (!once(command)) refuse("XPLMCommandOnce", command, "is held");
}

SKYSIM_EXPORT void XPLMCommandBegin(XPLMCommandRef ref) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Command* command = catalogue().fromRef(ref);
    if (!begin(command)) refuse("XPLMCommandBegin", command, "is held already");
}

SKYSIM_EXPORT void XPLMCommandEnd(XPLMCommandRef ref) {
    SKYSIM_STAND_IN_CODE;
    using namespace skysim;
    Command* command = catalogue().fromRef(ref);
    if (!end(command)) refuse("XPLMCommandEnd", command, "is not held");
}
