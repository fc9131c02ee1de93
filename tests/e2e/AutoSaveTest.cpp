// The auto-save as a pilot meets it: a minute of flight time saves the
// aircraft of that moment beside the save before it, without touching the
// panel; nothing while paused; a save that fails (a folder that cannot be
// written, a capture no line can hold) costs one log line, no window and no
// file, and the saves come back; a new flight's clock starts the interval
// again. The last session's save is kept apart from this session's saves, and
// a crashed aircraft or a replay is never saved.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ControlPanelDriver.h"

namespace {

const char* const kLatitudeRef = "sim/flightmodel/position/latitude";
const char* const kFlightTimeRef = "sim/time/total_flight_time_sec";
const char* const kPausedRef = "sim/time/paused";
const char* const kAutoSaveOn = "[CONFIG]\nAutoSaveMinutes = 1\n";

class AutoSave : public PanelTest {
protected:
    std::string saved() const { return pluginText("AutoSave.skd"); }
    std::string previous() const { return pluginText("AutoSave-previous.skd"); }
    // Bytes as they are: the test writes some of these files with its own line ends.
    std::string lastSession() const { return readFile(pluginFile("AutoSave-last-session.skd")); }
    std::string savedBytes() const { return readFile(pluginFile("AutoSave.skd")); }
    // The aircraft moved to this latitude, then `seconds` of the simulator's time.
    void flyTo(double latitude, double seconds) {
        sim().setDouble(kLatitudeRef, latitude);
        sim().advance(seconds);
    }
    std::vector<std::string> panelFields() const {
        std::vector<std::string> texts;
        for (int i = kLatitude; i <= kApHeadingRollMode; ++i) texts.push_back(fieldText(i));
        return texts;
    }
    // The folder's files as they are now, to show that nothing changed.
    void expectUnchanged(const std::string& autoSave, const std::string& before) {
        EXPECT_EQ(autoSave, saved());
        EXPECT_EQ(before, previous());
        EXPECT_FALSE(fileExists(pluginFile("SkyPlacerSave.tmp")));
        EXPECT_FALSE(fileExists(pluginFile("SkyPlacerKeep.tmp")));
    }
    // The simulator closed, and started again with these settings.
    void restartWith(const char* settings) {
        sim().stop();
        startWithSettings(settings);
    }
};

bool holdsLatitude(const std::string& file, const char* latitude) {
    return file.find(std::string("\nLatitude = ") + latitude + "\n") != std::string::npos;
}

TEST_F(AutoSave, EachMinuteOfFlightSavesThatMomentBesideTheSaveBefore) {
    startWithSettings(kAutoSaveOn);
    setAircraft();
    openPanel();
    press(" Get Data");
    const std::vector<std::string> panel = panelFields();
    const std::string status = statusText();

    flyTo(10.5, 57.0);  // 58.2 s of flight
    EXPECT_FALSE(fileExists(pluginFile("AutoSave.skd"))) << "saved before its minute";
    flyTo(11.5, 3.0);  // 61.2 s: the capture of this moment
    const std::string first = saved();
    EXPECT_TRUE(holdsLatitude(first, "11.500000")) << first;
    EXPECT_EQ(23u, std::count(first.begin(), first.end(), '\n'));
    EXPECT_FALSE(fileExists(pluginFile("AutoSave-previous.skd")));
    EXPECT_EQ(panel, panelFields()) << "the panel shows what it showed before";
    EXPECT_EQ(status, statusText());

    flyTo(12.5, 60.0);
    EXPECT_TRUE(holdsLatitude(saved(), "12.500000"));
    EXPECT_EQ(first, previous());

    // Paused, the clock stands still and nothing is written, even when the clock is moved on by hand.
    const std::string second = saved();
    sim().setInt(kPausedRef, 1);
    const float pausedAt = sim().getFloat(kFlightTimeRef);
    flyTo(13.5, 180.0);
    EXPECT_EQ(pausedAt, sim().getFloat(kFlightTimeRef));
    sim().setFloat(kFlightTimeRef, pausedAt + 120.0f);
    sim().advance(1.0);
    expectUnchanged(second, first);
    sim().setFloat(kFlightTimeRef, pausedAt);
    sim().setInt(kPausedRef, 0);

    // A folder that cannot be written: one log line, no window, no file changed, at every interval.
    const std::string logBefore = logText();
    const size_t windows = sim().roots().size();
    {
        UnwritableFolder readOnly(pluginFolder(), pluginFile("AutoSave.skd"));
        flyTo(14.5, 120.0);
    }
    EXPECT_EQ(logBefore + "SkyPlacer - the auto-save could not write AutoSave.skd; it tries again at each interval\n",
              logText());
    EXPECT_EQ(windows, sim().roots().size());
    expectUnchanged(second, first);

    flyTo(15.5, 60.0);
    EXPECT_TRUE(holdsLatitude(saved(), "15.500000")) << "writable again, it saves";
    EXPECT_EQ(second, previous());
    EXPECT_EQ(logBefore + "SkyPlacer - the auto-save could not write AutoSave.skd; it tries again at each interval\n" +
                  "SkyPlacer - the auto-save works again: AutoSave.skd was written\n",
              logText());

    // A new flight: its clock starts from 0, and so does the interval.
    const std::string lastOfTheFlight = saved();
    sim().setFloat(kFlightTimeRef, 0.0f);
    flyTo(16.5, 61.0);
    EXPECT_TRUE(holdsLatitude(saved(), "16.500000"));
    EXPECT_EQ(panel, panelFields());

    // A capture no position file line can hold fails like a full disk: one line, whatever the cause.
    const std::string third = saved();
    const std::string logThen = logText();
    flyTo(1e300, 120.0);
    EXPECT_EQ(logThen + "SkyPlacer - the auto-save could not write AutoSave.skd; it tries again at each interval\n",
              logText());
    EXPECT_EQ(third, saved());
    EXPECT_EQ(lastOfTheFlight, previous()) << "a failed save keeps both";
}

// A crashed aircraft or a replayed flight is nothing to resume: while either
// lasts, a due save waits, the save before stays the last and the log says so
// once a stretch; the save is made as soon as the stretch is over. A crash in
// the middle of a replay, and the replay ending before the crash is cleared,
// are one stretch.
TEST_F(AutoSave, NothingIsSavedWhileTheAircraftHasCrashedOrTheSimulatorReplays) {
    const char* const crashed = "sim/flightmodel2/misc/has_crashed";
    const char* const replaying = "sim/time/is_in_replay";
    const std::string waitsCrashed =
        "SkyPlacer - the auto-save waits: the aircraft has crashed; AutoSave.skd keeps the save before\n";
    const std::string waitsReplaying =
        "SkyPlacer - the auto-save waits: the simulator is replaying; AutoSave.skd keeps the save before\n";
    startWithSettings(kAutoSaveOn);
    setAircraft();
    flyTo(10.5, 60.0);
    const std::string beforeCrash = saved();
    const std::string logBefore = logText();

    sim().setInt(crashed, 1);
    flyTo(11.5, 180.0);
    EXPECT_EQ(beforeCrash, saved());
    EXPECT_EQ(logBefore + waitsCrashed, logText());
    sim().setInt(crashed, 0);
    sim().advance(0.2);
    EXPECT_TRUE(holdsLatitude(saved(), "11.500000")) << "saved once the crash is over";
    EXPECT_EQ(beforeCrash, previous());

    const std::string beforeReplay = saved();
    sim().setInt(replaying, 1);
    flyTo(12.5, 90.0);
    sim().setInt(crashed, 1);
    flyTo(13.5, 90.0);
    sim().setInt(replaying, 0);
    flyTo(14.5, 90.0);
    EXPECT_EQ(beforeReplay, saved());
    EXPECT_EQ(beforeCrash, previous());
    EXPECT_EQ(logBefore + waitsCrashed + waitsReplaying, logText());
    sim().setInt(crashed, 0);
    sim().advance(0.2);
    EXPECT_TRUE(holdsLatitude(saved(), "14.500000"));
    EXPECT_EQ(beforeReplay, previous());
}

// A folder where the save before the last belongs (on Windows also a file
// held open or read-only) cannot be replaced: the new save is written all the
// same, and the log says so once, and once more when it can be kept again.
TEST_F(AutoSave, ASaveThatCannotKeepTheOneBeforeIsWrittenAndTheLogSaysSoOnce) {
    startWithSettings(kAutoSaveOn);
    setAircraft();
    std::filesystem::create_directory(pluginFile("AutoSave-previous.skd"));
    flyTo(10.5, 60.0);
    const std::string logBefore = logText();
    const std::string notKept =
        "SkyPlacer - the auto-save could not keep the save before the last as AutoSave-previous.skd; AutoSave.skd was "
        "written\n";
    flyTo(11.5, 60.0);
    flyTo(12.5, 60.0);
    EXPECT_TRUE(holdsLatitude(saved(), "12.500000"));
    EXPECT_EQ(logBefore + notKept, logText());
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerKeep.tmp")));

    std::filesystem::remove(pluginFile("AutoSave-previous.skd"));
    flyTo(13.5, 60.0);
    EXPECT_TRUE(holdsLatitude(previous(), "12.500000"));
    EXPECT_EQ(logBefore + notKept +
                  "SkyPlacer - the auto-save keeps the save before the last again: AutoSave-previous.skd was written\n",
              logText());
}

// The save a session left, crash or not, becomes AutoSave-last-session.skd
// before the next session writes anything, and stays through its saves; a
// session that left none keeps the older one. Switched off, the auto-save
// touches nothing; a last session's save that cannot be kept switches it off.
TEST_F(AutoSave, TheLastSessionsSaveIsKeptApartFromThisSessionsSaves) {
    const std::string crashed = positionFileText({{"Latitude", "33.5"}});
    const std::string older = positionFileText({{"Latitude", "22.5"}});
    writeFile(pluginFile("AutoSave.skd"), crashed);
    writeFile(pluginFile("AutoSave-last-session.skd"), older);
    startWithSettings("[CONFIG]\nAutoSaveMinutes = 0\n");
    sim().advance(120.0);
    EXPECT_EQ(crashed, savedBytes());
    EXPECT_EQ(older, lastSession());

    restartWith(kAutoSaveOn);
    EXPECT_EQ(crashed, lastSession());
    EXPECT_FALSE(fileExists(pluginFile("AutoSave.skd")));
    setAircraft();
    flyTo(10.5, 60.0);
    flyTo(11.5, 60.0);
    EXPECT_TRUE(holdsLatitude(previous(), "10.500000"));
    EXPECT_EQ(crashed, lastSession());

    const std::string last = savedBytes();
    restartWith(kAutoSaveOn);
    EXPECT_EQ(last, lastSession());
    restartWith(kAutoSaveOn);  // the session before saved nothing
    EXPECT_EQ(last, lastSession());

    writeFile(pluginFile("AutoSave.skd"), crashed);
    std::filesystem::remove(pluginFile("AutoSave-last-session.skd"));
    std::filesystem::create_directory(pluginFile("AutoSave-last-session.skd"));
    restartWith(kAutoSaveOn);
    flyTo(12.5, 120.0);
    EXPECT_EQ(crashed, savedBytes());
    EXPECT_NE(std::string::npos,
              logText().find("SkyPlacer - AutoSave.skd could not be kept as AutoSave-last-session.skd; the auto-save "
                             "is off\n"));
}

}  // namespace
