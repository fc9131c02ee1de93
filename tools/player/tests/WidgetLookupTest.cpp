// Pointing at things on a screen: the field beside a label, a column cell,
// buttons without their leading blank, windows in scope, list entries.
#include <gtest/gtest.h>

#include "WidgetLookup.h"

#include "ScreenBuilders.h"
namespace {

using player::Found;
using player::Screen;
using player::ScreenItem;
using player::ScreenWindow;
using player::WidgetLookup;

// Two rows of the control panel's layout: label, field, autopilot label, field.
ScreenWindow panel() {
    ScreenWindow window;
    window.frame = screenItem(skysim::MainWindow, 20, 540, 430, 200, " ControlPanel - SkyPlacer v1.20");
    window.items.push_back(screenItem(skysim::SubWindow, 30, 510, 420, 210, ""));
    window.items.push_back(screenItem(skysim::Caption, 40, 470, 90, 448, "Latitude"));
    window.items.push_back(screenItem(skysim::TextField, 100, 470, 180, 448, "47.449000"));
    window.items.push_back(screenItem(skysim::Caption, 220, 470, 290, 448, "AP Mode"));
    window.items.push_back(screenItem(skysim::TextField, 330, 470, 410, 448, "2"));
    window.items.push_back(screenItem(skysim::Caption, 40, 450, 90, 428, "Longitude"));
    window.items.push_back(screenItem(skysim::TextField, 100, 450, 180, 428, "-122.309000"));
    window.items.push_back(screenItem(skysim::Button, 40, 260, 100, 238, " Get Data"));
    return window;
}

// The data display's header row and one value row.
ScreenWindow display() {
    ScreenWindow window;
    window.frame = screenItem(skysim::MainWindow, 20, 540, 370, 120, " Data - SkyPlacer v1.20");
    window.items.push_back(screenItem(skysim::SubWindow, 30, 510, 360, 130, ""));  // frames every row
    window.items.push_back(screenItem(skysim::Caption, 150, 500, 250, 478, "Stored"));
    window.items.push_back(screenItem(skysim::Caption, 260, 500, 360, 478, "Current"));
    window.items.push_back(screenItem(skysim::Caption, 40, 480, 90, 458, "Latitude"));
    window.items.push_back(screenItem(skysim::Caption, 150, 480, 250, 458, "47.000000"));
    window.items.push_back(screenItem(skysim::Caption, 260, 480, 360, 458, "48.000000"));
    return window;
}

Screen screenOf(std::initializer_list<ScreenWindow> windows) {
    Screen screen;
    screen.windows = windows;
    return screen;
}

TEST(LookupBeside, TheNearestFieldOnTheLabelsRowIsFound) {
    Screen screen = screenOf({panel()});
    Found found;
    std::string error;
    ASSERT_TRUE(WidgetLookup(screen, "").beside("Latitude", found, error)) << error;
    EXPECT_EQ("47.449000", found.item->text);
    ASSERT_TRUE(WidgetLookup(screen, "").beside("Longitude", found, error)) << error;
    EXPECT_EQ("-122.309000", found.item->text) << "not the field of the row above";
    ASSERT_TRUE(WidgetLookup(screen, "").beside("AP Mode", found, error)) << error;
    EXPECT_EQ("2", found.item->text);
}

TEST(LookupBeside, AMissingLabelSaysWhichLabelsAreThere) {
    Screen screen = screenOf({panel()});
    Found found;
    std::string error;
    EXPECT_FALSE(WidgetLookup(screen, "").beside("Lattitude", found, error));
    EXPECT_NE(std::string::npos, error.find("no label \"Lattitude\"")) << error;
    EXPECT_NE(std::string::npos, error.find("\"Longitude\"")) << error;
}

TEST(LookupBeside, HashNumberNamesTheNthTextFieldOfTheOneWindowInScope) {
    Screen screen = screenOf({panel(), display()});
    Found found;
    std::string error;
    EXPECT_FALSE(WidgetLookup(screen, "").beside("#1", found, error)) << "two windows in scope";
    ASSERT_TRUE(WidgetLookup(screen, "ControlPanel").beside("#3", found, error)) << error;
    EXPECT_EQ("-122.309000", found.item->text);
    EXPECT_FALSE(WidgetLookup(screen, "ControlPanel").beside("#4", found, error));
    EXPECT_NE(std::string::npos, error.find("has 3 text fields, not #4")) << error;
}

TEST(LookupScope, ALabelInTwoWindowsNeedsAScope) {
    Screen screen = screenOf({panel(), display()});
    Found found;
    std::string error;
    EXPECT_FALSE(WidgetLookup(screen, "").beside("Latitude", found, error));
    EXPECT_NE(std::string::npos, error.find("more than one window")) << error;
    error.clear();
    ASSERT_TRUE(WidgetLookup(screen, "Data - SkyPlacer").beside("Latitude", found, error)) << error;
    EXPECT_EQ("47.000000", found.item->text);
    ASSERT_TRUE(WidgetLookup(screen, "ControlPanel").beside("Latitude", found, error)) << error;
    EXPECT_EQ("47.449000", found.item->text);
}

TEST(LookupCell, TheCellUnderAColumnHeader) {
    Screen screen = screenOf({display()});
    Found found;
    std::string error;
    ASSERT_TRUE(WidgetLookup(screen, "").cell("Latitude", "Current", found, error)) << error;
    EXPECT_EQ("48.000000", found.item->text);
    ASSERT_TRUE(WidgetLookup(screen, "").cell("Latitude", "Stored", found, error)) << error;
    EXPECT_EQ("47.000000", found.item->text);
    EXPECT_FALSE(WidgetLookup(screen, "").cell("Latitude", "Wanted", found, error));
}

TEST(LookupButton, ALabelIsFoundWithoutItsLeadingBlank) {
    Screen screen = screenOf({panel()});
    Found found;
    std::string error;
    ASSERT_TRUE(WidgetLookup(screen, "").button("Get Data", found, error)) << error;
    EXPECT_EQ(" Get Data", found.item->text);
    EXPECT_FALSE(WidgetLookup(screen, "").button("Position", found, error));
    EXPECT_NE(std::string::npos, error.find("buttons shown: \"Get Data\"")) << error;
    error.clear();
    EXPECT_FALSE(WidgetLookup(screen, "Data - SkyPlacer").button("Get Data", found, error)) << "out of scope";
}

TEST(LookupWindow, ByAnyPartOfItsTitle) {
    Screen screen = screenOf({panel(), display()});
    Found found;
    std::string error;
    ASSERT_TRUE(WidgetLookup(screen, "").window("Data -", found, error)) << error;
    EXPECT_EQ(" Data - SkyPlacer v1.20", found.item->text);
    EXPECT_FALSE(WidgetLookup(screen, "").window("Load Position File", found, error));
    EXPECT_NE(std::string::npos, error.find("\"ControlPanel - SkyPlacer v1.20\"")) << error;
}

TEST(LookupCover, OnlyAWindowInFrontThatHoldsThePointCovers) {
    Screen screen = screenOf({panel(), display()});  // the display lies in front, over the panel's left part
    WidgetLookup lookup(screen, "");
    EXPECT_EQ(&screen.windows[1], lookup.coveringWindow(&screen.windows[0], 70, 249));
    EXPECT_EQ(nullptr, lookup.coveringWindow(&screen.windows[0], 400, 249)) << "right of the display";
    EXPECT_EQ(nullptr, lookup.coveringWindow(&screen.windows[1], 70, 249)) << "nothing is in front of the display";
}

TEST(LookupShown, TextsAndTitlesOnScreen) {
    Screen screen = screenOf({panel()});
    WidgetLookup lookup(screen, "");
    EXPECT_TRUE(lookup.showsText("Get Data"));
    EXPECT_TRUE(lookup.showsText("ControlPanel"));
    EXPECT_FALSE(lookup.showsText("47.4"));
}

TEST(LookupList, AnEntryIsPointedAtInsideItsLine) {
    ScreenWindow dialog;
    dialog.frame = screenItem(skysim::MainWindow, 650, 600, 890, 300, "Load Position File");
    skysim::DrawOp text;
    text.kind = skysim::DrawOp::String;
    text.widget = 5;
    text.x1 = 660;
    text.y1 = 560;  // a line whose top is 570
    text.text = "Home.skd";
    dialog.drawing.push_back(text);
    Screen screen = screenOf({dialog});
    int x = 0, y = 0;
    const ScreenWindow* window = nullptr;
    std::string error;
    ASSERT_TRUE(WidgetLookup(screen, "").listEntry("Home.skd", x, y, window, error)) << error;
    EXPECT_EQ(&screen.windows[0], window);
    EXPECT_GT(x, 660);
    EXPECT_GT(y, 558);
    EXPECT_LT(y, 570);
    EXPECT_FALSE(WidgetLookup(screen, "").listEntry("Away.skd", x, y, window, error));
    EXPECT_NE(std::string::npos, error.find("entries shown: \"Home.skd\"")) << error;
}

TEST(LookupWindow, ATitlePartThatFitsTwoWindowsIsAnError) {
    Screen screen = screenOf({panel(), display()});
    Found found;
    std::string error;
    EXPECT_FALSE(WidgetLookup(screen, "").window("SkyPlacer", found, error));
    EXPECT_NE(std::string::npos, error.find("more than one window")) << error;
    EXPECT_NE(std::string::npos, error.find("\"Data - SkyPlacer v1.20\"")) << error;
}

TEST(LookupList, TheLineIsFoundFromTheListBoxTopAndEntriesAreTrimmed) {
    ScreenWindow dialog;
    dialog.frame = screenItem(skysim::MainWindow, 650, 600, 890, 300, "Load Position File");
    ScreenItem list = screenItem(skysim::CustomClass, 660, 580, 880, 400, "");
    dialog.items.push_back(list);
    for (int line = 0; line < 2; ++line) {
        skysim::DrawOp text;
        text.kind = skysim::DrawOp::String;
        text.widget = list.id;
        text.x1 = 660;
        text.y1 = 580 - 12 * line - 3;  // drawn near the top of its line
        text.text = line == 0 ? "Home.skd" : " Away.skd ";
        dialog.drawing.push_back(text);
    }
    Screen screen = screenOf({dialog});
    int x = 0, y = 0;
    const ScreenWindow* window = nullptr;
    std::string error;
    ASSERT_TRUE(WidgetLookup(screen, "").listEntry("Away.skd", x, y, window, error)) << error;
    EXPECT_EQ(580 - 12 - 6, y) << "the middle of the second line";
    ASSERT_TRUE(WidgetLookup(screen, "").listEntry(" Home.skd", x, y, window, error)) << error;
    EXPECT_EQ(580 - 6, y);
}

}  // namespace
