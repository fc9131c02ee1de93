// Checking AutoSaveMinutes: a value the auto-save cannot use switches it off,
// with one log line, rather than saving every frame or never.
#include "config/AutoSaveSetting.h"

#include "log/PluginLog.h"
#include "text/NumberText.h"

namespace {

constexpr double kShortest = 0.5;  // minutes
constexpr double kLongest = 1440;  // a day

// A leading number as parseReal reads one: blanks, a sign, then a digit or a point and a digit.
bool startsWithNumber(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    if (*text == '-' || *text == '+') ++text;
    if (*text == '.') ++text;
    return *text >= '0' && *text <= '9';
}

float switchedOff(const char* valueText, const char* why) {
    logAlways(prefixed("AutoSaveMinutes = %s %s; the auto-save is off\n", valueText, why).text);
    return 0;
}

}  // namespace

float autoSaveMinutesFrom(const char* valueText) {
    if (!startsWithNumber(valueText)) return switchedOff(valueText, "is not a number");
    const double minutes = parseReal(valueText);
    if (minutes == 0) return 0;
    if (minutes < 0) return switchedOff(valueText, "is negative");
    if (minutes < kShortest || minutes > kLongest) return switchedOff(valueText, "is outside 0.5 to 1440");
    return static_cast<float>(minutes);
}
