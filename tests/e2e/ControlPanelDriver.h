// Drives the control panel and reads the data display in the stand-in the way
// a pilot does, through the windows and widgets WidgetFinder.h finds.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WidgetFinder.h"

// The panel's seventeen fields in order, by the record field each shows.
enum PanelField {
    kLatitude,
    kLongitude,
    kAltitude,
    kHeading,
    kPitch,
    kRoll,
    kSpeed,
    kThrottle,
    kFlaps,
    kGear,
    kApMode,
    kApAltitude,
    kApVerticalVelocity,
    kApHeading,
    kApAirspeed,
    kApState,
    kApHeadingRollMode,
};

// The position file's keys in record order (the flag first), for building test files.
extern const char* const kRecordKeys[18];

// A 23-line position file; keys not given are written as 0.
std::string positionFileText(const std::map<std::string, std::string>& values);

class PanelTest : public SimTest {
protected:
    // The simulator's run ends, with the auto-save on, and the next starts in
    // another process: the plug-in is stopped, and the mark it keeps of its
    // run becomes what another process leaves, "stopped" after a clean end and
    // "running" after a crash, when the plug-in never stops. Then `settings`.
    void nextSimulatorRun(bool afterCrash, const std::string& settings);
    // The crash saves in the plug-in's folder, oldest first.
    std::vector<std::string> crashSaves() const;
    // Counts data accesses from this test's start only.
    void SetUp() override;
    WidgetId openPanel();  // the "Control Panel" menu item
    WidgetId field(int index) const { return childrenOf(controlPanel(), skysim::TextField).at(index).id; }
    std::string fieldText(int index) const { return sim().widget(field(index)).descriptor; }
    void typeField(int index, const std::string& text) { ASSERT_TRUE(sim().typeInto(field(index), text)); }
    WidgetId button(const std::string& label) const;  // shown or not
    bool enabled(const std::string& label) const { return sim().property(button(label), 7) != 0; }
    void press(const std::string& label) { ASSERT_TRUE(sim().clickButton(label)) << label; }
    std::string statusText() const { return childrenOf(controlPanel(), skysim::Caption).front().descriptor; }
    std::string fileNameText() const { return childrenOf(controlPanel(), skysim::Caption).back().descriptor; }
    // Lets the placement flight loop run a few times: a placement and its settle.
    void nextFlightLoops() { sim().advance(0.3); }
    // Puts the aircraft at rest somewhere recognisable.
    void setAircraft();
    // Scalar writes the plug-in made to one data reference since the accesses were cleared.
    std::vector<double> writes(const std::string& name) const;

    skysim::Sim& sim() const { return skysim::Sim::get(); }
};
