// Turns scenario text into steps, checking every step's shape before anything runs.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Scenario.h"
#include "XPLMApi.h"
#include "config/HotKeyNames.h"

namespace player {

namespace {

enum class BodyRule { None, Optional, Required };

struct StepShape {
    const char* verb;  // "expect dataref" for expectations
    StepKind kind;
    int minArgs;
    int maxArgs;  // -1: any number, each its own argument
    BodyRule body;
    bool tolerance;               // accepts a trailing "within TOLERANCE"
    bool firstTakesRest = false;  // the first argument takes the line up to a one-word last one
};

// The last argument of a step with a fixed maximum takes the rest of the line,
// unless the first one does (expect button Save SKD enabled).
const StepShape kShapes[] = {
    {"start", StepKind::Start, 0, 0, BodyRule::None, false},
    {"stop", StepKind::Stop, 0, 0, BodyRule::None, false},
    {"set", StepKind::Set, 2, 2, BodyRule::None, false},
    {"wait", StepKind::Wait, 1, 1, BodyRule::None, false},
    {"menu", StepKind::Menu, 1, 1, BodyRule::None, false},
    {"key", StepKind::Key, 1, 2, BodyRule::None, false},
    {"command", StepKind::Command, 1, 3, BodyRule::None, false},
    {"click", StepKind::Click, 1, 1, BodyRule::None, false},
    {"close", StepKind::Close, 1, 1, BodyRule::None, false},
    {"type", StepKind::Type, 2, 2, BodyRule::None, false},
    {"pick", StepKind::Pick, 1, 1, BodyRule::None, false},
    {"write", StepKind::Write, 1, 1, BodyRule::Required, false},
    {"window", StepKind::Window, 0, 1, BodyRule::None, false},
    {"picture", StepKind::Picture, 1, 1, BodyRule::None, false},
    {"expect dataref", StepKind::ExpectDataRef, 2, 2, BodyRule::None, true},
    {"expect field", StepKind::ExpectField, 2, 2, BodyRule::None, true},
    {"expect cell", StepKind::ExpectCell, 3, 3, BodyRule::None, true},
    {"expect shown", StepKind::ExpectShown, 1, 1, BodyRule::None, false},
    {"expect hidden", StepKind::ExpectHidden, 1, 1, BodyRule::None, false},
    {"expect button", StepKind::ExpectButton, 2, 2, BodyRule::None, false, true},
    {"expect list", StepKind::ExpectList, 0, -1, BodyRule::None, false},
    {"expect file", StepKind::ExpectFile, 1, 3, BodyRule::Optional, false},
    {"expect log", StepKind::ExpectLog, 1, 1, BodyRule::None, false},
    {"expect nolog", StepKind::ExpectNoLog, 1, 1, BodyRule::None, false},
    {"expect simlog", StepKind::ExpectSimLog, 1, 1, BodyRule::None, false},
    {"expect paused", StepKind::ExpectPaused, 1, 1, BodyRule::None, false},
};

struct Token {
    std::string text;
    bool quoted = false;
    size_t start = 0, end = 0;  // where it stands in the line, quotes included
};

constexpr double kLongestWait = 3600;  // seconds; a longer wait is a typo, not a test

std::string listOfVerbs(bool expectations) {
    std::string out;
    for (const StepShape& shape : kShapes) {
        std::string verb = shape.verb;
        bool isExpectation = verb.rfind("expect ", 0) == 0;
        if (isExpectation != expectations) continue;
        if (!out.empty()) out += ", ";
        out += expectations ? verb.substr(7) : verb;
    }
    return out;
}

bool tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error) {
    size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) return true;
        Token token;
        token.start = i;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) c = line[i++];
                token.text += c;
            }
            if (!closed) {
                error = "a quoted argument is not closed";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') token.text += line[i++];
        }
        token.end = i;
        tokens.push_back(token);
    }
}

const StepShape* findShape(const std::vector<Token>& tokens, size_t& used, std::string& error) {
    const std::string& verb = tokens[0].text;
    std::string name = verb;
    used = 1;
    if (verb == "expect") {
        if (tokens.size() < 2) {
            error = "\"expect\" needs what to expect: " + listOfVerbs(true);
            return nullptr;
        }
        name = "expect " + tokens[1].text;
        used = 2;
    }
    const StepShape* shape = std::find_if(std::begin(kShapes), std::end(kShapes),
                                          [&name](const StepShape& each) { return name == each.verb; });
    if (shape != std::end(kShapes)) return shape;
    if (verb == "expect") {
        error = "unknown expectation \"" + tokens[1].text + "\"; expectations are: " + listOfVerbs(true);
    } else {
        error = "unknown step \"" + verb + "\"; steps are: " + listOfVerbs(false) + ", expect";
    }
    return nullptr;
}

