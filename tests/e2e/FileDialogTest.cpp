// The file dialog driven through the built module as a pilot would: opening
// it from the menu, hot keys and the control panel, the listed files in their
// sorted order, picking,
// loading and saving, Cancel, replacement, refused names and a folder larger
// than one directory listing.
#include <filesystem>
#include <set>

#include "ControlPanelDriver.h"
#include "FlightTestSupport.h"

namespace {

namespace fs = std::filesystem;
using skysim::DrawOp;

// Where the dialog's list box stands, for the layout check: its scroll bar is the right 20 pixels.
constexpr int kListLeft = 660, kListTop = 570, kListRight = 880, kListBottom = 370;

class FileDialogTest : public PanelTest {
protected:
    // A dialog left open would keep its list's item store past the test: cancel it as the pilot would.
    void TearDown() override {
        if (dialog() != 0 && sim().started()) {
            sim().clickButton(" Cancel");
            nextFlightLoops();
            EXPECT_EQ(0, dialog());
        }
        PanelTest::TearDown();
    }
    WidgetId dialog() const { return fileDialog(); }
    WidgetId childOf(int widgetClass) const {
        std::vector<WidgetInfo> found = childrenOf(dialog(), widgetClass);
        return found.empty() ? 0 : found.front().id;
    }
    WidgetId listBox() const { return childOf(skysim::CustomClass); }
    WidgetId nameField() const { return childOf(skysim::TextField); }
    std::string nameText() const { return sim().widget(nameField()).descriptor; }
    // The names the list box draws, top line first.
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        for (const DrawOp& op : sim().draw()) {
            if (op.kind == DrawOp::String && op.widget == listBox()) names.push_back(op.text);
        }
        return names;
    }
    void pick(const std::string& name) { ASSERT_TRUE(pickListEntry(name)) << name; }
    void writePosition(const std::string& name, const std::string& latitude) {
        writeFile(pluginFile(name), positionFileText({{"Latitude", latitude}}));
    }
    int dialogCount() const { return windowsTitled(kLoadDialogTitle) + windowsTitled(kSaveDialogTitle); }
    static std::set<std::string> namesIn(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
        return names;
    }
    std::set<std::string> folderNames() const { return namesIn(pluginFolder()); }
    // The plug-in folder's parent, where "../Escape" would land.
    std::set<std::string> parentNames() const { return namesIn(fs::path(pluginFolder()).parent_path().parent_path()); }
};

// --- building and listing ---

TEST_F(FileDialogTest, LoadDialogHasItsGeometryAndListsThePositionFilesWithTheFirstPrefilled) {
    writePosition("QuickFile.skd", "1");
    writePosition("Home.skd", "2");
    startWithSettings("");
    ASSERT_TRUE(fileExists(pluginFile("SkyPlacerLog.txt")));
    ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
    ASSERT_NE(0, dialog());
    WidgetInfo window = sim().widget(dialog());
    EXPECT_EQ("Load Position File", window.descriptor);
    EXPECT_EQ(0, sim().property(dialog(), 1200));  // no close box
    WidgetInfo list = sim().widget(listBox());
    EXPECT_EQ((std::vector<int>{kListLeft, kListTop, kListRight, kListBottom}),
              (std::vector<int>{list.left, list.top, list.right, list.bottom}));
    WidgetInfo field = sim().widget(nameField());
    EXPECT_EQ((std::vector<int>{660, 362, 860, 340}),
              (std::vector<int>{field.left, field.top, field.right, field.bottom}));
    EXPECT_EQ(0, sim().property(nameField(), 7));  // greyed: filled only by picking
    std::vector<WidgetInfo> buttons = childrenOf(dialog(), skysim::Button);
    ASSERT_EQ(2u, buttons.size());
    EXPECT_EQ(" OK", buttons[0].descriptor);
    EXPECT_EQ((std::vector<int>{660, 332, 750, 310}),
              (std::vector<int>{buttons[0].left, buttons[0].top, buttons[0].right, buttons[0].bottom}));
    EXPECT_EQ(" Cancel", buttons[1].descriptor);
    EXPECT_EQ((std::vector<int>{760, 332, 860, 310}),
              (std::vector<int>{buttons[1].left, buttons[1].top, buttons[1].right, buttons[1].bottom}));

    EXPECT_EQ((std::vector<std::string>{"Home.skd", "QuickFile.skd"}), listed());
    EXPECT_EQ("Home.skd", nameText());
}

