// What the tests see differently of the module under test on each platform:
// win.xpl in a Windows build of the tests (run under wine), lin.xpl elsewhere.
#pragma once

#include <cstddef>
#include <string>

// The line end of the text files the module writes: CR LF from win.xpl (text
// mode, as Windows programs write), LF from lin.xpl.
#ifdef _WIN32
constexpr const char* kModuleLineEnd = "\r\n";
#else
constexpr const char* kModuleLineEnd = "\n";
#endif

// The longest path the module opens: Windows' MAX_PATH less its terminator,
// or the module's 512-byte path buffers.
#ifdef _WIN32
constexpr std::size_t kModuleMaxPath = 259;
#else
constexpr std::size_t kModuleMaxPath = 511;
#endif
// Whether the simulator's legacy paths damage a folder name outside the system's
// code page: on Windows they are in the code page, on Linux already in UTF-8.
#ifdef _WIN32
constexpr bool kLegacyPathsInCodePage = true;
#else
constexpr bool kLegacyPathsInCodePage = false;
#endif

// Whether two file names that differ only in case name two files: not on Windows.
#ifdef _WIN32
constexpr bool kCaseMakesNamesDiffer = false;
#else
constexpr bool kCaseMakesNamesDiffer = true;
#endif

// The characters a plug-in folder path has beyond the simulator's root folder
// ("Resources", "plugins", "SkyPlacer", each with its separator) and the
// longest name of the plug-in's own files in it ("SkyPlacerSave.tmp").
constexpr std::size_t kPluginFolderSuffix = 28;
constexpr std::size_t kLongestOwnFileName = 17;

// A text file the plug-in wrote, its line ends turned to "\n"; a line end in
// it other than kModuleLineEnd fails the test.
std::string readPluginText(const std::string& path);

// A simulator root below `base` whose plug-in folder path, as the stand-in
// gives it, has exactly `length` characters.
std::string rootWithPluginFolderOf(const std::string& base, std::size_t length);

// A path the tests' own file operations reach at any length: on Windows its
// "\\?\" form, which lifts MAX_PATH; elsewhere the path itself.
std::string anyLengthPath(const std::string& path);

// Captures what the process sends to the debug output from construction to
// text(): standard error, or on Windows the texts of OutputDebugStringA, which
// reach the process as the exceptions a debugger would take.
class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;
    std::string text();  // stops the capture

private:
    void* handler_ = nullptr;
    bool capturing_ = true;
    std::string text_;
};

// A folder the module cannot write in, from construction to destruction. On
// Linux the folder is made read-only (a root test program gave up its power to
// write through permissions as it started). Windows stops no new file in a folder
// marked read-only, so there `heldFile`, a file in it, is held open without
// sharing instead: nothing can replace or move it, which fails every save to it.
class UnwritableFolder {
public:
    UnwritableFolder(const std::string& folder, const std::string& heldFile);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

private:
    std::string folder_;
    void* held_ = nullptr;
};
