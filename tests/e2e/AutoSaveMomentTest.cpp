// An auto-save that falls due as the aircraft is placed. The simulator shows
// the new place and heading only at its next frame, while the levers read back
// at once: whichever call the save falls in, AutoSave.skd holds one moment, the
// aircraft before the placement or settled after it.
#include <cmath>
#include <string>

#include "ControlPanelDriver.h"

namespace {

// The number after "KEY = " in a position file's text; NaN when it is missing.
double valueOf(const std::string& file, const std::string& key) {
    const size_t at = file.find("\n" + key + " = ");
    return at == std::string::npos ? NAN : std::stod(file.substr(at + key.size() + 4));
}

class AutoSaveMoment : public PanelTest {
protected:
    // Runs frames, at most `frames`, until AutoSave.skd is no longer `before`; its text.
    std::string nextSave(const std::string& before, int frames) {
        for (int i = 0; i < frames; ++i) {
            sim().runFrames(1);
            const std::string now = pluginText("AutoSave.skd");
            if (now != before) return now;
        }
        ADD_FAILURE() << "no save";
        return before;
    }
};

TEST_F(AutoSaveMoment, ASaveDueAsTheAircraftIsPlacedHoldsOneMoment) {
    startWithSettings("[CONFIG]\nAutoSaveMinutes = 0.5\n");
    openPanel();
    std::string saved = nextSave("", 40 * 20);
    int before = 0, after = 0;
    // The loop runs every second frame and a save falls due 600 frames (30
    // seconds) after the last: the placement lands from eight frames before
    // that call to two after it.
    for (int early = 8; early >= -2; --early) {
        SCOPED_TRACE(early);
        const double round = early + 10.0;  // each save differs from the last
        writeFile(
            pluginFile("QuickFile.skd"),
            positionFileText(
                {{"Latitude", std::to_string(40 + round)}, {"Longitude", "60"}, {"Heading", "90"}, {"Flaps", "0.5"}}));
        press(" Quick Load");
        sim().setDouble("sim/flightmodel/position/latitude", round);
        sim().setDouble("sim/flightmodel/position/longitude", -60.0);  // another variation
        sim().setFloat("sim/flightmodel/controls/flaprqst", 0.1f);
        sim().runFrames(600 - early);
        press(" Position");
        saved = nextSave(saved, 20);

        const double latitude = valueOf(saved, "Latitude");
        if (latitude == round) {
            EXPECT_NEAR(0.1, valueOf(saved, "Flaps"), 1e-6) << saved;
            ++before;
        } else {
            EXPECT_NEAR(40 + round, latitude, 1e-6) << saved;
            EXPECT_NEAR(0.5, valueOf(saved, "Flaps"), 1e-6) << saved;
            EXPECT_NEAR(90.0, valueOf(saved, "Heading"), 0.1) << saved;
            ++after;
        }
    }
    EXPECT_LT(0, before) << "the placements must straddle the save";
    EXPECT_LT(0, after);
}

}  // namespace
