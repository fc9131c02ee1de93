// Progress lines and the closing summary of a played scenario.
#include "Report.h"

#include <iomanip>
#include <sstream>

namespace player {

namespace {

void printBlock(std::ostream& out, const std::string& title, const std::string& text) {
    out << "\n" << title << ":\n";
    if (text.empty()) {
        out << "  (empty)\n";
        return;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out << "  | " << text.substr(start, end - start) << "\n";
        start = end + 1;
    }
}

}  // namespace

std::string fixedText(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

std::string describePose(const AircraftPose& pose) {
    return "lat " + fixedText(pose.latitude, 6) + " lon " + fixedText(pose.longitude, 6) + " elev " +
           fixedText(pose.elevation, 2) + " m (local " + fixedText(pose.localX, 2) + ", " + fixedText(pose.localY, 2) +
           ", " + fixedText(pose.localZ, 2) + ")  heading " + fixedText(pose.psi, 2) + " pitch " +
           fixedText(pose.theta, 2) + " roll " + fixedText(pose.phi, 2);
}

void Report::progress(const std::string& where, const std::string& step, const std::string& note) {
    out_ << "[" << where << "] " << step;
    if (!note.empty()) out_ << "  -- " << note;
    out_ << "\n";
    out_.flush();
}

void Report::finish(const std::string& pluginLog, const std::string& simLog) {
    out_ << "\nPlacements: " << placements_.size() << "\n";
    for (const Placement& each : placements_) {
        out_ << "  at " << fixedText(each.time, 2) << " s, during " << each.where << "\n";
        out_ << "    before: " << describePose(each.before) << "\n";
        out_ << "    after:  " << describePose(each.after) << "\n";
    }
    printBlock(out_, "Plug-in log (SkyPlacerLog.txt)", pluginLog);
    printBlock(out_, "Simulator log", simLog);
    out_ << "\nPictures: " << pictures_.size() << "\n";
    for (const std::string& path : pictures_) out_ << "  " << path << "\n";
}

}  // namespace player