TEST_F(FileDialogTest, SaveDialogReplacesTheLoadDialogWithAnEditablePrefilledName) {
    writePosition("QuickFile.skd", "1");
    writePosition("Home.skd", "2");
    startWithSettings("");
    sim().pickMenuItem("Load Position File");
    WidgetId loadDialog = dialog();
    sim().pickMenuItem("Save Position File");
    EXPECT_FALSE(sim().exists(loadDialog));
    EXPECT_EQ(1, dialogCount());
    EXPECT_EQ("Save Position File", sim().widget(dialog()).descriptor);
    EXPECT_NE(0, sim().property(nameField(), 7));
    EXPECT_EQ("Home.skd", nameText());
    EXPECT_EQ((std::vector<std::string>{"Home.skd", "QuickFile.skd"}), listed());
}

TEST_F(FileDialogTest, OnlyNamesWhoseTextFromTheFirstPointIsTheExtensionAreListed) {
    // No two names differ only in case: Windows would make them one file.
    for (const char* name : {"Away.SKD", "Home.skd.bak", "Home.v2.skd", "skd", "Approach.txt", "Home.skd", ".skd"}) {
        writePosition(name, "1");
    }
    startWithSettings("");
    sim().pickMenuItem("Load Position File");
    EXPECT_EQ((std::vector<std::string>{".skd", "Home.skd"}), listed());
    EXPECT_EQ(".skd", nameText());
}

// The simulator lists a folder in no particular order; the pilot finds a name
// in one: letters without their case, then byte order for names that differ
// only in case.
TEST_F(FileDialogTest, TheListIsSortedWhateverOrderTheSimulatorListsTheFolderIn) {
    // Where names that differ only in case are one file (Windows), the folder holds one of them.
    for (const char* name : {"b.skd", "Z.skd", "a.skd", "C.skd", "Approach.skd"}) writePosition(name, "1");
    if (kCaseMakesNamesDiffer) writePosition("A.skd", "1");
    startWithSettings("");
    const std::vector<std::string> expected =
        kCaseMakesNamesDiffer ? std::vector<std::string>{"A.skd", "a.skd", "Approach.skd", "b.skd", "C.skd", "Z.skd"}
                              : std::vector<std::string>{"a.skd", "Approach.skd", "b.skd", "C.skd", "Z.skd"};
    for (unsigned seed : {1u, 2u, 3u}) {
        sim().reseedDirectoryOrder(seed);
        sim().pickMenuItem("Load Position File");
        EXPECT_EQ(expected, listed()) << "seed " << seed;
        EXPECT_EQ(expected.front(), nameText()) << "the first in that order is offered";
        ASSERT_TRUE(sim().clickButton(" Cancel"));
        nextFlightLoops();
    }
}

TEST_F(FileDialogTest, AnEmptyFolderGivesAnEmptyListAndAnEmptyName) {
    startWithSettings("");
    fs::remove(pluginFile("SkyPlacer.ini"));
    sim().pickMenuItem("Load Position File");
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ("", nameText());
}

TEST_F(FileDialogTest, AFolderLargerThanOneListingIsListedWhole) {
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Position_%03d.skd", i);  // 17 bytes each: 5100 in all
        names.push_back(name);
        writeFile(pluginFile(name), "");
    }
    startWithSettings("");
    sim().pickMenuItem("Load Position File");
    EXPECT_EQ(300, sim().property(listBox(), 1910));  // the item count
    // Page down, in the scroll bar below its thumb, until the end of the list shows.
    WidgetInfo list = sim().widget(listBox());
    for (int page = 0; page < 18; ++page) sim().click(list.right - 10, list.bottom + 25);
    std::vector<std::string> shown = listed();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(names.back(), shown.back());
}

// --- loading ---

