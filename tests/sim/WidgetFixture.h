// Shared by the widget tests: a fresh stand-in per test, the toolkit called
// directly as a plug-in would, and recording callbacks that log every message.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "TestSupport.h"
#include "XPWidgetsApi.h"  // the toolkit as the plug-in declares it
#include "skysim/Sim.h"

struct SeenMessage {
    int tag;  // which recorder saw it
    int message;
    skysim::WidgetId widget;
    intptr_t param1;
    intptr_t param2;
    XPMouseState_t mouse;  // copied from param1 for mouse messages, whose state lives only during the call
};

inline std::vector<SeenMessage>& seenMessages() {
    static std::vector<SeenMessage> seen;
    return seen;
}

// The messages each recorder claims to have handled (returns 1 for).
inline std::map<int, std::set<int>>& handledBy() {
    static std::map<int, std::set<int>> handled;
    return handled;
}

template <int Tag>
int recorder(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2) {
    XPMouseState_t mouse{};
    bool mouseMessage = message == xpMsg_MouseDown || message == xpMsg_MouseDrag || message == xpMsg_MouseUp;
    if (mouseMessage && param1 != 0) mouse = *reinterpret_cast<XPMouseState_t*>(param1);
    seenMessages().push_back({Tag, message, reinterpret_cast<skysim::WidgetId>(widget), param1, param2, mouse});
    return handledBy()[Tag].count(message) != 0 ? 1 : 0;
}

inline skysim::WidgetId idOf(XPWidgetID widget) { return reinterpret_cast<skysim::WidgetId>(widget); }

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim().reset(root_.path());
        seenMessages().clear();
        handledBy().clear();
    }

    skysim::Sim& sim() { return skysim::Sim::get(); }

    // Seen messages of one kind, in order.
    std::vector<SeenMessage> seen(int message) const {
        std::vector<SeenMessage> found;
        for (const SeenMessage& each : seenMessages()) {
            if (each.message == message) found.push_back(each);
        }
        return found;
    }

    XPWidgetID window(int left, int top, int right, int bottom, const char* title = "Window") {
        return XPCreateWidget(left, top, right, bottom, 1, title, 1, nullptr, xpWidgetClass_MainWindow);
    }
    XPWidgetID child(XPWidgetID container, int left, int top, int right, int bottom, int widgetClass,
                     const char* text = "") {
        return XPCreateWidget(left, top, right, bottom, 1, text, 0, container, widgetClass);
    }
    XPWidgetID pushButton(XPWidgetID container, int left, int top, int right, int bottom, const char* label) {
        XPWidgetID button = child(container, left, top, right, bottom, xpWidgetClass_Button, label);
        XPSetWidgetProperty(button, xpProperty_ButtonType, 0);
        return button;
    }

    TempFolder root_;
};
