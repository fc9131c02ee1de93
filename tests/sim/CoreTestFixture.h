// A fresh stand-in simulator on an empty temporary root, no module loaded:
// the core is driven through its C functions and its driver directly.
#pragma once

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "XPLMApi.h"
#include "skysim/Sim.h"

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override { sim().reset(root_.path()); }

    skysim::Sim& sim() { return skysim::Sim::get(); }

    TempFolder root_;
};
