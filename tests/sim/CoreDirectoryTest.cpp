// The system path, the separator and the directory listing's contract: names
// in an order of their own, packed with terminators and closed by an empty
// name and a null index, skipping, overrun and refused folder paths.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "CoreTestFixture.h"

namespace {

class DirectoryTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        folder_ = root_.path() + "/listing";
        std::filesystem::create_directories(folder_ + "/Sub");
        for (const char* name : {"b.skd", "a.skd", "QuickFile.skd", "c.txt"}) writeFile(folder_ + "/" + name, "x");
    }

    // Lists with the given buffer sizes; returns the names the indices point to.
    std::vector<std::string> list(int firstReturn, int namesSize, int indexCount, int* result) {
        names_.assign(namesSize > 0 ? namesSize : 1, '#');
        indices_.assign(indexCount > 0 ? indexCount : 1, nullptr);
        total_ = returned_ = -1;
        *result = XPLMGetDirectoryContents(folder_.c_str(), firstReturn, names_.data(), namesSize, indices_.data(),
                                           indexCount, &total_, &returned_);
        std::vector<std::string> seen;
        for (int i = 0; i < returned_; ++i) seen.emplace_back(indices_[i]);
        return seen;
    }

    std::string folder_;
    std::vector<char> names_;
    std::vector<char*> indices_;
    int total_ = -1, returned_ = -1;
};

}  // namespace

TEST_F(CoreTest, SystemPathIsTheRootWithItsSeparator) {
    char path[512];
    XPLMGetSystemPath(path);
    EXPECT_EQ(root_.path() + "/", std::string(path));
    EXPECT_EQ(sim().rootPath(), std::string(path));
    EXPECT_EQ(root_.path() + "/Resources/plugins/SkyPlacer/", sim().pluginFolder());
    EXPECT_STREQ("/", XPLMGetDirectorySeparator());
}

// The simulator has native paths, off until a plug-in enables them; on Linux both forms are UTF-8 with "/".
TEST_F(CoreTest, NativePathsAreAFeatureOffUntilEnabledAndHiddenByTheDriver) {
    const char* native = "XPLM_USE_NATIVE_PATHS";
    EXPECT_EQ(1, XPLMHasFeature(native));
    EXPECT_EQ(0, XPLMHasFeature("XPLM_NO_SUCH_FEATURE"));
    EXPECT_EQ(0, XPLMIsFeatureEnabled(native));
    XPLMEnableFeature(native, 1);
    EXPECT_EQ(1, XPLMIsFeatureEnabled(native));
    EXPECT_TRUE(sim().nativePaths());
    EXPECT_EQ(sim().rootPath(), sim().systemPath());
    EXPECT_STREQ("/", XPLMGetDirectorySeparator());
    XPLMEnableFeature("XPLM_NO_SUCH_FEATURE", 1);
    EXPECT_EQ(0, XPLMIsFeatureEnabled("XPLM_NO_SUCH_FEATURE"));
    EXPECT_NE(std::string::npos, sim().simLog().find("XPLMEnableFeature: the simulator has no feature"));

    sim().reset(root_.path());
    EXPECT_EQ(0, XPLMIsFeatureEnabled(native));
    sim().hideFeatureFromPlugin(native);
    EXPECT_EQ(0, XPLMHasFeature(native));
    XPLMEnableFeature(native, 1);
    EXPECT_FALSE(sim().nativePaths());
}

TEST_F(CoreTest, ASystemPathTooLongForItsBufferIsCutAndLogged) {
    sim().reset(root_.path() + "/" + std::string(200, 'd') + "/" + std::string(200, 'e') + "/" + std::string(200, 'f'));
    char path[513];
    path[512] = 'Z';
    XPLMGetSystemPath(path);
    EXPECT_EQ(511u, std::string(path).size());
    EXPECT_EQ('Z', path[512]);
    EXPECT_NE(std::string::npos, sim().simLog().find("XPLMGetSystemPath"));
}