std::string unknownModifier(const std::string& name, const std::string& names) {
    std::string error = "unknown modifier name \"" + name + "\" in \"" + names + "\"; modifiers are:";
    for (const KeyNameRow& row : ModifierNameTable) error.append(" ").append(row.name);
    return error + ", joined by +";
}

// Every blank-, "+"- or line-feed-separated word must be a modifier name, as the settings file has them.
bool checkModifiers(const std::string& names, std::string& error) {
    size_t at = 0;
    while (at < names.size()) {
        size_t start = names.find_first_not_of(" +\n", at);
        if (start == std::string::npos) break;
        size_t end = std::min(names.find_first_of(" +\n", start), names.size());
        std::string name = names.substr(start, end - start);
        if (modifierFlagsFromNames(name.c_str()) == 0) {
            error = unknownModifier(name, names);
            return false;
        }
        at = end;
    }
    return true;
}

// A file or picture name stays in its folder: no separators, no "." or "..".
bool checkPlainName(const std::string& name, std::string& error) {
    if (name.find_first_of("/\\") == std::string::npos && name != "." && name != "..") return true;
    error = "\"" + name + "\" must be a plain file name, without \"/\", \"\\\" or \"..\"";
    return false;
}

// Checks the values that must be of a given form, so a typo fails before the run.
bool checkValues(const Step& step, std::string& error) {
    double number = 0;
    switch (step.kind) {
        case StepKind::Wait:
            if (!parseNumber(step.args[0], number) || number < 0 || number > kLongestWait)
                error = "wait needs a number of seconds from 0 to " + std::to_string(static_cast<int>(kLongestWait)) +
                        ", not \"" + step.args[0] + "\"";
            break;
        case StepKind::Key:
            if (keyCodeFromName(step.args[0].c_str()) == 0) {
                error =
                    "unknown key name \"" + step.args[0] + "\" (names as in the settings file, such as F5 or NUMPAD0)";
            } else if (step.args.size() > 1 && checkModifiers(step.args[1], error) &&
                       (modifierFlagsFromNames(step.args[1].c_str()) & (xplm_DownFlag | xplm_UpFlag)) != 0) {
                error =
                    "Down and Up are no keys to hold: the keyboard sends them itself, on the press and "
                    "the release; modifiers are Shift, Alt and Control";
            }
            break;
        case StepKind::Command:
            if (step.args.size() > 1 && (step.args.size() != 3 || step.args[1] != "hold" ||
                                         !parseNumber(step.args[2], number) || number < 0 || number > kLongestWait))
                error = "command needs a name, and may be held: NAME hold SECONDS, 0 to " +
                        std::to_string(static_cast<int>(kLongestWait));
            break;
        case StepKind::ExpectField:
        case StepKind::ExpectCell:
            if (step.hasTolerance && !parseNumber(step.args.back(), number))
                error = "\"within\" compares numbers, but \"" + step.args.back() + "\" is none";
            break;
        case StepKind::Write:
        case StepKind::Picture:
            checkPlainName(step.args[0], error);
            break;
        case StepKind::ExpectDataRef:
            if (!parseNumber(step.args[1], number))
                error = "expect dataref needs a number, not \"" + step.args[1] + "\"";
            break;
        case StepKind::ExpectButton:
            if (step.args[1] != "enabled" && step.args[1] != "disabled") {
                error = "expect button needs \"enabled\" or \"disabled\" after the label";
            }
            break;
        case StepKind::ExpectPaused:
            if (step.args[0] != "yes" && step.args[0] != "no") error = "expect paused needs \"yes\" or \"no\"";
            break;
        case StepKind::ExpectFile: {
            bool contains = step.args.size() == 3 && step.args[1] == "contains";
            bool missing = step.args.size() == 2 && step.args[1] == "missing";
            bool exact = step.args.size() == 1 && step.hasBody;
            if (!contains && !missing && !exact)
                error = "expect file needs FILE contains TEXT, FILE missing or FILE <<END";
            else
                checkPlainName(step.args[0], error);
            break;
        }
        default:
            break;
    }
    return error.empty();
}

// Tokens [from, to) as one argument: a lone token's text, or else the line as written from the first to the last.
std::string rest(const std::string& line, const std::vector<Token>& tokens, size_t from, size_t to) {
    if (to == from + 1) return tokens[from].text;
    return line.substr(tokens[from].start, tokens[to - 1].end - tokens[from].start);
}