TEST_F(FileDialogTest, PickingCopiesTheNameAndOkLoadsItIntoThePanelThenTheDialogCloses) {
    writePosition("Alpha.skd", "11.5");
    writePosition("Bravo.skd", "22.25");
    startWithSettings("");
    openPanel();
    press(" Load SKD");
    ASSERT_NE(0, dialog());
    EXPECT_EQ("Alpha.skd", nameText());
    pick("Bravo.skd");
    EXPECT_EQ("Bravo.skd", nameText());
    press(" OK");
    EXPECT_EQ("22.250000", fieldText(kLatitude));
    EXPECT_EQ("The data below is from the SKD File", statusText());
    EXPECT_EQ("Bravo.skd", fileNameText());
    EXPECT_TRUE(enabled(" Save SKD"));
    EXPECT_TRUE(enabled(" Position"));
    EXPECT_NE(0, dialog());  // closed by the flight loop, not by its own callback
    nextFlightLoops();
    EXPECT_EQ(0, dialog());
}

TEST_F(FileDialogTest, CancelChangesNothingButClosesTheDialog) {
    writePosition("Alpha.skd", "11.5");
    startWithSettings("");
    openPanel();
    press(" Load SKD");
    pick("Alpha.skd");
    press(" Cancel");
    nextFlightLoops();
    EXPECT_EQ(0, dialog());
    EXPECT_EQ("0.000000", fieldText(kLatitude));
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_FALSE(enabled(" Save SKD"));
}

TEST_F(FileDialogTest, AFailedLoadGreysTheButtonsAndKeepsTheFileName) {
    writePosition("Alpha.skd", "11.5");
    startWithSettings("");
    openPanel();
    press(" Load SKD");
    press(" OK");
    nextFlightLoops();
    ASSERT_EQ("Alpha.skd", fileNameText());
    writeFile(pluginFile("Alpha.skd"), "[NOWHERE]\nLatitude = 3\n");
    press(" Load SKD");
    press(" OK");
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_FALSE(enabled(" Save SKD"));
    EXPECT_FALSE(enabled(" Position"));
    EXPECT_EQ("Alpha.skd", fileNameText());
    nextFlightLoops();
    EXPECT_EQ(0, dialog());
}

TEST_F(FileDialogTest, LoadWithNoFileListedFailsOnTheFolderItself) {
    startWithSettings("");
    openPanel();
    press(" Get Data");
    ASSERT_TRUE(enabled(" Position"));
    press(" Load SKD");
    press(" OK");
    EXPECT_EQ("No SKD File Loaded", statusText());
    EXPECT_FALSE(enabled(" Position"));
}

TEST_F(FileDialogTest, LoadDialogOpenedOverASaveDialogLoads) {
    writePosition("Alpha.skd", "11.5");
    startWithSettings("");
    sim().pickMenuItem("Save Position File");
    sim().pickMenuItem("Load Position File");
    EXPECT_EQ(1, dialogCount());
    EXPECT_EQ("Load Position File", sim().widget(dialog()).descriptor);
    EXPECT_EQ(0, sim().property(nameField(), 7));
    std::set<std::string> before = folderNames();
    press(" OK");
    EXPECT_EQ(before, folderNames());  // nothing saved
    openPanel();
    EXPECT_EQ("11.500000", fieldText(kLatitude));
}

TEST_F(FileDialogTest, LoadByHotKeyBeforeThePanelExistsShowsInThePanelBuiltLater) {
    writePosition("Alpha.skd", "11.5");
    startWithSettings(flighttest::allHotKeysIni());
    ASSERT_EQ(1, sim().tapKey(flighttest::hotKeyOf(1), 0));
    press(" OK");
    nextFlightLoops();
    EXPECT_EQ(0, dialog());
    openPanel();
    EXPECT_EQ("11.500000", fieldText(kLatitude));
    EXPECT_EQ("The data below is from the SKD File", statusText());
    EXPECT_TRUE(enabled(" Save SKD"));
    EXPECT_TRUE(enabled(" Position"));
}

// --- saving ---

TEST_F(FileDialogTest, ATypedNameWithoutAPointGetsTheExtensionAndOneWithAPointKeepsItsOwn) {
    startWithSettings("");
    sim().pickMenuItem("Save Position File");
    ASSERT_TRUE(sim().typeInto(nameField(), "Approach"));
    press(" OK");
    nextFlightLoops();
    EXPECT_TRUE(fileExists(pluginFile("Approach.skd")));
    EXPECT_NE(std::string::npos, pluginText("Approach.skd").find("[POSITION_DATA]"));

    sim().pickMenuItem("Save Position File");
    ASSERT_TRUE(sim().typeInto(nameField(), "Approach.txt"));
    press(" OK");
    nextFlightLoops();
    EXPECT_TRUE(fileExists(pluginFile("Approach.txt")));
    EXPECT_FALSE(fileExists(pluginFile("Approach.txt.skd")));

    sim().pickMenuItem("Save Position File");
    EXPECT_EQ((std::vector<std::string>{"Approach.skd"}), listed());
}