TEST_F(DirectoryTest, ListsEveryEntryOnceInAnOrderOfItsOwnThenAnEmptyNameAndANullIndex) {
    int result = -1;
    std::vector<std::string> seen = list(0, 4096, 4096, &result);
    EXPECT_EQ(1, result);
    EXPECT_EQ(5, total_);
    EXPECT_EQ(5, returned_);
    std::vector<std::string> sorted = seen;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((std::vector<std::string>{"QuickFile.skd", "Sub", "a.skd", "b.skd", "c.txt"}), sorted);
    EXPECT_NE(sorted, seen) << "the simulator promises no order";
    EXPECT_EQ(seen, list(0, 4096, 4096, &result)) << "but keeps its own while the folder stays";
    EXPECT_EQ(names_.data(), indices_[0]);
    EXPECT_EQ(indices_[0] + seen[0].size() + 1, indices_[1]);  // packed one after another
    EXPECT_EQ(nullptr, indices_[5]);
    EXPECT_EQ('\0', names_[36]) << "an empty name after the last";
    EXPECT_EQ('#', names_[37]);
}

TEST_F(DirectoryTest, ReseedingShufflesAnewAndResetRestoresTheOrder) {
    int result = -1;
    const std::vector<std::string> first = list(0, 4096, 4096, &result);
    std::set<std::vector<std::string>> orders;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        sim().reseedDirectoryOrder(seed);
        orders.insert(list(0, 4096, 4096, &result));
    }
    EXPECT_GT(orders.size(), 2u);
    sim().reset(root_.path());
    EXPECT_EQ(first, list(0, 4096, 4096, &result));
}

TEST_F(DirectoryTest, FirstReturnSkipsThatManyNames) {
    int result = -1;
    const std::vector<std::string> all = list(0, 4096, 4096, &result);
    EXPECT_EQ(std::vector<std::string>(all.begin() + 3, all.end()), list(3, 4096, 4096, &result));
    EXPECT_EQ(1, result);
    EXPECT_EQ(5, total_);
    EXPECT_EQ(2, returned_);
    EXPECT_TRUE(list(9, 4096, 4096, &result).empty());
    EXPECT_EQ(1, result);
    EXPECT_EQ(5, total_);
    EXPECT_EQ(nullptr, indices_[0]);
}

// The five names take 36 bytes with their terminators; the empty name after them one more.
TEST_F(DirectoryTest, NameBufferOverrunStopsWhereANameAndTheEmptyNameDoNotFit) {
    int result = -1;
    const std::vector<std::string> all = list(0, 4096, 4096, &result);
    EXPECT_EQ(all, list(0, 37, 4096, &result));
    EXPECT_EQ(1, result);
    std::vector<std::string> seen = list(0, 36, 4096, &result);
    EXPECT_EQ(0, result);
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 4), seen);
    EXPECT_EQ(5, total_);
    size_t used = 36 - all[4].size() - 1;
    EXPECT_EQ('\0', names_[used]);
    EXPECT_EQ('#', names_[used + 1]) << "nothing written past the empty name";
    EXPECT_EQ(nullptr, indices_[4]);
}

TEST_F(DirectoryTest, IndexOverrunLeavesRoomForTheNullIndex) {
    int result = -1;
    const std::vector<std::string> all = list(0, 4096, 4096, &result);
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 2), list(0, 4096, 3, &result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(5, total_);
    EXPECT_EQ(2, returned_);
    EXPECT_EQ(nullptr, indices_[2]);
    EXPECT_EQ(all, list(0, 4096, 6, &result));
    EXPECT_EQ(1, result);
}

TEST_F(DirectoryTest, AFolderEndingInASeparatorIsRefused) {
    std::string withSeparator = folder_ + "/";
    char names[256];
    char* indices[16];
    int total = -1, returned = -1;
    EXPECT_EQ(0, XPLMGetDirectoryContents(withSeparator.c_str(), 0, names, 256, indices, 16, &total, &returned));
    EXPECT_EQ(0, total);
    EXPECT_EQ(0, returned);
}

TEST_F(DirectoryTest, AMissingFolderListsNothing) {
    char names[256];
    char* indices[16];
    int total = -1, returned = -1;
    std::string missing = root_.path() + "/none";
    EXPECT_EQ(0, XPLMGetDirectoryContents(missing.c_str(), 0, names, 256, indices, 16, &total, &returned));
    EXPECT_EQ(0, total);
    EXPECT_EQ(0, returned);
    EXPECT_EQ(0, XPLMGetDirectoryContents(nullptr, 0, names, 256, indices, 16, &total, &returned));
}

TEST_F(DirectoryTest, CountPointersMayBeNull) {
    char names[4096];
    char* indices[16];
    EXPECT_EQ(1, XPLMGetDirectoryContents(folder_.c_str(), 0, names, 4096, indices, 16, nullptr, nullptr));
    EXPECT_EQ(nullptr, indices[5]);
}
