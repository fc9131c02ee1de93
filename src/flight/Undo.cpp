// Undoing the last placement. Every placement captures the aircraft before it
// moves it (keepPlaceForUndo), into a record of its own: the held record, the
// panel and the data display never see it. An undo places that record, and
// being a placement itself it captures first, so a second undo goes back to
// where the first one started.
#include "log/PluginLog.h"
#include "plugin/PluginApp.h"
#include "position/RecordText.h"

// The command's handler only asks; the main loop places, as for any placement.
void PluginApp::requestUndo() {
    if (undo.held == 0) {
        logMessage(prefixed("nothing to undo: no placement yet in this session\n").text);
        return;
    }
    undo.requested = 1;
}

// Captured as Get Data captures, held finite as the record it places again must be.
void PluginApp::keepPlaceForUndo(bool settledNow) {
    readAircraftState(undo.before);
    // A settle in this same call turned the aircraft and set its speed; the
    // simulator reads them back only from its next frame, so they are taken
    // as the settle wrote them.
    if (settledNow) {
        undo.before.Heading = pendingSettle.heading;
        undo.before.Pitch = pendingSettle.pitch;
        undo.before.Roll = pendingSettle.roll;
        undo.before.Speed = pendingSettle.speed;
    }
    holdFinite(undo.before);
    undo.held = 1;
}

void PluginApp::undoPlacement(bool settledNow) {
    undo.requested = 0;
    const PositionRecord before = undo.before;  // the placement captures over it
    placeRecord(before, settledNow);
}
