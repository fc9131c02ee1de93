// The rules of the file's form that the position file and the settings file
// share, one table run against both readers: line ends, long lines and long
// comments, too many entries, a key before the first header.
#include <functional>

#include "AppFixture.h"

namespace {

// A reader as a pilot's file meets it: one section and one whole-number key of it.
struct Reader {
    const char* file;
    const char* section;
    const char* key;
    const char* parsing;
    const char* success;
    bool (PluginApp::*read)(const char*);
    std::function<int(const PluginApp&)> value;
};

const Reader kReaders[] = {
    {"test.skd", "POSITION_DATA", "Gear", "SkyPlacer - parsing skd file\n", "SkyPlacer - skd file parsing successful\n",
     &PluginApp::readPositionFile, [](const PluginApp& app) { return app.storedRecord.Gear; }},
    {"SkyPlacer.ini", "CONFIG", "AutoStart", "SkyPlacer - parsing INI file\n",
     "SkyPlacer - INI file parsing successful\n", &PluginApp::readSettings,
     [](const PluginApp& app) { return app.config.AutoStart; }},
};

// One rule: the file's text for a section and a key, and what reading it gives.
struct FormCase {
    const char* rule;
    std::function<std::string(const std::string& section, const std::string& key)> text;
    std::function<std::string(const std::string& key)> logAfterParsing;  // empty: the reader's success line
    int value;                                                           // the key's value after a success
};

std::string keyLines(const std::string& key, int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += key + " = " + std::to_string(i % 2) + "\n";
    return lines;
}

// `text` with blanks after it up to `length` characters.
std::string paddedTo(const std::string& text, size_t length) { return text + std::string(length - text.size(), ' '); }

std::string withLineEnds(const std::string& section, const std::string& key, const std::string& end) {
    return "[" + section + "]" + end + key + " = 0" + end + end + key + " = 1" + end;
}

const FormCase kCases[] = {
    {"CR LF", [](auto s, auto k) { return withLineEnds(s, k, "\r\n"); }, nullptr, 1},
    {"LF", [](auto s, auto k) { return withLineEnds(s, k, "\n"); }, nullptr, 1},
    {"CR", [](auto s, auto k) { return withLineEnds(s, k, "\r"); }, nullptr, 1},
    {"LF CR", [](auto s, auto k) { return withLineEnds(s, k, "\n\r"); }, nullptr, 1},
    {"no line end at the end", [](auto s, auto k) { return "[" + s + "]\n" + k + " = 1"; }, nullptr, 1},
    {"long comment",
     [](auto s, auto k) { return "; " + std::string(600, '-') + " [X] " + k + " = 0\n[" + s + "]\n" + k + " = 1\n"; },
     nullptr, 1},
    {"long line", [](auto s, auto k) { return "[" + s + "]\n" + k + " = " + std::string(300, '1') + "\n"; },
     [](auto k) {
         return "SkyPlacer - a line is longer than 255 characters: " +
                (k + " = " + std::string(40, '1')).substr(0, 40) + "...\nParse Error in Line Length\n";
     },
     0},
    {"longest line", [](auto s, auto k) { return "[" + s + "]\n" + paddedTo(k + " = 1", 255) + "\n"; }, nullptr, 1},
    {"a character too long", [](auto s, auto k) { return "[" + s + "]\n" + paddedTo(k + " = 1", 256) + "\n"; },
     [](auto k) {
         return "SkyPlacer - a line is longer than 255 characters: " + paddedTo(k + " = 1", 40) +
                "...\nParse Error in Line Length\n";
     },
     0},
    {"a full table", [](auto s, auto k) { return "[" + s + "]\n" + keyLines(k, kEntryCount); }, nullptr, 1},
    {"one entry too many", [](auto s, auto k) { return "[" + s + "]\n" + keyLines(k, kEntryCount + 1); },
     [](auto) {
         return std::string(
             "SkyPlacer - the file has too many entries: more than 1024 key lines\n"
             "Parse Error in Entry Count\n");
     },
     0},
    {"key before the first header", [](auto s, auto k) { return k + " = 1\n[" + s + "]\n" + k + " = 1\n"; },
     [](auto k) {
         return k + " is outside any section: a section name must come first\nParse Error in Section Name\n";
     },
     0},
};

class FileFormTest : public AppFixture, public ::testing::WithParamInterface<Reader> {};

TEST_P(FileFormTest, EachRuleOfTheFormReadsAlikeInBothFiles) {
    const Reader& reader = GetParam();
    for (const FormCase& form : kCases) {
        SCOPED_TRACE(form.rule);
        app_->setDefaults();
        app_->storedRecord = {};
        clearLog();
        writeFile(path(reader.file), form.text(reader.section, reader.key));
        bool read = (app_.get()->*reader.read)(path(reader.file).c_str());
        EXPECT_EQ(form.logAfterParsing == nullptr, read);
        std::string expected = form.logAfterParsing ? form.logAfterParsing(reader.key) : reader.success;
        EXPECT_EQ(reader.parsing + expected, logText());
        if (read) {
            EXPECT_EQ(form.value, reader.value(*app_));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothFiles, FileFormTest, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return info.index == 0 ? "PositionFile" : "Settings"; });

}  // namespace
