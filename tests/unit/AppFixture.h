// A zero-filled PluginApp whose data folder is the stand-in simulator's
// plug-in folder, so that the files' readers and writers and their log lines
// work on a fresh folder and a fresh log file.
#pragma once

#include <filesystem>
#include <string>

#include "OwnPluginAppFixture.h"
#include "text/BoundedText.h"

class AppFixture : public OwnPluginAppTest {
protected:
    void SetUp() override {
        OwnPluginAppTest::SetUp();
        folder_ = sim().pluginFolder();
        std::filesystem::create_directories(folder_);
        copyText(app_->dataFolder, sizeof app_->dataFolder, folder_.c_str());
        copyText(app_->logPath, sizeof app_->logPath, path("SkyPlacerLog.txt").c_str());
    }

    std::string path(const std::string& name) const { return folder_ + name; }
    std::string logText() const { return readFile(path("SkyPlacerLog.txt")); }
    void clearLog() const { std::filesystem::remove(path("SkyPlacerLog.txt")); }
    // A shown widget of that text and class, 0 when none.
    skysim::WidgetId shown(const std::string& text, int widgetClass = 0) const {
        return skysim::Sim::get().findShown(text, widgetClass);
    }

    std::string folder_;
};
