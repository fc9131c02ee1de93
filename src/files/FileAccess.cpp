// The plug-in's file operations, in the form each system takes paths.
#include "files/FileAccess.h"

#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cwchar>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

PathEncoding pathEncoding = PathEncoding::Utf8;

#ifdef _WIN32

// Room for any path the plug-in builds (at most 511 bytes, so at most 511
// UTF-16 units) and its terminator.
constexpr int kWidePathSize = 512;

// `text` in UTF-16; false when it is not valid text of the encoding in use or
// does not fit, so a damaged name never opens some other file.
bool toWide(const char* text, wchar_t (&out)[kWidePathSize]) {
    UINT codePage = pathEncoding == PathEncoding::Utf8 ? CP_UTF8 : CP_ACP;
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, -1, out, kWidePathSize) > 0;
}

#endif

}  // namespace

void usePathEncoding(PathEncoding encoding) { pathEncoding = encoding; }

#ifdef _WIN32

std::FILE* openFile(const char* path, const char* mode) {
    wchar_t widePath[kWidePathSize];
    wchar_t wideMode[8];
    if (!toWide(path, widePath) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 8) <= 0) return nullptr;
    return _wfopen(widePath, wideMode);
}

namespace {

int openWide(const char* path, int flags) {
    wchar_t widePath[kWidePathSize];
    if (!toWide(path, widePath)) return -1;
    return _wopen(widePath, flags, _S_IREAD | _S_IWRITE);
}

// A copy takes the bytes as they are, line ends included.
int openToCopy(const char* path) { return openWide(path, _O_RDONLY | _O_BINARY); }
int createCopy(const char* path) { return openWide(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY); }
int readSome(int descriptor, char* data, unsigned int size) { return _read(descriptor, data, size); }

}  // namespace

int createFile(const char* path) { return openWide(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_TEXT); }

// _write takes at most INT_MAX bytes at a time; the plug-in's writes are far smaller.
bool writeBytes(int descriptor, const char* data, size_t length) {
    while (length > 0) {
        unsigned int chunk = length > 65536 ? 65536u : static_cast<unsigned int>(length);
        int written = _write(descriptor, data, chunk);
        if (written <= 0) return false;
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool flushFileToDisk(int descriptor) { return _commit(descriptor) == 0; }

bool closeFile(int descriptor) { return _close(descriptor) == 0; }

bool replaceFile(const char* from, const char* to) {
    wchar_t wideFrom[kWidePathSize];
    wchar_t wideTo[kWidePathSize];
    return toWide(from, wideFrom) && toWide(to, wideTo) &&
           MoveFileExW(wideFrom, wideTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void syncFolder(const char*) {}

bool isFile(const char* path) {
    wchar_t widePath[kWidePathSize];
    if (!toWide(path, widePath)) return false;
    DWORD attributes = GetFileAttributesW(widePath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void removeFile(const char* path) {
    wchar_t widePath[kWidePathSize];
    if (toWide(path, widePath)) (void)_wremove(widePath);
}

bool fileWrittenAt(const char* path, std::tm& local) {
    wchar_t widePath[kWidePathSize];
    struct _stat64 status {};
    return toWide(path, widePath) && _wstat64(widePath, &status) == 0 && _localtime64_s(&local, &status.st_mtime) == 0;
}

#else

namespace {

int openRetried(const char* path, int flags) {
    int descriptor;
    do {
        descriptor = open(path, flags | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

int openToCopy(const char* path) { return openRetried(path, O_RDONLY); }
int createCopy(const char* path) { return createFile(path); }

int readSome(int descriptor, char* data, unsigned int size) {
    ssize_t count;
    do {
        count = read(descriptor, data, size);
    } while (count < 0 && errno == EINTR);
    return static_cast<int>(count);
}

}  // namespace

std::FILE* openFile(const char* path, const char* mode) { return std::fopen(path, mode); }

int createFile(const char* path) { return openRetried(path, O_WRONLY | O_CREAT | O_TRUNC); }

bool writeBytes(int descriptor, const char* data, size_t length) {
    while (length > 0) {
        ssize_t written = write(descriptor, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool flushFileToDisk(int descriptor) {
#ifdef __APPLE__
    // On macOS fsync hands the data to the drive, which may keep it in its
    // cache through a power cut; F_FULLFSYNC makes the drive write it. File
    // systems that cannot refuse it, and fsync is then the most there is.
    if (fcntl(descriptor, F_FULLFSYNC) == 0) return true;
#endif
    return fsync(descriptor) == 0;
}

// A close interrupted by a signal has still closed the descriptor: it is never retried.
bool closeFile(int descriptor) { return close(descriptor) == 0; }

bool replaceFile(const char* from, const char* to) { return std::rename(from, to) == 0; }

void syncFolder(const char* folder) {
    int descriptor = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    (void)fsync(descriptor);
    (void)close(descriptor);
}

bool isFile(const char* path) {
    struct stat status {};
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

void removeFile(const char* path) { (void)std::remove(path); }

bool fileWrittenAt(const char* path, std::tm& local) {
    struct stat status {};
    return stat(path, &status) == 0 && localtime_r(&status.st_mtime, &local) != nullptr;
}

#endif

namespace {

// Every byte of `source` into `copy`; false on a failed read or write.
bool copyBytes(int source, int copy) {
    char buffer[1024];  // a whole position file at one read
    for (;;) {
        int count = readSome(source, buffer, sizeof buffer);
        if (count <= 0) return count == 0;
        if (!writeBytes(copy, buffer, static_cast<size_t>(count))) return false;
    }
}

}  // namespace

bool copyFileToDisk(const char* from, const char* to) {
    int source = openToCopy(from);
    if (source < 0) return false;
    bool copied = false;
    int copy = createCopy(to);
    if (copy >= 0) {
        copied = copyBytes(source, copy) && flushFileToDisk(copy);
        copied = closeFile(copy) && copied;
    }
    (void)closeFile(source);  // only read: its close changes nothing
    return copied;
}

bool sameFileBytes(const char* first, const char* second) {
    const int a = openToCopy(first);
    const int b = a < 0 ? -1 : openToCopy(second);
    bool same = b >= 0;
    while (same) {
        char bytesA[1024];
        char bytesB[1024];
        const int countA = readSome(a, bytesA, sizeof bytesA);
        const int countB = readSome(b, bytesB, sizeof bytesB);
        same = countA == countB && countA >= 0 && std::memcmp(bytesA, bytesB, static_cast<size_t>(countA)) == 0;
        if (countA <= 0) break;
    }
    if (a >= 0) (void)closeFile(a);
    if (b >= 0) (void)closeFile(b);
    return same;
}
