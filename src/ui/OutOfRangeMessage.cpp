// The message of a refused placement. The value is shown as the position file
// writes it, so that the pilot finds it in the file or the panel; a value too
// long for its line is cut and marked, never run past the window.
#include <cstring>

#include "plugin/PluginApp.h"
#include "position/RecordText.h"
#include "text/BoundedText.h"
#include "text/NumberText.h"
#include "ui/Messages.h"
#include "ui/WidgetText.h"

namespace {

// Beyond the six decimals of the file: enough for the nearest double past any
// of the ranges' edges (90.00000000000001 and 180.00000000000003 need the most).
constexpr int kMostDecimals = 14;

using MessageLine = char[kMessageLineLength + 1];

bool inside(double value, double lowest, double highest) { return value >= lowest && value <= highest; }

// "Latitude = 95.000000": the line's value starts at line + the returned
// length. A value that does not fit is cut and marked.
size_t formatValueLine(MessageLine& line, const PositionRecord& record, int field) {
    formatText(line, sizeof line, kOutOfRangeValueFormat, kRecordFields[field].key);
    const size_t used = std::strlen(line);
    if (!formatField(record, field, line + used, sizeof line - used)) markCut(line, sizeof line);
    return used;
}

// A value just past an edge, which six decimals round onto it, gets the
// decimals that show it outside ("90.0000001", not "90.000000"). A cut value
// has more whole digits than any range, and already reads outside.
void showOutside(MessageLine& line, size_t used, double exact, double lowest, double highest) {
    char* value = line + used;
    for (int decimals = 7; decimals <= kMostDecimals && inside(parseReal(value), lowest, highest); ++decimals) {
        if (!formatText(value, sizeof line - used, "%.*f", decimals, exact)) markCut(line, sizeof line);
    }
}

}  // namespace

void PluginApp::showValueOutOfRange(const PositionRecord& record, int field, double lowest, double highest) {
    MessageLine value;
    MessageLine range;
    showOutside(value, formatValueLine(value, record, field), fieldValue(record, field), lowest, highest);
    formatText(range, sizeof range, kOutOfRangeRangeFormat, lowest, highest);
    showMessage(kErrorTitle, value, range);
}

void PluginApp::showTooFastToPlace(const PositionRecord& record, int field, double fastest) {
    MessageLine value;
    MessageLine limit;
    formatValueLine(value, record, field);
    formatText(limit, sizeof limit, kTooFastFormat, fastest);
    showMessage(kErrorTitle, value, limit);
}
