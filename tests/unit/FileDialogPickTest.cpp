// Picking a name in the load dialog's list: a listed name longer than the
// dialog takes is reported when OK is pressed, never loaded cut to another
// file's name.
#include <string>

#include "AppFixture.h"
#include "WidgetFinder.h"
#include "XPWidgetsApi.h"

namespace {

constexpr const char* kPosition = "[POSITION_DATA]\nLatitude = 12.5\n";

class FileDialogPickTest : public AppFixture {
protected:
    void TearDown() override {
        if (app_->fileDialogWindow != nullptr) XPDestroyWidget(app_->fileDialogWindow, 1);
        AppFixture::TearDown();
    }
    std::string nameFieldText() const {
        return skysim::Sim::get().widget(reinterpret_cast<skysim::WidgetId>(app_->fileNameField)).descriptor;
    }
};

TEST_F(FileDialogPickTest, ANamePickedLongerThanTheDialogTakesIsReportedNotLoadedCut) {
    // A loadable file whose name is the first 255 characters of the listed one.
    writeFile(path(std::string(255, 'n')), kPosition);

    app_->openLoadDialog();
    app_->addListItem(std::string(300, 'n').c_str());
    ASSERT_TRUE(pickListEntry(std::string(300, 'n')));
    EXPECT_EQ(256u, nameFieldText().size()) << "one character past the longest name tells it is too long";
    ASSERT_TRUE(sim().clickButton(" OK"));
    EXPECT_NE(0, shown("Position File Name Too Long."));
    EXPECT_EQ(0, app_->fileLoaded);
    EXPECT_EQ(0.0, app_->storedRecord.Latitude);
}

TEST_F(FileDialogPickTest, ANameOfTheLongestLengthIsPickedAndLoaded) {
    std::string name(251, 'm');
    name += ".skd";
    writeFile(path(name), kPosition);

    app_->config.LogFile = 1;
    app_->openLoadDialog();
    EXPECT_EQ("", logText()) << "the name fits the list";
    ASSERT_TRUE(pickListEntry(name));
    EXPECT_EQ(name, nameFieldText());
    ASSERT_TRUE(sim().clickButton(" OK"));
    EXPECT_EQ(0, shown("Position File Name Too Long."));
    EXPECT_EQ(1, app_->fileLoaded);
    EXPECT_EQ(12.5, app_->storedRecord.Latitude);
}

// The simulator refuses a folder that ends in a separator; a folder written the
// Windows way ends in a backslash, which the listing drops too.
TEST_F(FileDialogPickTest, AFolderEndingInABackslashIsListedWithoutIt) {
    writeFile(path("Home.skd"), kPosition);
    std::string folder = folder_;
    ASSERT_EQ('/', folder.back());
    folder.back() = '\\';
    copyText(app_->dataFolder, sizeof app_->dataFolder, folder.c_str());
    app_->openLoadDialog();
    EXPECT_EQ("Home.skd", nameFieldText());
}

}  // namespace
