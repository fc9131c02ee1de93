// Picture files: the SVG always, and a PNG beside it only where rsvg-convert is found.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Pictures.h"
#include "ScreenBuilders.h"
#include "TestSupport.h"

namespace {

player::Screen oneWindow() {
    player::ScreenWindow window;
    window.frame = screenItem(skysim::MainWindow, 300, 550, 550, 450, "SkyPlacer Plugin Warning");
    player::Screen screen;
    screen.windows.push_back(window);
    return screen;
}

// Sets PATH for the life of the object.
class PathFor {
public:
    explicit PathFor(const char* path) : saved_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", path, 1);
    }
    ~PathFor() { setenv("PATH", saved_.c_str(), 1); }

private:
    std::string saved_;
};

TEST(Pictures, WithoutRsvgConvertOnlyTheSvgIsWritten) {
    TempFolder folder;
    std::vector<std::string> written;
    std::string warning, error;
    {
        PathFor empty(folder.path().c_str());
        ASSERT_TRUE(player::writePicture(oneWindow(), folder.path() + "/deep/er", "warning", written, warning, error))
            << error;
    }
    ASSERT_EQ(1u, written.size());
    EXPECT_EQ(folder.path() + "/deep/er/warning.svg", written[0]);
    EXPECT_NE(std::string::npos, readFile(written[0]).find("SkyPlacer Plugin Warning"));
    EXPECT_FALSE(fileExists(folder.path() + "/deep/er/warning.png"));
}

TEST(Pictures, WithRsvgConvertAPngStandsBesideTheSvg) {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "rsvg-convert is not installed";
    TempFolder folder;
    std::vector<std::string> written;
    std::string warning, error;
    ASSERT_TRUE(player::writePicture(oneWindow(), folder.path(), "warning", written, warning, error)) << error;
    ASSERT_EQ(2u, written.size());
    EXPECT_EQ(folder.path() + "/warning.png", written[1]);
    EXPECT_EQ(std::string("\x89PNG"), readFile(written[1]).substr(0, 4));
}

TEST(Pictures, AnOldPngNeverOutlivesItsSvg) {
    TempFolder folder;
    writeFile(folder.path() + "/warning.png", "old picture");
    std::vector<std::string> written;
    std::string warning, error;
    {
        PathFor empty(folder.path().c_str());
        ASSERT_TRUE(player::writePicture(oneWindow(), folder.path(), "warning", written, warning, error)) << error;
    }
    EXPECT_FALSE(fileExists(folder.path() + "/warning.png")) << "the old PNG would show an older screen";
    EXPECT_TRUE(warning.empty()) << "without rsvg-convert there is nothing to warn of: " << warning;
}

TEST(Pictures, AFailedConversionIsToldAndLeavesNoPng) {
    TempFolder folder;
    std::string tools = folder.path() + "/bin";
    std::filesystem::create_directories(tools);
    writeFile(tools + "/rsvg-convert", "#!/bin/sh\necho broken >\"$2\"\nexit 1\n");
    ASSERT_EQ(0, std::system(("chmod +x '" + tools + "/rsvg-convert'").c_str()));
    writeFile(folder.path() + "/warning.png", "old picture");
    std::vector<std::string> written;
    std::string warning, error;
    {
        std::string path = tools + ":/bin:/usr/bin";
        PathFor fake(path.c_str());
        ASSERT_TRUE(player::writePicture(oneWindow(), folder.path(), "warning", written, warning, error)) << error;
    }
    EXPECT_EQ(1u, written.size()) << "only the SVG";
    EXPECT_FALSE(fileExists(folder.path() + "/warning.png"));
    EXPECT_NE(std::string::npos, warning.find("rsvg-convert could not make")) << warning;
}

TEST(Pictures, AFolderThatCannotBeMadeIsAnError) {
    TempFolder folder;
    writeFile(folder.path() + "/file", "x");
    std::vector<std::string> written;
    std::string warning, error;
    EXPECT_FALSE(player::writePicture(oneWindow(), folder.path() + "/file/sub", "warning", written, warning, error));
    EXPECT_NE(std::string::npos, error.find("cannot write the picture")) << error;
    EXPECT_TRUE(written.empty());
}

}  // namespace
