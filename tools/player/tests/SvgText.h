// Reading the <text> elements back out of a rendered SVG, for the picture tests.
#pragma once

#include <regex>
#include <string>
#include <vector>

struct SvgText {
    std::string cls;
    int x = 0, y = 0;  // SVG coordinates: y grows downwards
    std::string text;
};

inline std::string unescapeXml(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
            text.replace(at, std::string(entity).size(), plain);
        }
    }
    return text;
}

inline std::vector<SvgText> svgTexts(const std::string& svg) {
    static const std::regex element(R"re(<text class="([^"]*)" x="(-?\d+)" y="(-?\d+)"[^>]*>([^<]*)</text>)re");
    std::vector<SvgText> texts;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element); it != std::sregex_iterator(); ++it) {
        texts.push_back({(*it)[1], std::stoi((*it)[2]), std::stoi((*it)[3]), unescapeXml((*it)[4])});
    }
    return texts;
}
