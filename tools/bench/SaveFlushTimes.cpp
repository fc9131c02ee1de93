// What flushing a save to the disk costs: times the plug-in's safe file writer
// saving a 23-line position file, and the same calls without the flush of the
// file and of its folder, alternately, and prints the median and the 90th
// percentile of each in microseconds. The figure depends on the disk and on
// what else writes to it; a folder in memory (tmpfs) flushes for nothing.
//
// Usage: save_flush_times [FOLDER] [SAVES]   (the current folder, 200 saves)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/FileAccess.h"
#include "position/SafeFileWriter.h"

namespace {

// A position file as a capture writes it: 23 lines.
const char* const kLines[] = {
    "[CONFIG]\n",
    "Use_AutoPilot_Data = 0\n",
    "\n",
    "[POSITION_DATA]\n",
    "Latitude = 47.449000\n",
    "Longitude = -122.309000\n",
    "Altitude = 433.000000\n",
    "Heading = 163.500000\n",
    "Pitch = 2.250000\n",
    "Roll = -0.500000\n",
    "Speed = 150.000000\n",
    "Throttle = 0.750000\n",
    "Flaps = 0.000000\n",
    "Gear = 1\n",
    "\n",
    "[AUTOPILOT_DATA]\n",
    "AutoPilot_Mode = 2\n",
    "AutoPilot_Altitude = 3000.000000\n",
    "AutoPilot_Vertical_Velocity = 0.000000\n",
    "AutoPilot_Heading = 163.000000\n",
    "AutoPilot_Airspeed = 150.000000\n",
    "AutoPilot_State = 0\n",
    "AutoPilot_Heading_Roll_Mode = 0\n",
};

bool durableSave(const std::string& path) {
    SafeFileWriter writer;
    if (!writer.open(path.c_str())) return false;
    for (const char* line : kLines) writer.write(line);
    return writer.commit();
}

// The writer's calls less the two flushes: one buffer written, closed, renamed.
bool unflushedSave(const std::string& path, const std::string& temporary) {
    std::string text;
    for (const char* line : kLines) text += line;
    int file = createFile(temporary.c_str());
    if (file < 0) return false;
    bool written = writeBytes(file, text.data(), text.size());
    return closeFile(file) && written && replaceFile(temporary.c_str(), path.c_str());
}

template <typename Save>
double microseconds(Save save) {
    const auto start = std::chrono::steady_clock::now();
    if (!save()) {
        (void)std::fprintf(stderr, "save_flush_times: a save failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

void print(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %10.1f us   90%% %10.1f us\n", what, times[times.size() / 2],
                times[times.size() * 9 / 10]);
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    if (folder.back() != '/') folder += '/';
    const int saves = argc > 2 ? static_cast<int>(std::clamp(std::strtol(argv[2], nullptr, 10), 1L, 100000L)) : 200;
    const std::string path = folder + "SaveFlushTimes.skd";
    const std::string temporary = folder + kTemporaryFileName;
    std::vector<double> flushed;
    std::vector<double> unflushed;
    for (int i = 0; i < saves; ++i) {
        flushed.push_back(microseconds([&] { return durableSave(path); }));
        unflushed.push_back(microseconds([&] { return unflushedSave(path, temporary); }));
    }
    (void)std::remove(path.c_str());
    std::printf("%d saves of a 23-line position file in %s\n", saves, folder.c_str());
    print("with the flush (as saved)", flushed);
    print("without the flush", unflushed);
    return 0;
}
