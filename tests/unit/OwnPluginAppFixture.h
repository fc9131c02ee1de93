// A fixture for tests that drive member operations directly: a fresh stand-in
// on a temporary root and a zero-filled application object of the test's own,
// installed as thePluginApp, with no placement pending.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "TestSupport.h"
#include "plugin/PluginApp.h"

class OwnPluginAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim().reset(root_.path());
        app_.reset(new PluginApp());
        std::memset(app_.get(), 0, sizeof(PluginApp));
        app_->placementDone = 1;
        thePluginApp = app_.get();
    }
    void TearDown() override { thePluginApp = nullptr; }

    skysim::Sim& sim() { return skysim::Sim::get(); }
    XPLMDataRef ref(const char* name) { return XPLMFindDataRef(name); }

    TempFolder root_;
    std::unique_ptr<PluginApp> app_;
};
