// The log's message buffer: a message longer than it takes is cut with a
// notice the reader can see, and never written past the buffer.
#include <filesystem>

#include "AppFixture.h"
#include "FileSizeLimit.h"
#include "TestSupport.h"
#include "log/PluginLog.h"
#include "text/BoundedText.h"

namespace {

class PluginLogTest : public AppFixture {};

TEST_F(PluginLogTest, MessagesAreAppendedUnchanged) {
    logAlways("first");
    logAlways(" line\nsecond\n");
    EXPECT_EQ("first line\nsecond\n", logText());
}

TEST_F(PluginLogTest, OverlongMessageIsCutWithANotice) {
    std::string message(5000, 'x');
    logAlways(message.c_str());
    std::string log = logText();
    EXPECT_LT(log.size(), 4096u);
    EXPECT_EQ(std::string(3000, 'x'), log.substr(0, 3000));
    EXPECT_NE(std::string::npos, log.find("was cut"));
}

TEST_F(PluginLogTest, PrefixedLinesBeginWithThePluginsNameAndAreCutLikeMessages) {
    EXPECT_STREQ("SkyPlacer - 12 keys\n", prefixed("%d keys\n", 12).text);
    std::string line = prefixed("%s", std::string(5000, 'z').c_str()).text;
    EXPECT_EQ(4095u, line.size());
    EXPECT_EQ("SkyPlacer - zzz", line.substr(0, 15));
    EXPECT_NE(std::string::npos, line.find("was cut]\n"));
}

TEST_F(PluginLogTest, MessageThatJustFitsIsNotCut) {
    std::string message(4095, 'y');
    logAlways(message.c_str());
    EXPECT_EQ(message, logText());
}

// A full disk is simulated by a file size limit: the message cannot be
// written, and the simulator's log says so instead of the loss going unseen.
TEST_F(PluginLogTest, AMessageThatCannotBeWrittenIsReportedToTheSimulatorLog) {
    logAlways("first\n");
    {
        FileSizeLimit full(logText().size());
        logAlways("second\n");
    }
    EXPECT_EQ("first\n", logText());
    EXPECT_NE(std::string::npos, skysim::Sim::get().simLog().find("Unable to write to SkyPlacerLog.txt"));
}

TEST_F(PluginLogTest, AWrittenMessageLeavesTheSimulatorLogAlone) {
    logAlways("fits\n");
    EXPECT_EQ(std::string::npos, skysim::Sim::get().simLog().find("SkyPlacerLog.txt"));
}

TEST(BoundedTextTest, CopyAppendAndFormatStopAtTheBuffer) {
    char buffer[8];
    EXPECT_TRUE(copyText(buffer, sizeof buffer, "1234567"));
    EXPECT_STREQ("1234567", buffer);
    EXPECT_FALSE(copyText(buffer, sizeof buffer, "123456789"));
    EXPECT_STREQ("1234567", buffer);
    EXPECT_TRUE(copyText(buffer, sizeof buffer, "ab"));
    EXPECT_TRUE(appendText(buffer, sizeof buffer, "cde"));
    EXPECT_FALSE(appendText(buffer, sizeof buffer, "fghij"));
    EXPECT_STREQ("abcdefg", buffer);
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(appendText(unterminated, sizeof unterminated, ""));
    EXPECT_FALSE(formatText(buffer, sizeof buffer, "%f", 1e10));
    EXPECT_EQ(7u, std::string(buffer).size());
    EXPECT_TRUE(formatText(buffer, sizeof buffer, "%02d", 7));
    EXPECT_STREQ("07", buffer);
    EXPECT_TRUE(formatText(buffer, sizeof buffer, "%s", ""));
}

}  // namespace
