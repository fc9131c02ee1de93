// Memory running out while the pilot works, as the stand-in refuses the
// plug-in's allocations from some point on: the simulator goes on, the pilot
// sees at most a message window or a shorter list, no file is left half
// written, and the plug-in works as before once memory is back.
#include <cstdint>
#include <cstdio>
#include <sstream>

#include "ControlPanelDriver.h"

namespace {

constexpr int kFiles = 120;
constexpr int kItemCount = 1910;  // the list box's scroll range: its item count
const char* const kOutOfMemoryLine = "SkyPlacer - ListBoxCallback stopped: the computer's memory ran out.";
const std::string kOldText = positionFileText({{"Latitude", "1.5"}});

enum class Action { OpenLoadDialog, SaveOverAFile };
// A save writes through a buffer of its own and needs no memory.
enum class Outcome { EmptyList, ShorterList, SavedWhole };

struct Situation {
    const char* name;
    Action action;
    std::uint64_t allowed;  // allocations the plug-in still gets before memory runs out
    Outcome outcome;
};

const Situation kSituations[] = {
    {"LoadDialogWithNoMemory", Action::OpenLoadDialog, 0, Outcome::EmptyList},
    {"LoadDialogWithMemoryForItsStoreOnly", Action::OpenLoadDialog, 1, Outcome::EmptyList},
    {"LoadDialogRunningOutPartWay", Action::OpenLoadDialog, 30, Outcome::ShorterList},
    {"SaveWithNoMemory", Action::SaveOverAFile, 0, Outcome::SavedWhole},
    {"SaveRunningOutOnceTheFileIsOpen", Action::SaveOverAFile, 1, Outcome::SavedWhole},
};

// Named by its name alone in the test list.
void PrintTo(const Situation& situation, std::ostream* out) { *out << situation.name; }

std::string fileName(int index) {
    char name[64];
    std::snprintf(name, sizeof name, "Christchurch International Runway 02 - %03d.skd", index);
    return name;
}

// 23 lines ending in the last key's: what the plug-in writes, not a part of it.
bool isWholePositionFile(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    std::string last;
    int count = 0;
    while (std::getline(lines, line)) {
        last = line;
        ++count;
    }
    return count == 23 && !text.empty() && text.back() == '\n' && last.rfind(kRecordKeys[17], 0) == 0;
}

class OutOfMemoryTest : public PanelTest, public ::testing::WithParamInterface<Situation> {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        for (int i = 0; i < kFiles; ++i) writeFile(pluginFile(fileName(i)), kOldText);
        startWithSettings("");
        setAircraft();
    }
    WidgetId listBox() const { return childrenOf(fileDialog(), skysim::CustomClass).front().id; }
    int listedItems() const { return static_cast<int>(sim().property(listBox(), kItemCount)); }
    // Runs `work` with the plug-in's memory running out after `allowed` allocations.
    template <typename Work>
    void withMemoryRunningOut(std::uint64_t allowed, Work work) {
        ASSERT_TRUE(sim().refusePluginAllocations(true, allowed));
        work();
        sim().refusePluginAllocations(false);
    }
    void closeDialog() {
        press(" Cancel");
        nextFlightLoops();
        ASSERT_EQ(0, fileDialog());
    }
};

TEST_P(OutOfMemoryTest, TheSimulatorGoesOnAndThePilotLosesNothing) {
    const Situation& situation = GetParam();
    if (!sim().refusePluginAllocations(false)) GTEST_SKIP() << "this build cannot refuse allocations";
    const std::string saved = fileName(0);
    if (situation.action == Action::OpenLoadDialog) {
        withMemoryRunningOut(situation.allowed, [this] { ASSERT_TRUE(sim().pickMenuItem("Load Position File")); });
    } else {
        ASSERT_TRUE(sim().pickMenuItem("Save Position File"));
        ASSERT_TRUE(sim().typeInto(childrenOf(fileDialog(), skysim::TextField).front().id, saved));
        withMemoryRunningOut(situation.allowed, [this] { press(" OK"); });
    }
    sim().advance(1.0);
    ASSERT_TRUE(sim().started());

    const bool refused = windowTitled("SkyPlacer Plugin Error") != 0;
    const std::string text = pluginText(saved);
    switch (situation.outcome) {
        case Outcome::EmptyList:
        case Outcome::ShorterList: {
            const int listed = listedItems();
            if (situation.outcome == Outcome::EmptyList) {
                EXPECT_EQ(0, listed);
            } else {
                EXPECT_TRUE(listed > 0 && listed < kFiles) << listed;
            }
            EXPECT_FALSE(refused);
            EXPECT_EQ(1, occurrences(sim().simLog(), kOutOfMemoryLine)) << sim().simLog();
            ASSERT_NO_FATAL_FAILURE(closeDialog());
            break;
        }
        case Outcome::SavedWhole:
            EXPECT_FALSE(refused);
            EXPECT_TRUE(isWholePositionFile(text) && text != kOldText) << text;
            break;
    }
    EXPECT_FALSE(fileExists(pluginFile("SkyPlacerSave.tmp")));
    if (situation.action == Action::SaveOverAFile) {
        EXPECT_EQ(std::string::npos, sim().simLog().find("stopped:")) << "nothing was thrown";
    }

    // With memory back, the whole folder is listed again.
    ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
    EXPECT_EQ(kFiles, listedItems());
    ASSERT_NO_FATAL_FAILURE(closeDialog());
}

INSTANTIATE_TEST_SUITE_P(, OutOfMemoryTest, ::testing::ValuesIn(kSituations),
                         [](const ::testing::TestParamInfo<Situation>& info) { return info.param.name; });

}  // namespace
