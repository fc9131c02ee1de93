// The file dialog in deep folders. When the plug-in's folder is unknown
// because its path does not fit, saving and loading show a message and touch
// no file, neither in a folder of the simulator nor in the process's current
// folder. A name that makes the path longer than the system opens is refused.
#include <algorithm>
#include <filesystem>

#include "FlightTestSupport.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using skysim::WidgetId;
using skysim::WidgetInfo;

constexpr const char* kFolderUnknown = "Unable to Find the SkyPlacer Folder.";

WidgetId dialogField() {
    std::vector<WidgetInfo> fields = childrenOf(fileDialog(), skysim::TextField);
    return fields.empty() ? 0 : fields.front().id;
}

class LongPathFileDialogTest : public ::testing::Test {
protected:
    skysim::Sim& sim() { return skysim::Sim::get(); }

    // Eight folders of 60 characters put the plug-in's folder past 512 characters. The process
    // works in a folder of its own, so a file written by a bare name would land there.
    void SetUp() override {
        fs::path root = deep_.path();
        for (char c = 'a'; c < 'a' + 8; ++c) root /= std::string(60, c);
        sim().reset(root.string());
        fs::create_directories(anyLengthPath(sim().pluginFolder()));
        ASSERT_GT(sim().pluginFolder().size(), 512u);
        std::string error;
        ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
        ASSERT_EQ(1, sim().start());
        sim().advance(1.5);
        previousFolder_ = fs::current_path();
        fs::current_path(working_.path());
        writeFile(working_.path() + "/Home.skd", "[POSITION_DATA]\nLatitude = 12\n");
    }
    void TearDown() override {
        fs::current_path(previousFolder_);
        if (sim().started()) sim().stop();
    }

    // Every file below the simulator's root and in the current folder.
    std::vector<std::string> allFiles() const {
        std::vector<std::string> files;
        for (const std::string& top : {deep_.path(), working_.path()}) {
            for (const auto& entry : fs::recursive_directory_iterator(anyLengthPath(top))) {
                if (entry.is_regular_file()) files.push_back(entry.path().string());
            }
        }
        return files;
    }

    TempFolder deep_;
    TempFolder working_;
    fs::path previousFolder_;
};

TEST_F(LongPathFileDialogTest, SaveWritesNothingAnywhereAndSaysTheFolderIsUnknown) {
    std::vector<std::string> before = allFiles();
    ASSERT_TRUE(sim().pickMenuItem("Save Position File"));
    ASSERT_NE(0, fileDialog());
    ASSERT_TRUE(sim().typeInto(dialogField(), "Approach"));
    ASSERT_TRUE(sim().clickButton(" OK"));
    sim().advance(0.2);
    EXPECT_EQ(before, allFiles());
    EXPECT_FALSE(fileExists(working_.path() + "/Approach.skd"));
    EXPECT_NE(0, sim().findShown(kFolderUnknown));
    EXPECT_EQ(0, fileDialog());
}

TEST_F(LongPathFileDialogTest, LoadListsNothingLoadsNothingAndSaysTheFolderIsUnknown) {
    ASSERT_TRUE(sim().pickMenuItem("Control Panel"));
    ASSERT_TRUE(sim().clickButton(" Load SKD"));
    EXPECT_EQ("", sim().widget(dialogField()).descriptor) << "no name from any folder";
    ASSERT_TRUE(sim().clickButton(" OK"));
    sim().advance(0.2);
    EXPECT_NE(0, sim().findShown(kFolderUnknown));
    EXPECT_NE(0, sim().findShown("No SKD File Loaded"));
    EXPECT_EQ(0, sim().findShown("The data below is from the SKD File"));
}

// The deepest folder the plug-in takes: a name that fills the path up to the
// system's limit is saved, one character more is refused with a message.
class PathLimitFileDialogTest : public SimTest {
protected:
    void SetUp() override {
        sim().reset(rootWithPluginFolderOf(root_.path(), kModuleMaxPath - kLongestOwnFileName));
        fs::create_directories(pluginFolder());
        std::string error;
        ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
        startPlugin();
        runStartup();
    }
    void saveAs(const std::string& name) {
        ASSERT_TRUE(sim().pickMenuItem("Save Position File"));
        ASSERT_TRUE(sim().typeInto(dialogField(), name));
        ASSERT_TRUE(sim().clickButton(" OK"));
        sim().advance(0.2);
    }
};

TEST_F(PathLimitFileDialogTest, NameBeyondTheSystemsPathLimitIsRefusedWithAMessage) {
    const size_t room = kModuleMaxPath - pluginFolder().size();
    const std::string fits = std::string(room - 4, 'f') + ".skd";
    const std::string tooLong = std::string(room - 3, 't') + ".skd";
    saveAs(tooLong);
    EXPECT_NE(0, sim().findShown("Position File Path Too Long."));
    EXPECT_FALSE(fileExists(anyLengthPath(pluginFile(tooLong))));
    EXPECT_EQ(0u, std::count_if(fs::directory_iterator(pluginFolder()), fs::directory_iterator(),
                                [](const fs::directory_entry& entry) { return entry.path().extension() == ".skd"; }));
    ASSERT_TRUE(sim().clickButton(" OK"));
    sim().advance(0.2);

    saveAs(fits);
    EXPECT_EQ(0, sim().findShown("Position File Path Too Long."));
    EXPECT_TRUE(fileExists(pluginFile(fits)));
}

}  // namespace
