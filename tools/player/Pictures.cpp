// Picture files: the SVG always, a PNG through rsvg-convert where it is installed.
#include "Pictures.h"

#include <filesystem>
#include <fstream>

#include "Programs.h"
#include "ScreenSvg.h"

namespace player {

bool writePicture(const Screen& screen, const std::string& folder, const std::string& name,
                  std::vector<std::string>& written, std::string& warning, std::string& error) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::string base = (std::filesystem::absolute(folder) / name).string();
    std::string svgPath = base + ".svg";
    std::ofstream out(svgPath, std::ios::binary | std::ios::trunc);
    out << renderSvg(screen);
    out.close();
    if (!out) {
        error = "cannot write the picture " + svgPath;
        return false;
    }
    written.push_back(svgPath);
    std::string pngPath = base + ".png";
    std::error_code removeError;
    std::filesystem::remove(pngPath, removeError);
    if (removeError) {
        warning = "cannot remove the old " + pngPath + ": " + removeError.message();
        return true;
    }
    if (!onPath("rsvg-convert")) return true;
    if (runProgram({"rsvg-convert", "-o", pngPath, svgPath})) {
        written.push_back(pngPath);
    } else {
        std::filesystem::remove(pngPath, removeError);  // a half-written one
        warning = "rsvg-convert could not make " + pngPath + " (only the SVG is written)";
    }
    return true;
}

}  // namespace player