std::string withoutLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Builds one step from its tokens; `lines` and `next` let a <<WORD step take its body.
bool buildStep(const std::string& line, std::vector<Token> tokens, const std::vector<std::string>& lines, size_t& next,
               Step& step, std::string& error) {
    size_t used = 0;
    const StepShape* shape = findShape(tokens, used, error);
    if (shape == nullptr) return false;
    step.kind = shape->kind;

    if (tokens.size() > used && !tokens.back().quoted && tokens.back().text.rfind("<<", 0) == 0) {
        std::string word = tokens.back().text.substr(2);
        tokens.pop_back();
        if (shape->body == BodyRule::None) {
            error = std::string("\"") + shape->verb + "\" takes no <<" + word + " text";
            return false;
        }
        if (word.empty()) {
            error = "<< needs a closing word, as in <<END";
            return false;
        }
        step.hasBody = true;
        while (next < lines.size() && withoutLineEnd(lines[next]) != word)
            step.body += withoutLineEnd(lines[next++]) + "\n";
        if (next >= lines.size()) {
            error = "no line \"" + word + "\" closes the text begun here";
            return false;
        }
        ++next;  // the closing word
    } else if (shape->body == BodyRule::Required) {
        error = std::string("\"") + shape->verb + "\" needs its text as <<END, then the lines, then END";
        return false;
    }

    size_t count = tokens.size() - used;
    if (shape->tolerance && count >= 2 && !tokens[tokens.size() - 2].quoted &&
        tokens[tokens.size() - 2].text == "within") {
        if (!parseNumber(tokens.back().text, step.tolerance) || step.tolerance < 0) {
            error = "\"within\" needs a tolerance, a number 0 or more";
            return false;
        }
        step.hasTolerance = true;
        tokens.resize(tokens.size() - 2);
        count -= 2;
    }
    if (shape->kind == StepKind::Key && count >= 3 && !tokens[tokens.size() - 2].quoted &&
        tokens[tokens.size() - 2].text == "hold") {
        if (!parseNumber(tokens.back().text, step.holdSeconds) || step.holdSeconds < 0 ||
            step.holdSeconds > kLongestWait) {
            error = "a key is held for a number of seconds from 0 to " +
                    std::to_string(static_cast<int>(kLongestWait)) + ": KEY [MODIFIERS] hold SECONDS";
            return false;
        }
        step.held = true;
        tokens.resize(tokens.size() - 2);
        count -= 2;
    }
    if (static_cast<int>(count) < shape->minArgs) {
        error = std::string("\"") + shape->verb + "\" needs " + std::to_string(shape->minArgs) + " argument" +
                (shape->minArgs == 1 ? "" : "s");
        return false;
    }
    if (shape->maxArgs < 0) {
        for (size_t i = used; i < tokens.size(); ++i) step.args.push_back(tokens[i].text);
    } else if (shape->maxArgs == 0 && count > 0) {
        error = std::string("\"") + shape->verb + "\" takes no arguments";
        return false;
    } else if (shape->firstTakesRest) {
        step.args.push_back(rest(line, tokens, used, tokens.size() - 1));
        step.args.push_back(tokens.back().text);
    } else {
        size_t last = used + shape->maxArgs - 1;
        for (size_t i = used; i < tokens.size() && i < last; ++i) step.args.push_back(tokens[i].text);
        if (tokens.size() > last) step.args.push_back(rest(line, tokens, last, tokens.size()));
    }
    return checkValues(step, error);
}

}  // namespace

bool parseScenario(const std::string& text, Scenario& scenario, ScenarioError& error) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    size_t next = 0;
    while (next < lines.size()) {
        size_t index = next++;
        std::string line = trimmed(withoutLineEnd(lines[index]));
        if (line.empty() || line[0] == '#') continue;
        std::vector<Token> tokens;
        Step step;
        step.line = static_cast<int>(index) + 1;
        step.source = line;
        if (!tokenize(line, tokens, error.message) || !buildStep(line, tokens, lines, next, step, error.message)) {
            error.line = step.line;
            return false;
        }
        scenario.steps.push_back(step);
    }
    return true;
}

bool loadScenario(const std::string& path, Scenario& scenario, ScenarioError& error) {
    scenario.fileName = path;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error.line = 0;
        error.message = "cannot read the scenario file";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseScenario(text.str(), scenario, error);
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0' && std::isfinite(value);
}

std::string locate(const std::string& fileName, int line, const std::string& message) {
    return fileName + ":" + std::to_string(line) + ": " + message;
}

}  // namespace player
