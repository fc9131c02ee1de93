// SVG drawing of the screen. Every widget text becomes one <text> element
// whose anchor lies inside the widget's rectangle, so tests and eyes can find it.
#include "ScreenSvg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "XPWidgetsApi.h"

namespace player {

namespace {

constexpr int kMinWidth = 1024;
constexpr int kMinHeight = 768;
constexpr int kMargin = 20;
constexpr int kTitleBar = 20;
constexpr int kThumb = 16;
constexpr int kBaselineBelowCentre = 4;  // a 10-pixel font centred on a line

// Widget texts are bytes, read as Latin-1: any byte past ASCII becomes a character
// reference, so the file stays valid UTF-8; control characters, which XML forbids,
// show as the replacement character.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            char reference[8];
            (void)std::snprintf(reference, sizeof reference, "&#x%02X;", byte);
            out += reference;
            continue;
        }
        if (byte < 0x20 || byte == 0x7F) {
            out += "&#xFFFD;";
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string colour(const float rgba[4]) {
    auto channel = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    char text[64];
    (void)std::snprintf(text, sizeof text, "rgb(%d,%d,%d)", channel(rgba[0]), channel(rgba[1]), channel(rgba[2]));
    return text;
}

class SvgWriter {
public:
    explicit SvgWriter(int height) : height_(height) {}

    // A rectangle in screen coordinates, any two opposite corners.
    void rect(int x1, int y1, int x2, int y2, const std::string& cls, const std::string& extra = "") {
        int left = std::min(x1, x2), right = std::max(x1, x2);
        int top = std::max(y1, y2), bottom = std::min(y1, y2);
        out_ << "<rect class=\"" << cls << "\" x=\"" << left << "\" y=\"" << height_ - top << "\" width=\""
             << right - left << "\" height=\"" << top - bottom << "\"" << extra << "/>\n";
    }
    void text(int x, int y, const std::string& cls, const std::string& content, const std::string& extra = "") {
        out_ << "<text class=\"" << cls << "\" x=\"" << x << "\" y=\"" << height_ - y << "\"" << extra << ">"
             << escaped(content) << "</text>\n";
    }
    void line(int x1, int y1, int x2, int y2, const std::string& cls) {
        out_ << "<line class=\"" << cls << "\" x1=\"" << x1 << "\" y1=\"" << height_ - y1 << "\" x2=\"" << x2
             << "\" y2=\"" << height_ - y2 << "\"/>\n";
    }
    void polygon(const std::vector<std::pair<int, int>>& points, const float rgba[4]) {
        out_ << "<polygon class=\"selection\" points=\"";
        for (size_t i = 0; i < points.size(); ++i) {
            out_ << (i ? " " : "") << points[i].first << "," << height_ - points[i].second;
        }
        out_ << "\" fill=\"" << colour(rgba) << "\" fill-opacity=\"" << rgba[3] << "\"/>\n";
    }
    void raw(const std::string& text) { out_ << text; }
    std::string str() const { return out_.str(); }

private:
    int height_;
    std::ostringstream out_;
};

int baseline(const ScreenItem& item) { return (item.top + item.bottom) / 2 - kBaselineBelowCentre; }

void drawMainWindow(SvgWriter& svg, const ScreenItem& window) {
    svg.rect(window.left, window.top, window.right, window.bottom, "window");
    svg.rect(window.left, window.top, window.right, window.top - kTitleBar, "titlebar");
    svg.text(window.left + 6, window.top - 14, "title", window.text);
    if (!window.closeBoxes) return;
    // The close box: x from right-20 to right-4, y from top-4 down to top-20.
    svg.rect(window.right - 20, window.top - 4, window.right - 4, window.top - 20, "closebox");
    svg.line(window.right - 17, window.top - 7, window.right - 7, window.top - 17, "closemark");
    svg.line(window.right - 17, window.top - 17, window.right - 7, window.top - 7, "closemark");
}

void drawTrack(SvgWriter& svg, const skysim::DrawOp& op) {
    int bottom = std::min(op.y1, op.y2), top = std::max(op.y1, op.y2);
    svg.rect(op.x1, op.y1, op.x2, op.y2, op.lit ? "track lit" : "track");
    // The maximum is at the top: the list shows its first item when the value is the maximum.
    double fraction = op.max > op.min ? double(op.value - op.min) / double(op.max - op.min) : 1.0;
    fraction = std::clamp(fraction, 0.0, 1.0);
    int room = std::max(0, top - bottom - kThumb);
    int thumbBottom = bottom + static_cast<int>(std::lround(fraction * room));
    svg.rect(op.x1 + 2, thumbBottom + kThumb, op.x2 - 2, thumbBottom, op.lit ? "thumb lit" : "thumb");
}

// Replays a custom widget's recorded calls.
void drawRecorded(SvgWriter& svg, const std::vector<skysim::DrawOp>& drawing, skysim::WidgetId widget) {
    float current[4] = {1, 1, 1, 1};
    int mode = 0;
    std::vector<std::pair<int, int>> points;
    for (const skysim::DrawOp& op : drawing) {
        if (op.widget != widget) continue;
        switch (op.kind) {
            case skysim::DrawOp::Window:
                svg.rect(op.x1, op.y1, op.x2, op.y2, "listview");
                break;
            case skysim::DrawOp::Track:
                drawTrack(svg, op);
                break;
            case skysim::DrawOp::Color:
                std::copy(op.rgba, op.rgba + 4, current);
                break;
            case skysim::DrawOp::Begin:
                mode = op.style;
                points.clear();
                break;
            case skysim::DrawOp::Vertex:
                points.emplace_back(op.x1, op.y1);
                if (mode == static_cast<int>(GL_QUADS) && points.size() == 4) {
                    svg.polygon(points, current);
                    points.clear();
                }
                break;
            case skysim::DrawOp::End:
                if (mode != static_cast<int>(GL_QUADS) && points.size() >= 3) svg.polygon(points, current);
                points.clear();
                break;
            case skysim::DrawOp::String:
                svg.text(op.x1, op.y1, "item", op.text, " fill=\"" + colour(op.rgba) + "\"");
                break;
            default:
                break;
        }
    }
}

void drawItem(SvgWriter& svg, const ScreenItem& item, const ScreenWindow& window) {
    switch (item.widgetClass) {
        case skysim::MainWindow:
            drawMainWindow(svg, item);
            break;
        case skysim::SubWindow:
            svg.rect(item.left, item.top, item.right, item.bottom, "subwindow");
            break;
        case skysim::Caption:
            svg.text(item.left, baseline(item), "caption", item.text);
            break;
        case skysim::TextField: {
            std::string state = item.enabled ? "" : " disabled";
            svg.rect(item.left, item.top, item.right, item.bottom, "field" + state);
            svg.text(item.left + 3, baseline(item), "fieldtext" + state, item.text);
            break;
        }
        case skysim::Button: {
            std::string state = item.enabled ? "" : " disabled";
            svg.rect(item.left, item.top, item.right, item.bottom, "button" + state, " rx=\"3\"");
            svg.text((item.left + item.right) / 2, baseline(item), "label" + state, item.text,
                     " text-anchor=\"middle\"");
            break;
        }
        case skysim::CustomClass:
            drawRecorded(svg, window.drawing, item.id);
            break;
        default:
            svg.rect(item.left, item.top, item.right, item.bottom, "unknown");
            break;
    }
}

const char* kStyle =
    "<style>\n"
    "text { font-family: 'DejaVu Sans Mono', monospace; font-size: 10px; fill: #101010; }\n"
    ".screen { fill: #3c4a54; }\n"
    ".window { fill: #c9cdc9; stroke: #303030; }\n"
    ".titlebar { fill: #66778a; }\n"
    ".title { fill: #ffffff; }\n"
    ".closebox { fill: #d8d8d8; stroke: #202020; }\n"
    ".closemark { stroke: #202020; stroke-width: 1.5; }\n"
    ".subwindow { fill: #b3bab5; stroke: #7a807c; }\n"
    ".field { fill: #f6f6ee; stroke: #5a5a5a; }\n"
    ".field.disabled { fill: #d6d6d6; }\n"
    ".fieldtext.disabled, .label.disabled { fill: #8c8c8c; }\n"
    ".button { fill: #dfe3e6; stroke: #4a4a4a; }\n"
    ".button.disabled { fill: #c6c6c6; stroke: #a0a0a0; }\n"
    ".listview { fill: #eef0ee; stroke: #6a6a6a; }\n"
    ".track { fill: #b8bcb8; stroke: #6a6a6a; }\n"
    ".thumb { fill: #80888c; }\n"
    ".thumb.lit { fill: #e0b040; }\n"
    ".unknown { fill: none; stroke: #ff00ff; stroke-dasharray: 4 2; }\n"
    "</style>\n";

}  // namespace

int screenWidth(const Screen& screen) {
    int width = kMinWidth;
    for (const ScreenWindow& window : screen.windows) width = std::max(width, window.frame.right + kMargin);
    return width;
}

int screenHeight(const Screen& screen) {
    int height = kMinHeight;
    for (const ScreenWindow& window : screen.windows) height = std::max(height, window.frame.top + kMargin);
    return height;
}

std::string renderSvg(const Screen& screen) {
    int width = screenWidth(screen), height = screenHeight(screen);
    SvgWriter svg(height);
    std::ostringstream head;
    head << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
         << "\" viewBox=\"0 0 " << width << " " << height << "\">\n";
    svg.raw(head.str());
    svg.raw(kStyle);
    svg.rect(0, 0, width, height, "screen");
    for (const ScreenWindow& window : screen.windows) {
        drawItem(svg, window.frame, window);
        for (const ScreenItem& item : window.items) drawItem(svg, item, window);
    }
    svg.raw("</svg>\n");
    return svg.str();
}

}  // namespace player
