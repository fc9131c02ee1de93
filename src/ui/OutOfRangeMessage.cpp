// The message of a refused placement. The value is shown as the position file
// writes it, so that the pilot finds it in the file or the panel; a value too
// long for its line is cut and marked, never run past the window.
#include <cstring>

#include "plugin/PluginApp.h"
#include "position/RecordText.h"
#include "text/BoundedText.h"
#include "ui/Messages.h"
#include "ui/WidgetText.h"

void PluginApp::showValueOutOfRange(const PositionRecord& record, int field, double lowest, double highest) {
    char value[kMessageLineLength + 1];
    char range[kMessageLineLength + 1];
    formatText(value, sizeof value, kOutOfRangeValueFormat, kRecordFields[field].key);
    const size_t used = std::strlen(value);
    if (!formatField(record, field, value + used, sizeof value - used)) markCut(value, sizeof value);
    formatText(range, sizeof range, kOutOfRangeRangeFormat, lowest, highest);
    showMessage(kErrorTitle, value, range);
}
