// Look-ups on the captured screen, with messages that say what is there instead.
#include "WidgetLookup.h"

#include <algorithm>

#include "ui/ListBox.h"

namespace player {

namespace {

// The middle of the list line whose text was drawn at `op`: lines run down from the list box's top.
int listLineMiddle(const ScreenWindow& window, const skysim::DrawOp& op) {
    for (const ScreenItem& item : window.items) {
        if (item.id != op.widget) continue;
        int line = (item.top - op.y1) / kListLineHeight;
        return item.top - kListLineHeight * line - kListLineHeight / 2;
    }
    return op.y1;  // not drawn by a shown widget: its baseline lies within its line too
}

bool rowHolds(const ScreenItem& row, const ScreenItem& item) {
    int centre = (row.top + row.bottom) / 2;
    return item.bottom <= centre && centre <= item.top;
}

// A value stands in a text field or a caption; frames around rows do not count.
bool showsValue(const ScreenItem& item) {
    return item.widgetClass == skysim::TextField || item.widgetClass == skysim::Caption;
}

std::string quotedList(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "\"" : ", \"") + text + "\"";
    return out.empty() ? "none" : out;
}

std::vector<std::string> textsOfClass(const std::vector<const ScreenWindow*>& windows, int widgetClass) {
    std::vector<std::string> texts;
    for (const ScreenWindow* window : windows) {
        for (const ScreenItem& item : window->items) {
            std::string text = trimBlanks(item.text);
            if (item.widgetClass == widgetClass && !text.empty()) texts.push_back(text);
        }
    }
    return texts;
}

}  // namespace

std::string trimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<const ScreenWindow*> WidgetLookup::windows() const {
    std::vector<const ScreenWindow*> out;
    for (const ScreenWindow& each : screen_.windows) {
        if (scope_.empty() || each.frame.text.find(scope_) != std::string::npos) out.push_back(&each);
    }
    return out;
}

std::string WidgetLookup::scopeNote() const {
    return scope_.empty() ? " on screen" : " in the window \"" + scope_ + "\"";
}

// The one widget of this class and text in scope; `noun` names the class in messages.
bool WidgetLookup::byText(int widgetClass, const std::string& noun, const std::string& text, Found& found,
                          std::string& error) const {
    std::vector<Found> matches;
    for (const ScreenWindow* each : windows()) {
        for (const ScreenItem& item : each->items) {
            if (item.widgetClass == widgetClass && trimBlanks(item.text) == trimBlanks(text)) {
                matches.push_back({each, &item});
            }
        }
    }
    if (matches.empty()) {
        error = "no " + noun + " \"" + text + "\"" + scopeNote() + "; " + noun +
                "s shown: " + quotedList(textsOfClass(windows(), widgetClass));
        return false;
    }
    const ScreenWindow* first = matches.front().window;
    auto other =
        std::find_if(matches.begin(), matches.end(), [first](const Found& match) { return match.window != first; });
    if (other != matches.end()) {
        error = "the " + noun + " \"" + text + "\" is in more than one window (\"" + trimBlanks(first->frame.text) +
                "\", \"" + trimBlanks(other->window->frame.text) + "\"); choose one with the step window TITLE";
        return false;
    }
    found = matches.front();
    return true;
}

bool WidgetLookup::button(const std::string& label, Found& found, std::string& error) const {
    return byText(skysim::Button, "button", label, found, error);
}

bool WidgetLookup::window(const std::string& title, Found& found, std::string& error) const {
    std::vector<std::string> titles, matching;
    for (const ScreenWindow& each : screen_.windows) {
        titles.push_back(trimBlanks(each.frame.text));
        if (each.frame.text.find(title) == std::string::npos) continue;
        if (matching.empty()) found = {&each, &each.frame};
        matching.push_back(titles.back());
    }
    if (matching.size() == 1) return true;
    if (matching.empty()) {
        error = "no window titled \"" + title + "\" on screen; windows shown: " + quotedList(titles);
    } else {
        error =
            "more than one window is titled \"" + title + "\": " + quotedList(matching) + "; give more of the title";
    }
    return false;
}

bool WidgetLookup::caption(const std::string& label, Found& found, std::string& error) const {
    return byText(skysim::Caption, "label", label, found, error);
}

