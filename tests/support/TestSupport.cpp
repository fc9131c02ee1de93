// Shared test fixtures.
#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "skyplacer-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = made;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

bool fileExists(const std::string& path) { return fs::exists(path); }

void SimTest::SetUp() {
    sim().reset(root_.path());
    fs::create_directories(sim().pluginFolder());
    std::string error;
    ASSERT_TRUE(sim().load(SKYPLACER_MODULE_PATH, &error)) << error;
}

// Stops the plug-in and quits the simulator, which destroys the windows the
// plug-in left behind, so nothing a test opened outlives it.
void SimTest::TearDown() {
    if (sim().started()) sim().stop();
    sim().reset(root_.path());
}

std::string SimTest::logText() const { return readFile(pluginFile("SkyPlacerLog.txt")); }

void SimTest::startPlugin() { ASSERT_EQ(1, sim().start()); }

void SimTest::startWithSettings(const std::string& ini) {
    writeFile(pluginFile("SkyPlacer.ini"), ini);
    startPlugin();
    runStartup();
}
