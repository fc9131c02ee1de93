// The platform seams of ModulePlatform.h.
#include "ModulePlatform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

std::string readPluginText(const std::string& path) {
    const std::string bytes = readFile(path);
    const std::string lineEnd = kModuleLineEnd;
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, lineEnd.size(), lineEnd) == 0) {
            text += '\n';
            i += lineEnd.size() - 1;
        } else if (bytes[i] == '\n' || bytes.compare(i, 2, "\r\n") == 0) {
            ADD_FAILURE() << path << " has a line end other than the module's at byte " << i;
            return bytes;
        } else {
            text += bytes[i];
        }
    }
    return text;
}

// Folders of at most 100 characters, as even in length as the rest allows.
std::string rootWithPluginFolderOf(const std::string& base, std::size_t length) {
    const std::string native = fs::absolute(base).make_preferred().string();
    const std::size_t rootLength = length - kPluginFolderSuffix - 1;  // less the root's own separator
    if (length < kPluginFolderSuffix + 1 || rootLength < native.size() + 2) {
        ADD_FAILURE() << "no root below " << native << " gives a plug-in folder of " << length << " characters";
        return native;
    }
    const std::size_t rest = rootLength - native.size();  // separators and names
    const std::size_t folders = (rest + 100) / 101;
    fs::path root = native;
    for (std::size_t i = 0; i < folders; ++i) {
        std::size_t share = rest / folders + (i < rest % folders ? 1 : 0);
        root /= std::string(share - 1, static_cast<char>('a' + i % 26));
    }
    return root.string();
}

#ifdef _WIN32

std::string anyLengthPath(const std::string& path) { return "\\\\?\\" + fs::absolute(path).make_preferred().string(); }

namespace {

std::string debugText;

LONG CALLBACK takeDebugString(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode != DBG_PRINTEXCEPTION_C || record.NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    debugText += reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

DebugOutputCapture::DebugOutputCapture() {
    debugText.clear();
    handler_ = AddVectoredExceptionHandler(1, takeDebugString);
}

std::string DebugOutputCapture::text() {
    if (capturing_) {
        RemoveVectoredExceptionHandler(handler_);
        text_ = debugText;
    }
    capturing_ = false;
    return text_;
}

#else

std::string anyLengthPath(const std::string& path) { return path; }

DebugOutputCapture::DebugOutputCapture() { testing::internal::CaptureStderr(); }

std::string DebugOutputCapture::text() {
    if (capturing_) text_ = testing::internal::GetCapturedStderr();
    capturing_ = false;
    return text_;
}

#endif

DebugOutputCapture::~DebugOutputCapture() { text(); }

#ifdef _WIN32

UnwritableFolder::UnwritableFolder(const std::string& folder, const std::string& heldFile) : folder_(folder) {
    HANDLE handle =
        CreateFileA(heldFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, handle) << heldFile << " could not be held open";
    if (handle != INVALID_HANDLE_VALUE) held_ = handle;
}

UnwritableFolder::~UnwritableFolder() {
    if (held_ != nullptr) CloseHandle(static_cast<HANDLE>(held_));
}

#else

namespace {

// A root process writes through any permission, and each of its threads
// holds that power on its own: the module's writer thread, started with the
// plug-in, would write on in a folder a test made read-only. So the test
// program gives it up as it starts, before any thread is made, as a pilot's
// simulator never had it; a process without it is unchanged.
const bool permissionsObeyed = [] {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    data[CAP_DAC_OVERRIDE / 32].effective &= ~(1u << (CAP_DAC_OVERRIDE % 32));
    return syscall(SYS_capset, &header, data) == 0;
}();

}  // namespace

UnwritableFolder::UnwritableFolder(const std::string& folder, const std::string&) : folder_(folder) {
    (void)permissionsObeyed;
    fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

UnwritableFolder::~UnwritableFolder() { fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::add); }

#endif
