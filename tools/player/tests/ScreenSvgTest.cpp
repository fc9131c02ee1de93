// The SVG picture: where texts land (y turned downwards), greyed buttons,
// close boxes, and the list box replayed from its recorded drawing.
#include <gtest/gtest.h>

#include <regex>
#include <tuple>

#include "ScreenSvg.h"
#include "SvgText.h"

#include "ScreenBuilders.h"
namespace {

using player::Screen;
using player::ScreenItem;
using player::ScreenWindow;

Screen panelScreen(bool closeBoxes) {
    ScreenWindow window;
    window.frame = screenItem(skysim::MainWindow, 20, 540, 430, 200, " ControlPanel - SkyPlacer");
    window.frame.closeBoxes = closeBoxes;
    window.items.push_back(screenItem(skysim::Caption, 40, 470, 90, 448, "Latitude"));
    window.items.push_back(screenItem(skysim::TextField, 100, 470, 180, 448, "47.449000"));
    window.items.push_back(screenItem(skysim::Button, 40, 260, 100, 238, " Get Data"));
    window.items.push_back(screenItem(skysim::Button, 180, 240, 240, 218, " Position", false));
    Screen screen;
    screen.windows.push_back(window);
    return screen;
}

const SvgText* findText(const std::vector<SvgText>& texts, const std::string& text) {
    for (const SvgText& each : texts) {
        if (each.text == text) return &each;
    }
    return nullptr;
}

int count(const std::string& svg, const std::string& pattern) {
    std::regex re(pattern);
    return static_cast<int>(std::distance(std::sregex_iterator(svg.begin(), svg.end(), re), std::sregex_iterator()));
}

skysim::DrawOp op(skysim::DrawOp::Kind kind, skysim::WidgetId widget, int x1 = 0, int y1 = 0, int x2 = 0, int y2 = 0) {
    skysim::DrawOp out;
    out.kind = kind;
    out.widget = widget;
    std::tie(out.x1, out.y1, out.x2, out.y2) = std::tie(x1, y1, x2, y2);
    return out;
}

// A list box at (660, 570, 880, 370): 20 items, scrolled to the top, item 0 selected.
Screen listScreen(int scrollValue) {
    const skysim::WidgetId list = 77;
    ScreenWindow window;
    window.frame = screenItem(skysim::MainWindow, 650, 600, 890, 300, "Load Position File");
    ScreenItem box = screenItem(skysim::CustomClass, 660, 570, 880, 370, "");
    box.id = list;
    window.items.push_back(box);
    window.drawing.push_back(op(skysim::DrawOp::Window, list, 660, 370, 860, 570));
    skysim::DrawOp track = op(skysim::DrawOp::Track, list, 860, 370, 880, 570);
    track.min = 0;
    track.max = 20;
    track.value = scrollValue;
    window.drawing.push_back(track);
    skysim::DrawOp colour = op(skysim::DrawOp::Color, list);
    const float hilite[4] = {0.25f, 0.3f, 0.35f, 0.25f};
    std::copy(hilite, hilite + 4, colour.rgba);
    window.drawing.push_back(colour);
    skysim::DrawOp begin = op(skysim::DrawOp::Begin, list);
    begin.style = 7;
    window.drawing.push_back(begin);
    window.drawing.push_back(op(skysim::DrawOp::Vertex, list, 660, 570));
    window.drawing.push_back(op(skysim::DrawOp::Vertex, list, 860, 570));
    window.drawing.push_back(op(skysim::DrawOp::Vertex, list, 860, 558));
    window.drawing.push_back(op(skysim::DrawOp::Vertex, list, 660, 558));
    window.drawing.push_back(op(skysim::DrawOp::End, list));
    skysim::DrawOp text = op(skysim::DrawOp::String, list, 660, 560);
    text.text = "Home.skd";
    window.drawing.push_back(text);
    skysim::DrawOp foreign = op(skysim::DrawOp::String, 99, 100, 100);
    foreign.text = "not this list's";
    window.drawing.push_back(foreign);
    Screen screen;
    screen.windows.push_back(window);
    return screen;
}

TEST(ScreenSvgTexts, EveryWidgetTextLiesInsideItsRectangleWithYTurnedDown) {
    Screen screen = panelScreen(true);
    int height = player::screenHeight(screen);
    std::vector<SvgText> texts = svgTexts(player::renderSvg(screen));
    for (const ScreenItem& each : screen.windows[0].items) {
        const SvgText* text = findText(texts, each.text);
        ASSERT_NE(nullptr, text) << each.text;
        EXPECT_GE(text->x, each.left) << each.text;
        EXPECT_LE(text->x, each.right) << each.text;
        EXPECT_GE(height - text->y, each.bottom) << each.text;
        EXPECT_LE(height - text->y, each.top) << each.text;
    }
    const SvgText* title = findText(texts, " ControlPanel - SkyPlacer");
    ASSERT_NE(nullptr, title);
    EXPECT_LT(540 - (height - title->y), 20) << "the title sits in the top bar";
}

TEST(ScreenSvgTexts, TextsAreEscaped) {
    Screen screen = panelScreen(false);
    screen.windows[0].items[0].text = "a<b & \"c\"";
    std::string svg = player::renderSvg(screen);
    EXPECT_NE(std::string::npos, svg.find("a&lt;b &amp; &quot;c&quot;"));
    EXPECT_NE(nullptr, findText(svgTexts(svg), "a<b & \"c\""));
}

TEST(ScreenSvgTexts, BytesPastAsciiAndControlCharactersKeepTheFileValid) {
    Screen screen = panelScreen(false);
    screen.windows[0].items[0].text = std::string("Z\xFCrich\x01\x7F end");
    std::string svg = player::renderSvg(screen);
    EXPECT_NE(std::string::npos, svg.find("Z&#xFC;rich&#xFFFD;&#xFFFD; end")) << "Latin-1 u-umlaut as a reference";
    for (char c : svg) {
        unsigned char byte = static_cast<unsigned char>(c);
        EXPECT_TRUE(byte < 0x80 && (byte >= 0x20 || c == '\n')) << "raw byte " << int(byte) << " in the SVG";
    }
}

TEST(ScreenSvgLook, AGreyedButtonIsDrawnGreyedAndOnlyIt) {
    std::string svg = player::renderSvg(panelScreen(true));
    EXPECT_EQ(1, count(svg, "class=\"button disabled\""));
    EXPECT_EQ(1, count(svg, "class=\"button\""));
    std::vector<SvgText> texts = svgTexts(svg);
    EXPECT_EQ("label disabled", findText(texts, " Position")->cls);
    EXPECT_EQ("label", findText(texts, " Get Data")->cls);
}

TEST(ScreenSvgLook, CloseBoxesOnlyWhereTheWindowHasThem) {
    EXPECT_EQ(1, count(player::renderSvg(panelScreen(true)), "class=\"closebox\""));
    EXPECT_EQ(0, count(player::renderSvg(panelScreen(false)), "class=\"closebox\""));
}

TEST(ScreenSvgLook, TheScreenGrowsToHoldEveryWindow) {
    Screen screen = panelScreen(false);
    EXPECT_EQ(1024, player::screenWidth(screen));
    EXPECT_EQ(768, player::screenHeight(screen));
    screen.windows[0].frame.right = 1500;
    screen.windows[0].frame.top = 900;
    EXPECT_EQ(1520, player::screenWidth(screen));
    EXPECT_EQ(920, player::screenHeight(screen));
}

TEST(ScreenSvgList, TheListBoxIsReplayedFromItsDrawing) {
    Screen screen = listScreen(20);
    int height = player::screenHeight(screen);
    std::string svg = player::renderSvg(screen);
    EXPECT_EQ(1, count(svg, "class=\"listview\""));
    EXPECT_EQ(1, count(svg, "class=\"track\""));
    // The selection bar: one quad in the highlight colour, a quarter opaque.
    std::smatch bar;
    ASSERT_TRUE(std::regex_search(
        svg, bar,
        std::regex(
            "<polygon class=\"selection\" points=\"([^\"]*)\" fill=\"rgb\\(64,77,89\\)\" fill-opacity=\"0.25\"")));
    EXPECT_EQ("660," + std::to_string(height - 570) + " 860," + std::to_string(height - 570) + " 860," +
                  std::to_string(height - 558) + " 660," + std::to_string(height - 558),
              bar[1].str());
    std::vector<SvgText> texts = svgTexts(svg);
    const SvgText* entry = findText(texts, "Home.skd");
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(660, entry->x);
    EXPECT_EQ(height - 560, entry->y);
    EXPECT_EQ(nullptr, findText(texts, "not this list's")) << "another widget's drawing";
}

int thumbTop(const Screen& screen) {
    std::string svg = player::renderSvg(screen);
    std::smatch thumb;
    EXPECT_TRUE(std::regex_search(svg, thumb, std::regex("class=\"thumb\" x=\"\\d+\" y=\"(\\d+)\"")));
    return player::screenHeight(screen) - std::stoi(thumb[1].str());
}

TEST(ScreenSvgList, TheThumbStandsAtTheTopWhenTheListShowsItsFirstItem) {
    EXPECT_EQ(570, thumbTop(listScreen(20)));
    EXPECT_EQ(370 + 16, thumbTop(listScreen(0)));
    int middle = thumbTop(listScreen(10));
    EXPECT_GT(middle, 370 + 16);
    EXPECT_LT(middle, 570);
}

}  // namespace
