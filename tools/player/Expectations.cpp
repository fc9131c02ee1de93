// The expect steps: each compares what the simulator, the screen or the
// plug-in's folder shows with what the scenario says, and says both on a mismatch.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>

#include "FileText.h"
#include "StepRunner.h"
#include "WidgetLookup.h"

namespace player {

namespace {

std::string number(double value) {
    char text[64];
    (void)std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// Exact text, or with "within" a whole number (blanks around it aside) no further than the tolerance.
bool textMatches(const std::string& actual, const std::string& expected, const Step& step) {
    if (!step.hasTolerance) return actual == expected;
    double have = 0, want = 0;
    return parseNumber(trimBlanks(actual), have) && parseNumber(expected, want) &&
           std::fabs(have - want) <= step.tolerance;
}

std::string expectedText(const std::string& expected, const Step& step) {
    return "\"" + expected + "\"" + (step.hasTolerance ? " within " + number(step.tolerance) : "");
}

std::string firstDifference(const std::string& actual, const std::string& expected) {
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    size_t line = 1 + std::count(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    return "the contents differ first on line " + std::to_string(line) + " (byte " + std::to_string(at) + ")";
}

}  // namespace

bool StepRunner::expect(const Step& step, std::string& error) {
    switch (step.kind) {
        case StepKind::ExpectDataRef:
            return expectDataRef(step, error);
        case StepKind::ExpectField:
        case StepKind::ExpectCell:
        case StepKind::ExpectShown:
        case StepKind::ExpectHidden:
            return expectText(step, error);
        case StepKind::ExpectButton:
            return expectButton(step, error);
        case StepKind::ExpectList:
            return expectList(step, error);
        case StepKind::ExpectFile:
            return expectFile(step, error);
        case StepKind::ExpectLog:
            return expectLogLine(step, true, error);
        case StepKind::ExpectNoLog:
            return expectLogLine(step, false, error);
        case StepKind::ExpectSimLog:
            if (sim_.simLog().find(step.args[0]) != std::string::npos) return true;
            error = "the simulator's log does not contain \"" + step.args[0] + "\"";
            return false;
        case StepKind::ExpectPaused:
            if (sim_.paused() == (step.args[0] == "yes")) return true;
            error = std::string("expected the simulator ") + (step.args[0] == "yes" ? "paused" : "running") +
                    ", but it is " + (sim_.paused() ? "paused" : "running");
            return false;
        default:
            error = "this step is no expectation";
            return false;
    }
}

// Without a tolerance the values must agree to a millionth (of the value, above 1).
bool StepRunner::expectDataRef(const Step& step, std::string& error) {
    double actual = 0;
    if (!readDataRef(sim_, step.args[0], actual, error)) return false;
    double expected = std::strtod(step.args[1].c_str(), nullptr);
    double tolerance = step.hasTolerance ? step.tolerance : 1e-6 * std::max(1.0, std::fabs(expected));
    if (std::fabs(actual - expected) <= tolerance) return true;
    error = step.args[0] + " is " + number(actual) + ", expected " + number(expected) + " within " + number(tolerance);
    return false;
}

bool StepRunner::expectText(const Step& step, std::string& error) {
    Screen screen = captureScreen(sim_);
    WidgetLookup lookup(screen, scope_);
    if (step.kind == StepKind::ExpectShown || step.kind == StepKind::ExpectHidden) {
        bool wanted = step.kind == StepKind::ExpectShown;
        if (lookup.showsText(step.args[0]) == wanted) return true;
        error = "\"" + step.args[0] + "\" is " + (wanted ? "not" : "still") + " on screen";
        return false;
    }
    Found found;
    bool isCell = step.kind == StepKind::ExpectCell;
    const std::string& expected = step.args.back();
    if (isCell ? !lookup.cell(step.args[0], step.args[1], found, error) : !lookup.beside(step.args[0], found, error)) {
        return false;
    }
    if (textMatches(found.item->text, expected, step)) return true;
    error = std::string(isCell ? "the cell \"" + step.args[0] + "\" / \"" + step.args[1] + "\""
                               : "the field beside \"" + step.args[0] + "\"") +
            " shows \"" + found.item->text + "\", expected " + expectedText(expected, step);
    return false;
}

bool StepRunner::expectButton(const Step& step, std::string& error) {
    Screen screen = captureScreen(sim_);
    Found found;
    if (!WidgetLookup(screen, scope_).button(step.args[0], found, error)) return false;
    bool wanted = step.args[1] == "enabled";
    if (found.item->enabled == wanted) return true;
    error = "the button \"" + step.args[0] + "\" is " + (found.item->enabled ? "enabled" : "greyed") + ", expected " +
            step.args[1];
    return false;
}

bool StepRunner::expectList(const Step& step, std::string& error) {
    Screen screen = captureScreen(sim_);
    std::vector<const skysim::DrawOp*> entries = WidgetLookup(screen, scope_).listEntries();
    std::vector<std::string> shown;
    std::transform(entries.begin(), entries.end(), std::back_inserter(shown),
                   [](const skysim::DrawOp* op) { return trimBlanks(op->text); });
    std::vector<std::string> wanted;
    std::transform(step.args.begin(), step.args.end(), std::back_inserter(wanted), trimBlanks);
    if (shown == wanted) return true;
    std::string list;
    for (const std::string& entry : shown) list += (list.empty() ? "\"" : ", \"") + entry + "\"";
    error = "the list shows " + (list.empty() ? std::string("no entries") : list);
    return false;
}

bool StepRunner::expectFile(const Step& step, std::string& error) {
    const std::string& name = step.args[0];
    std::string contents;
    bool exists = readWholeFile(pluginFile(name), contents);
    if (step.args.size() == 2) {  // missing
        if (!exists) return true;
        error = "the file " + name + " exists";
        return false;
    }
    if (!exists) {
        error = "the file " + name + " is missing from the plug-in folder";
        return false;
    }
    if (step.hasBody) {
        if (contents == step.body) return true;
        error = "the file " + name + " is not as expected: " + firstDifference(contents, step.body);
        return false;
    }
    if (contents.find(step.args[2]) != std::string::npos) return true;
    error = "the file " + name + " does not contain \"" + step.args[2] + "\"";
    return false;
}

bool StepRunner::expectLogLine(const Step& step, bool present, std::string& error) {
    std::istringstream lines(runLog());
    bool found = false;
    for (std::string line; !found && std::getline(lines, line);) found = line == step.args[0];
    if (found == present) return true;
    error = std::string("the plug-in's log ") + (present ? "has no" : "has a") + " line \"" + step.args[0] + "\"";
    return false;
}

}  // namespace player
