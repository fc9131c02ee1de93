// A scenario: the steps of a scenario file, each with the line it came from.
//
// A scenario file holds one step a line. Blank lines and lines whose first
// non-blank character is "#" are skipped. A step is a verb (for expectations
// "expect" and a subject) followed by its arguments, separated by blanks; an
// argument with blanks or quotes inside is written in double quotes, with \"
// and \\ inside. The last argument of a step takes the rest of the line as
// written, blanks and quotes kept, so `menu Quick Save File` needs no quotes;
// a rest that is one quoted argument alone is taken without its quotes. A step ending in <<WORD takes the
// following lines, up to a line that is WORD alone, as its body.
// (In "expect button LABEL enabled|disabled" the label takes the rest instead.)
#pragma once

#include <string>
#include <vector>

namespace player {

enum class StepKind {
    Start,          // start
    Stop,           // stop
    Set,            // set DATAREF VALUE
    Wait,           // wait SECONDS
    Menu,           // menu ITEM
    Key,            // key KEY [MODIFIERS] [hold SECONDS]
    Command,        // command NAME [hold SECONDS]
    Click,          // click LABEL
    Close,          // close TITLE
    Type,           // type LABEL TEXT
    Pick,           // pick ENTRY
    Write,          // write FILE <<END
    Window,         // window [TITLE]
    Picture,        // picture NAME
    ExpectDataRef,  // expect dataref DATAREF VALUE [within TOLERANCE]
    ExpectField,    // expect field LABEL TEXT [within TOLERANCE]
    ExpectCell,     // expect cell LABEL COLUMN TEXT [within TOLERANCE]
    ExpectShown,    // expect shown TEXT
    ExpectHidden,   // expect hidden TEXT
    ExpectButton,   // expect button LABEL enabled|disabled
    ExpectList,     // expect list [ENTRY...]
    ExpectFile,     // expect file FILE contains TEXT | missing | <<END
    ExpectLog,      // expect log LINE
    ExpectNoLog,    // expect nolog LINE
    ExpectSimLog,   // expect simlog TEXT
    ExpectPaused,   // expect paused yes|no
};

struct Step {
    StepKind kind = StepKind::Start;
    int line = 0;                   // 1-based line of the step's first line
    std::string source;             // the step as written, for progress lines
    std::vector<std::string> args;  // arguments after the verb (and subject)
    bool hasBody = false;
    std::string body;  // lines of a <<WORD block, each ending in "\n"
    bool hasTolerance = false;
    double tolerance = 0;  // from "within TOLERANCE"
    bool held = false;
    double holdSeconds = 0;  // a key step's "hold SECONDS"
};

struct Scenario {
    std::string fileName;  // as given, for messages
    std::vector<Step> steps;
};

// A fault in the scenario text, at a line of its file.
struct ScenarioError {
    int line = 0;
    std::string message;
};

// Parses scenario text. Returns false with `error` set at the first fault.
bool parseScenario(const std::string& text, Scenario& scenario, ScenarioError& error);

// Reads and parses a file; a file that cannot be read is an error at line 0.
bool loadScenario(const std::string& path, Scenario& scenario, ScenarioError& error);

// A whole, finite number: no text after it, no inf or nan.
bool parseNumber(const std::string& text, double& value);

// The text of a message about a line: "FILE:LINE: message".
std::string locate(const std::string& fileName, int line, const std::string& message);

}  // namespace player