TEST_F(FileDialogTest, AnEmptySaveNameWritesTheBareExtension) {
    startWithSettings("");
    sim().pickMenuItem("Save Position File");
    ASSERT_TRUE(sim().typeInto(nameField(), ""));
    press(" OK");
    EXPECT_TRUE(fileExists(pluginFile(".skd")));
}

TEST_F(FileDialogTest, UnsafeNamesAreRefusedWithAMessageAndNothingWritten) {
    startWithSettings("");
    fs::create_directories(pluginFolder() + "sub");
    // Names that leave the folder, name a drive or a stream, hold characters Windows refuses, name a device,
    // or end in a point or a blank, which Windows would drop from the name.
    const char* const names[] = {
        "../Escape", "..",   "sub/Inner", "sub\\Inner", "/tmp/Absolute", "C:Approach", "Approach.skd:stream",
        "a<b",       "a>b",  "a\"b",      "a|b",        "a?b",           "a*b",        "tab\there",
        "bell\x07",  "CON",  "nul",       "NUL.skd",    "Com1.skd",      "lpt9",       "aux.tar.gz",
        "PRN .skd",  "COM9", "LPT1",      "Home.",      "Home.skd ",     "."};
    for (const char* name : names) {
        std::set<std::string> before = folderNames();
        std::set<std::string> parentBefore = parentNames();
        sim().pickMenuItem("Save Position File");
        ASSERT_TRUE(sim().typeInto(nameField(), name));
        press(" OK");
        EXPECT_NE(0, sim().findShown("Invalid Position File Name.")) << name;
        EXPECT_EQ(before, folderNames()) << name;
        EXPECT_EQ(parentBefore, parentNames()) << name;
        EXPECT_TRUE(fs::is_empty(pluginFolder() + "sub")) << name;
        EXPECT_FALSE(fileExists("/tmp/Absolute.skd"));
        nextFlightLoops();
        EXPECT_EQ(0, dialog()) << name;  // the close still happens
        sim().clickButton(" OK");        // dismiss the message
        nextFlightLoops();
    }
    EXPECT_EQ(0, sim().findShown("Invalid Position File Name."));
}

TEST_F(FileDialogTest, NamesThatOnlyResembleDeviceNamesAreSaved) {
    startWithSettings("");
    for (const char* name : {"CONSOLE", "COM10.skd", "Nullify", "LPT", "con-1", "con 1", "auxiliary.skd"}) {
        sim().pickMenuItem("Save Position File");
        ASSERT_TRUE(sim().typeInto(nameField(), name));
        press(" OK");
        nextFlightLoops();
        EXPECT_EQ(0, sim().findShown("Invalid Position File Name.")) << name;
        std::string file = std::string(name).find('.') == std::string::npos ? std::string(name) + ".skd" : name;
        EXPECT_TRUE(fileExists(pluginFile(file))) << name;
    }
}

TEST_F(FileDialogTest, ANameLongerThanTheDialogTakesIsRefused) {
    startWithSettings("");
    std::set<std::string> before = folderNames();
    sim().pickMenuItem("Save Position File");
    ASSERT_TRUE(sim().typeInto(nameField(), std::string(256, 'n')));
    press(" OK");
    EXPECT_NE(0, sim().findShown("Position File Name Too Long."));
    EXPECT_EQ(before, folderNames());
}

// --- lifetime ---

TEST_F(FileDialogTest, OpeningAndClosingManyTimesLeavesNoWidgetBehind) {
    writePosition("Alpha.skd", "1");
    startWithSettings("");
    int before = sim().widgetCount();
    for (int i = 0; i < 100; ++i) {
        sim().pickMenuItem(i % 2 ? "Load Position File" : "Save Position File");
        if (i % 3 == 0) sim().pickMenuItem("Load Position File");  // replaced while open
        press(" Cancel");
        nextFlightLoops();
    }
    EXPECT_EQ(0, dialog());
    EXPECT_EQ(before, sim().widgetCount());
}

}  // namespace
