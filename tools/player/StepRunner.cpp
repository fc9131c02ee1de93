// The pilot's actions: starting the plug-in, time, data, menus, keys, mouse,
// typing, files and pictures. Expectations are in Expectations.cpp.
#include "StepRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FileText.h"
#include "Pictures.h"
#include "WidgetLookup.h"
#include "config/HotKeyNames.h"
#include "plugin/Paths.h"

namespace player {

namespace {

const char* kLatitude = "sim/flightmodel/position/latitude";
const char* kLongitude = "sim/flightmodel/position/longitude";
const char* kElevation = "sim/flightmodel/position/elevation";
const char* kLocalX = "sim/flightmodel/position/local_x";
const char* kLocalY = "sim/flightmodel/position/local_y";
const char* kLocalZ = "sim/flightmodel/position/local_z";
const char* kPsi = "sim/flightmodel/position/psi";
const char* kTheta = "sim/flightmodel/position/theta";
const char* kPhi = "sim/flightmodel/position/phi";
const char* kQuaternion = "sim/flightmodel/position/q";

bool wroteSinceCleared(const skysim::Sim& sim, skysim::DataAccess::Kind kind, const char* name) {
    const std::vector<skysim::DataAccess>& accesses = sim.accesses();
    return std::any_of(accesses.begin(), accesses.end(), [kind, name](const skysim::DataAccess& access) {
        return access.kind == kind && access.name == name;
    });
}

// A placement writes the local position; nothing else does.
bool placedSinceCleared(const skysim::Sim& sim) { return wroteSinceCleared(sim, skysim::DataAccess::SetD, kLocalX); }

// The settle that follows a placement turns the aircraft again.
bool settledSinceCleared(const skysim::Sim& sim) {
    return wroteSinceCleared(sim, skysim::DataAccess::SetVF, kQuaternion);
}

std::string hotKeyList(const skysim::Sim& sim) {
    std::string out;
    for (const skysim::HotKeyInfo& key : sim.hotKeys()) {
        if (!out.empty()) out += ", ";
        out += "key " + std::to_string(key.key) + " flags " + std::to_string(key.flags) + " (" + key.description + ")";
    }
    return out.empty() ? "none" : out;
}

// A click lands on the front-most window: one that covers the point would take it.
bool uncovered(const WidgetLookup& lookup, const ScreenWindow* window, const std::string& what, int x, int y,
               std::string& error) {
    const ScreenWindow* cover = lookup.coveringWindow(window, x, y);
    if (cover == nullptr) return true;
    error = what + " is covered by the window \"" + trimBlanks(cover->frame.text) + "\"; close or move it first";
    return false;
}

}  // namespace

bool readDataRef(const skysim::Sim& sim, const std::string& name, double& value, std::string& error) {
    size_t open = name.find('[');
    if (open != std::string::npos && name.back() == ']') {
        std::string base = name.substr(0, open);
        std::string indexText = name.substr(open + 1, name.size() - open - 2);
        char* end = nullptr;
        long index = std::strtol(indexText.c_str(), &end, 10);
        std::vector<float> values = sim.getFloats(base);
        if (!sim.knowsDataRef(base) || indexText.empty() || *end != '\0' || index < 0 ||
            index >= static_cast<long>(values.size())) {
            error = "no array element " + name + " in the simulator";
            return false;
        }
        value = values[index];
        return true;
    }
    if (!sim.knowsDataRef(name)) {
        error = "the simulator has no data reference " + name;
        return false;
    }
    value = sim.getDouble(name);
    return true;
}

AircraftPose StepRunner::pose() const {
    AircraftPose pose;
    pose.latitude = sim_.getDouble(kLatitude);
    pose.longitude = sim_.getDouble(kLongitude);
    pose.elevation = sim_.getDouble(kElevation);
    pose.localX = sim_.getDouble(kLocalX);
    pose.localY = sim_.getDouble(kLocalY);
    pose.localZ = sim_.getDouble(kLocalZ);
    pose.psi = sim_.getFloat(kPsi);
    pose.theta = sim_.getFloat(kTheta);
    pose.phi = sim_.getFloat(kPhi);
    return pose;
}

std::string StepRunner::where(const Step& step) const { return scenario_.fileName + ":" + std::to_string(step.line); }

std::string StepRunner::pluginFile(const std::string& name) const { return sim_.pluginFolder() + name; }

std::string StepRunner::runLog() const {
    std::string log;
    readWholeFile(pluginFile(kLogFileName), log);
    return log.size() >= logStart_ ? log.substr(logStart_) : log;  // shorter: the file was started afresh
}

bool StepRunner::run(std::string& error) {
    sim_.reset(options_.rootFolder);
    std::error_code made;
    std::filesystem::create_directories(sim_.pluginFolder(), made);
    std::string earlierLog;
    readWholeFile(pluginFile(kLogFileName), earlierLog);
    logStart_ = earlierLog.size();
    std::string loadError;
    if (!sim_.load(options_.modulePath, &loadError)) {
        error =
            locate(scenario_.fileName, 0, "cannot load the plug-in module " + options_.modulePath + ": " + loadError);
        return false;
    }
    for (const Step& step : scenario_.steps) {
        std::string note, message;
        bool setup = step.kind == StepKind::Write || step.kind == StepKind::Set || step.kind == StepKind::Start;
        // The plug-in starts by itself once; after a stop step it stays stopped.
        if (!setup && !everStarted_ && !startPlugin(message)) {
            error = locate(scenario_.fileName, step.line, message);
            return false;
        }
        sim_.clearAccesses();
        if (!runStep(step, note, message)) {
            error = locate(scenario_.fileName, step.line, message);
            return false;
        }
        report_.progress(where(step), step.source, note);
    }
    return true;
}

// A placement made in the run's last frames is seen once the plug-in has
// settled it and the flight model has taken that: a few frames more pass.
void StepRunner::finish() {
    for (int frame = 0; placing_ && frame < kFramesToSettle; ++frame) {
        sim_.clearAccesses();
        sim_.runFrames(1);
        settlePlacement();
    }
    if (placing_) reportPlacement();
    if (started_) sim_.stop();
    started_ = false;
}

bool StepRunner::startPlugin(std::string& error) {
    if (started_) {
        error = "the plug-in is already started";
        return false;
    }
    if (sim_.start() == 0) {
        error = "XPluginStart returned 0";
        return false;
    }
    started_ = true;
    everStarted_ = true;
    return true;
}

bool StepRunner::runStep(const Step& step, std::string& note, std::string& error) {
    const std::vector<std::string>& args = step.args;
    switch (step.kind) {
        case StepKind::Start:
            return startPlugin(error);
        case StepKind::Stop:
            if (!started_) {
                error = "the plug-in is not running";
                return false;
            }
            finish();
            return true;
        case StepKind::Set:
            if (!sim_.setFromText(args[0], args[1])) {
                error = "cannot set " + args[0] + " to \"" + args[1] +
                        "\" (unknown data reference or a value of the wrong kind)";
                return false;
            }
            return true;
        case StepKind::Wait: {
            passTime(step, std::strtod(args[0].c_str(), nullptr));
            note = "simulated time " + fixedText(sim_.now(), 2) + " s";
            return true;
        }
        case StepKind::Menu:
            return pickMenu(args[0], error);
        case StepKind::Key:
            return pressKey(step, error);
        case StepKind::Command:
            return runCommand(step, note, error);
        case StepKind::Click:
            return clickButton(args[0], note, error);
        case StepKind::Close:
            return closeWindow(args[0], error);
        case StepKind::Type:
            return typeBeside(args[0], args[1], error);
        case StepKind::Pick:
            return pickEntry(args[0], error);
        case StepKind::Write:
            return writeFile(args[0], step.body, error);
        case StepKind::Window:
            scope_ = args.empty() ? "" : args[0];
            return true;
        case StepKind::Picture:
            return takePicture(args[0], note, error);
        default:
            return expect(step, error);
    }
}

// Runs one frame at a time so that each placement is seen with the aircraft
// just before it and as the next frame shows it: the simulator derives the
// latitude, longitude, elevation and angles at the start of a frame.
void StepRunner::passTime(const Step& step, double seconds) {
    double until = sim_.now() + seconds;
    while (sim_.now() < until - 1e-9) {
        AircraftPose before = pose();
        sim_.clearAccesses();
        sim_.runFrames(1);
        settlePlacement();
        if (placedSinceCleared(sim_)) {
            if (placing_) reportPlacement();  // overtaken by the next before it settled
            placing_ = true;
            settled_ = false;
            placement_ = {where(step), sim_.now(), before, {}};
        }
    }
}

// The plug-in settles a placement at its next loop call; the frame after that shows it.
void StepRunner::settlePlacement() {
    if (!placing_) return;
    if (settled_) {
        reportPlacement();
    } else {
        settled_ = settledSinceCleared(sim_);
    }
}

void StepRunner::reportPlacement() {
    placement_.after = pose();
    report_.placement(placement_);
    placing_ = false;
}

bool StepRunner::pickMenu(const std::string& item, std::string& error) {
    if (sim_.pickMenuItem(item)) return true;
    std::string items;
    for (const std::string& menu : sim_.pluginsMenuItems()) {
        for (const skysim::MenuItemInfo& each : sim_.menuItems(menu))
            items += (items.empty() ? "\"" : ", \"") + each.text + "\"";
    }
    error = "no menu item \"" + item + "\"; the plug-in menus hold: " + (items.empty() ? "nothing" : items);
    return false;
}

// The names were checked when the scenario was read. The key is pressed as a
// keyboard sends it (Down, repeats while held, Up), with time passing while held.
bool StepRunner::pressKey(const Step& step, std::string& error) {
    int key = keyCodeFromName(step.args[0].c_str());
    std::string modifiers = step.args.size() > 1 ? step.args[1] : "";
    int flags = modifierFlagsFromNames(modifiers.c_str());
    sim_.pressKey(key, flags);
    if (step.held) passTime(step, step.holdSeconds);
    if (sim_.releaseKey() > 0) return true;
    error = "no hot key fired for " + step.args[0] + (modifiers.empty() ? "" : " with " + modifiers) + " (key " +
            std::to_string(key) + ", modifiers " + std::to_string(flags) + "); bound: " + hotKeyList(sim_);
    return false;
}

// As a key bound in the simulator's settings: pressed and released, or held while time passes.
bool StepRunner::runCommand(const Step& step, std::string& note, std::string& error) {
    const std::string& name = step.args[0];
    skysim::CommandInfo command = sim_.command(name);
    if (!command.exists) {
        std::string made;
        for (const std::string& each : sim_.createdCommands()) made += (made.empty() ? "" : ", ") + each;
        error = "no command " + name + "; the plug-in made: " + (made.empty() ? "none" : made);
        return false;
    }
    if (command.beforeHandlers + command.afterHandlers == 0) note = "no handler is registered for it";
    const bool held = step.args.size() == 3;
    if (!(held ? sim_.commandBegin(name) : sim_.commandOnce(name))) {
        error = "the command " + name + " is held already";
        return false;
    }
    if (held) {
        passTime(step, std::strtod(step.args[2].c_str(), nullptr));
        sim_.commandEnd(name);
    }
    return true;
}

bool StepRunner::clickButton(const std::string& label, std::string& note, std::string& error) {
    Screen screen = captureScreen(sim_);
    Found found;
    WidgetLookup lookup(screen, scope_);
    if (!lookup.button(label, found, error)) return false;
    if (!found.item->enabled) note = "the button is greyed";
    int x = (found.item->left + found.item->right) / 2, y = (found.item->top + found.item->bottom) / 2;
    if (!uncovered(lookup, found.window, "the button \"" + label + "\"", x, y, error)) return false;
    sim_.click(x, y);
    return true;
}

bool StepRunner::closeWindow(const std::string& title, std::string& error) {
    Screen screen = captureScreen(sim_);
    Found found;
    if (!WidgetLookup(screen, "").window(title, found, error)) return false;
    if (!found.item->closeBoxes) {
        error = "the window \"" + trimBlanks(found.item->text) + "\" has no close box";
        return false;
    }
    sim_.clickCloseBox(found.item->id);
    return true;
}

bool StepRunner::typeBeside(const std::string& label, const std::string& text, std::string& error) {
    Screen screen = captureScreen(sim_);
    Found found;
    WidgetLookup lookup(screen, scope_);
    if (!lookup.beside(label, found, error)) return false;
    if (found.item->widgetClass != skysim::TextField) {
        error = "beside the label \"" + label + "\" stands no text field but \"" + found.item->text + "\"";
        return false;
    }
    int x = (found.item->left + found.item->right) / 2, y = (found.item->top + found.item->bottom) / 2;
    if (!uncovered(lookup, found.window, "the text field beside \"" + label + "\"", x, y, error)) return false;
    if (!sim_.typeInto(found.item->id, text)) {
        error = "the text field beside \"" + label + "\" does not take typing";
        return false;
    }
    return true;
}

bool StepRunner::pickEntry(const std::string& entry, std::string& error) {
    Screen screen = captureScreen(sim_);
    WidgetLookup lookup(screen, scope_);
    int x = 0, y = 0;
    const ScreenWindow* window = nullptr;
    if (!lookup.listEntry(entry, x, y, window, error)) return false;
    if (!uncovered(lookup, window, "the list entry \"" + entry + "\"", x, y, error)) return false;
    sim_.click(x, y);
    return true;
}

bool StepRunner::writeFile(const std::string& name, const std::string& body, std::string& error) {
    std::string path = pluginFile(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << body;
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool StepRunner::takePicture(const std::string& name, std::string& note, std::string& error) {
    std::vector<std::string> written;
    std::string warning;
    if (!writePicture(captureScreen(sim_), options_.pictureFolder, name, written, warning, error)) return false;
    for (const std::string& path : written) {
        report_.picture(path);
        note += (note.empty() ? "" : ", ") + path;
    }
    if (!warning.empty()) note += "; " + warning;
    return true;
}

}  // namespace player
