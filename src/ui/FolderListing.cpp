// A folder's names through the simulator's listing, a buffer's worth at a call.
#include "ui/FolderListing.h"

#include <cstring>

#include "XPLMApi.h"
#include "plugin/PluginApp.h"
#include "text/BoundedText.h"

namespace {

constexpr int kListingNamesSize = 4096;  // bytes of names per directory-listing call
constexpr int kListingEntries = 4096;    // names per directory-listing call

// The folder as the simulator's listing wants it: without its last separator.
void folderForListing(const char* folder, char* out, size_t size) {
    copyText(out, size, folder);
    size_t length = std::strlen(out);
    if (length > 0 && (out[length - 1] == '/' || out[length - 1] == '\\')) out[length - 1] = '\0';
}

}  // namespace

void forEachFileName(const char* folder, void (*each)(const char* name, void* context), void* context) {
    if (folder[0] == '\0') return;  // unknown: listing "" could show the current folder's files
    char listedFolder[kPathSize];
    folderForListing(folder, listedFolder, sizeof listedFolder);
    char names[kListingNamesSize];
    char* entries[kListingEntries];
    // One call returns as many names as its buffers hold; ask again for the rest.
    int first = 0;
    for (;;) {
        int total = 0;
        int returned = 0;
        XPLMGetDirectoryContents(listedFolder, first, names, sizeof names, entries, kListingEntries, &total, &returned);
        for (int i = 0; i < returned; ++i) each(entries[i], context);
        first += returned;
        if (returned <= 0 || first >= total) break;
    }
}