bool WidgetLookup::textField(int number, Found& found, std::string& error) const {
    std::vector<const ScreenWindow*> inScope = windows();
    if (inScope.size() != 1) {
        error = "text field #" + std::to_string(number) + " needs one window; " + std::to_string(inScope.size()) +
                " are" + scopeNote() + ", choose one with the step window TITLE";
        return false;
    }
    const std::vector<ScreenItem>& items = inScope.front()->items;
    int seen = 0;
    auto field = std::find_if(items.begin(), items.end(), [&seen, number](const ScreenItem& item) {
        return item.widgetClass == skysim::TextField && ++seen == number;
    });
    if (field != items.end()) {
        found = {inScope.front(), &*field};
        return true;
    }
    error = "the window \"" + trimBlanks(inScope.front()->frame.text) + "\" has " + std::to_string(seen) +
            " text field" + (seen == 1 ? "" : "s") + ", not #" + std::to_string(number);
    return false;
}

bool WidgetLookup::beside(const std::string& label, Found& found, std::string& error) const {
    if (label.size() > 1 && label.size() <= 6 && label[0] == '#' &&
        label.find_first_not_of("0123456789", 1) == std::string::npos) {
        return textField(std::stoi(label.substr(1)), found, error);
    }
    Found labelFound;
    if (!caption(label, labelFound, error)) return false;
    const ScreenItem& row = *labelFound.item;
    const ScreenItem* nearest = nullptr;
    for (const ScreenItem& item : labelFound.window->items) {
        if (!showsValue(item) || item.left <= row.left || !rowHolds(row, item)) continue;
        if (nearest == nullptr || item.left < nearest->left) nearest = &item;
    }
    if (nearest == nullptr) {
        error = "nothing stands beside the label \"" + label + "\"";
        return false;
    }
    found = {labelFound.window, nearest};
    return true;
}

bool WidgetLookup::cell(const std::string& label, const std::string& column, Found& found, std::string& error) const {
    Found labelFound, header;
    if (!caption(label, labelFound, error)) return false;
    WidgetLookup inWindow(screen_, labelFound.window->frame.text);
    if (!inWindow.caption(column, header, error)) return false;
    int centre = (header.item->left + header.item->right) / 2;
    const std::vector<ScreenItem>& items = labelFound.window->items;
    auto under = std::find_if(items.begin(), items.end(), [&labelFound, centre](const ScreenItem& item) {
        return &item != labelFound.item && showsValue(item) && item.left <= centre && centre <= item.right &&
               rowHolds(*labelFound.item, item);
    });
    if (under != items.end()) {
        found = {labelFound.window, &*under};
        return true;
    }
    error = "no widget under \"" + column + "\" on the row of \"" + label + "\"";
    return false;
}

std::vector<const skysim::DrawOp*> WidgetLookup::listEntries() const {
    std::vector<const skysim::DrawOp*> entries;
    for (const ScreenWindow* each : windows()) {
        for (const skysim::DrawOp& op : each->drawing) {
            if (op.kind == skysim::DrawOp::String) entries.push_back(&op);
        }
    }
    return entries;
}

bool WidgetLookup::listEntry(const std::string& entry, int& x, int& y, const ScreenWindow*& window,
                             std::string& error) const {
    std::vector<std::string> drawn;
    for (const ScreenWindow* each : windows()) {
        for (const skysim::DrawOp& op : each->drawing) {
            if (op.kind != skysim::DrawOp::String) continue;
            if (trimBlanks(op.text) == trimBlanks(entry)) {
                x = op.x1 + 2;
                y = listLineMiddle(*each, op);
                window = each;
                return true;
            }
            drawn.push_back(op.text);
        }
    }
    error = "no list entry \"" + entry + "\"" + scopeNote() + "; entries shown: " + quotedList(drawn);
    return false;
}

const ScreenWindow* WidgetLookup::coveringWindow(const ScreenWindow* window, int x, int y) const {
    const ScreenWindow* cover = nullptr;
    bool inFront = false;
    for (const ScreenWindow& each : screen_.windows) {
        const ScreenItem& frame = each.frame;
        bool holds = frame.left <= x && x <= frame.right && frame.bottom <= y && y <= frame.top;
        if (inFront && holds) cover = &each;
        inFront = inFront || &each == window;
    }
    return cover;
}

bool WidgetLookup::showsText(const std::string& text) const {
    auto shows = [&text](const ScreenItem& item) { return trimBlanks(item.text) == trimBlanks(text); };
    std::vector<const ScreenWindow*> inScope = windows();
    return std::any_of(inScope.begin(), inScope.end(), [&](const ScreenWindow* each) {
        return each->frame.text.find(text) != std::string::npos ||
               std::any_of(each->items.begin(), each->items.end(), shows);
    });
}

}  // namespace player
