// Text files across the two modules: each writes its position files and its
// log with its platform's line end (CR LF from win.xpl, LF from lin.xpl; every
// read of them through pluginText checks it), and reads what the other wrote.
#include "ControlPanelDriver.h"

namespace {

constexpr int kF6 = 117;

// `text` with each "\n" written as `lineEnd`.
std::string withLineEnds(const std::string& text, const std::string& lineEnd) {
    std::string out;
    for (char c : text) out += c == '\n' ? lineEnd : std::string(1, c);
    return out;
}

class TextFileLineEnds : public PanelTest {};

TEST_F(TextFileLineEnds, EachModuleReadsTheFilesTheOtherWrites) {
    const std::string otherLineEnd = std::string(kModuleLineEnd) == "\n" ? "\r\n" : "\n";
    startWithSettings(withLineEnds("[QUICK_LOAD]\nHotKey = F6\n", otherLineEnd));
    ASSERT_EQ(1u, sim().hotKeys().size());
    setAircraft();
    ASSERT_TRUE(sim().pickMenuItem("Quick Save File"));
    const std::string saved = pluginText("QuickFile.skd");
    ASSERT_NE(std::string::npos, saved.find("\nLatitude = 47.123457\n"));
    writeFile(pluginFile("QuickFile.skd"), withLineEnds(saved, otherLineEnd));

    openPanel();
    sim().setDouble("sim/flightmodel/position/latitude", 10.0);
    press(" Get Data");
    ASSERT_EQ("10.000000", fieldText(kLatitude));
    ASSERT_EQ(1, sim().tapKey(kF6, 0));
    EXPECT_EQ("47.123457", fieldText(kLatitude));
    EXPECT_EQ("The data below is from the QuickFile", statusText());
    EXPECT_NE(std::string::npos, logText().find("SkyPlacer - skd file parsing successful\n"));
}

}  // namespace
