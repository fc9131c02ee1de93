// The auto-save as a pilot meets it: a minute of flight time saves the
// aircraft of that moment beside the save before it, without touching the
// panel; nothing while paused; a save that fails (a folder that cannot be
// written, a capture no line can hold) costs one log line, no window and no
// file, and the saves come back; a new flight's clock starts the interval
// again. The last session's save is kept apart from this session's saves, and
// a crashed aircraft or a replay is never saved.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "ControlPanelDriver.h"

namespace {

using namespace std::chrono_literals;

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

// The save a run left after a clean end becomes AutoSave-last-session.skd
// before the next run writes anything, and stays through its saves; a run
// that left none keeps the older one, and a reload of the plug-ins in the same
// run renames nothing. Switched off, the auto-save touches nothing. A last
// run's save that cannot be kept is tried again before each save, and nothing
// is saved over it meanwhile.
TEST_F(AutoSave, TheLastSessionsSaveIsKeptApartFromThisSessionsSaves) {
    const std::string ended = positionFileText({{"Latitude", "33.5"}});
    const std::string older = positionFileText({{"Latitude", "22.5"}});
    writeFile(pluginFile("AutoSave.skd"), ended);
    writeFile(pluginFile("AutoSave-last-session.skd"), older);
    startWithSettings("[CONFIG]\nAutoSaveMinutes = 0\n");
    sim().advance(120.0);
    EXPECT_EQ(ended, savedBytes());
    EXPECT_EQ(older, lastSession());
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerRun.txt")));

    nextSimulatorRun(false, kAutoSaveOn);
    EXPECT_EQ(ended, lastSession());
    EXPECT_FALSE(fileExists(pluginFile("AutoSave.skd")));
    setAircraft();
    flyTo(10.5, 60.0);
    flyTo(11.5, 60.0);
    EXPECT_TRUE(holdsLatitude(previous(), "10.500000"));
    EXPECT_EQ(ended, lastSession());

    sim().stop();  // a reload: the same run goes on
    startWithSettings(kAutoSaveOn);
    EXPECT_EQ(ended, lastSession());
    EXPECT_TRUE(holdsLatitude(saved(), "11.500000"));

    const std::string last = savedBytes();
    nextSimulatorRun(false, kAutoSaveOn);
    EXPECT_EQ(last, lastSession());
    nextSimulatorRun(false, kAutoSaveOn);  // the run before saved nothing
    EXPECT_EQ(last, lastSession());
    EXPECT_TRUE(crashSaves().empty()) << "a clean end's save is no crash save";

    writeFile(pluginFile("AutoSave.skd"), ended);
    std::filesystem::remove(pluginFile("AutoSave-last-session.skd"));
    std::filesystem::create_directory(pluginFile("AutoSave-last-session.skd"));
    nextSimulatorRun(false, kAutoSaveOn);
    flyTo(12.5, 120.0);
    EXPECT_EQ(ended, savedBytes());
    const std::string notKept =
        "SkyPlacer - AutoSave.skd could not be kept; nothing is saved over it, and the auto-save tries again before "
        "each save\n";
    EXPECT_EQ(1, occurrences(logText(), notKept));
    sim().stop();  // a reload still owes the keep
    startWithSettings(kAutoSaveOn);
    flyTo(12.5, 60.0);
    EXPECT_EQ(ended, savedBytes());
    EXPECT_EQ(2, occurrences(logText(), notKept));
    std::filesystem::remove(pluginFile("AutoSave-last-session.skd"));
    flyTo(13.5, 60.0);
    EXPECT_EQ(ended, lastSession());
    EXPECT_TRUE(holdsLatitude(saved(), "13.500000"));
    EXPECT_TRUE(crashSaves().empty()) << "owed after a clean end, it is no crash save";
    EXPECT_EQ(1, occurrences(logText(), "SkyPlacer - AutoSave.skd was kept at last; the auto-save saves again\n"));
}

// The two ways a crashed flight was lost: a reload after the next run's first
// save, and a second crash before the first was resumed. Each crash's last
// save is kept under the time it was made, AutoSave-last-session.skd is the
// last run's last save whatever its end, and the newest five crash saves stay.
TEST_F(AutoSave, EveryCrashsLastSaveIsKeptUntilFiveNewerOnes) {
    writeFile(pluginFile("AutoSave-crash-notes.skd"), "a pilot's own file");
    startWithSettings(kAutoSaveOn);
    setAircraft();
    flyTo(10.5, 60.0);
    const std::string a = savedBytes();
    nextSimulatorRun(true, kAutoSaveOn);
    ASSERT_EQ(1u, crashSaves().size());
    const std::string aKept = crashSaves()[0];
    EXPECT_EQ(a, readFile(pluginFile(aKept)));
    EXPECT_EQ(a, lastSession());

    flyTo(11.5, 60.0);
    sim().stop();  // a reload after the run's first save
    startWithSettings(kAutoSaveOn);
    EXPECT_EQ(std::vector<std::string>{aKept}, crashSaves());
    EXPECT_EQ(a, lastSession());
    const std::string b = savedBytes();
    EXPECT_TRUE(holdsLatitude(saved(), "11.500000"));

    nextSimulatorRun(true, kAutoSaveOn);  // a second crash
    ASSERT_EQ(2u, crashSaves().size());
    EXPECT_EQ(aKept, crashSaves()[0]);
    EXPECT_EQ(a, readFile(pluginFile(aKept)));
    EXPECT_EQ(b, readFile(pluginFile(crashSaves()[1])));
    EXPECT_EQ(b, lastSession());

    nextSimulatorRun(true, kAutoSaveOn);  // crashed before its first save: nothing new to keep
    EXPECT_EQ(2u, crashSaves().size());
    for (double latitude : {12.5, 13.5, 14.5, 15.5}) {
        flyTo(latitude, 60.0);
        nextSimulatorRun(true, kAutoSaveOn);
    }
    const std::vector<std::string> kept = crashSaves();
    ASSERT_EQ(5u, kept.size());
    EXPECT_EQ(b, readFile(pluginFile(kept[0]))) << "the oldest of six went";
    EXPECT_TRUE(holdsLatitude(pluginText(kept[4]), "15.500000"));
    EXPECT_EQ("a pilot's own file", readFile(pluginFile("AutoSave-crash-notes.skd")));

    // A save made when the clock stood a year back is older by its name than
    // the five, and stays all the same: the pilot has not seen it yet.
    flyTo(16.5, 60.0);
    const std::string putBack = savedBytes();
    std::filesystem::last_write_time(pluginFile("AutoSave.skd"),
                                     std::filesystem::last_write_time(pluginFile("AutoSave.skd")) - 8760h);
    nextSimulatorRun(true, kAutoSaveOn);
    const std::vector<std::string> afterwards = crashSaves();
    ASSERT_EQ(5u, afterwards.size());
    EXPECT_EQ(putBack, readFile(pluginFile(afterwards[0])));
    EXPECT_EQ(std::vector<std::string>(kept.begin() + 1, kept.end()),
              std::vector<std::string>(afterwards.begin() + 1, afterwards.end()));
}

}  // namespace
