// Finding what a pilot would point at on a Screen: a button by its label, the
// field beside a label, a window by its title, an entry of a list box.
//
// Texts are compared without their leading and trailing blanks, so " OK" is
// found as OK. A lookup is limited to the windows whose title contains the
// scope text (every shown window when the scope is empty); a text found in
// more than one of them is an error, so a scenario never acts on a guess.
#pragma once

#include <string>
#include <vector>

#include "Screen.h"

namespace player {

struct Found {
    const ScreenWindow* window = nullptr;
    const ScreenItem* item = nullptr;
};

std::string trimBlanks(const std::string& text);

class WidgetLookup {
public:
    WidgetLookup(const Screen& screen, const std::string& scope) : screen_(screen), scope_(scope) {}

    bool button(const std::string& label, Found& found, std::string& error) const;
    // The main window whose title contains `title`.
    bool window(const std::string& title, Found& found, std::string& error) const;
    // The text field or caption nearest to the right of the caption `label`, on the same row;
    // "#N" names the N-th text field (from 1) of the one window in scope instead.
    bool beside(const std::string& label, Found& found, std::string& error) const;
    // The widget on the row of `label` under the column headed by the caption `column`.
    bool cell(const std::string& label, const std::string& column, Found& found, std::string& error) const;
    // The text drawn by a list box, top to bottom (each String call of a custom widget).
    std::vector<const skysim::DrawOp*> listEntries() const;
    // A point inside the line where a list box drew `entry`, and the window of that list box.
    bool listEntry(const std::string& entry, int& x, int& y, const ScreenWindow*& window, std::string& error) const;
    // The front-most window in front of `window` that holds the point, or null when the point is uncovered.
    const ScreenWindow* coveringWindow(const ScreenWindow* window, int x, int y) const;
    // A shown widget whose text is `text`, or a window whose title contains it.
    bool showsText(const std::string& text) const;

private:
    std::vector<const ScreenWindow*> windows() const;
    std::string scopeNote() const;
    bool textField(int number, Found& found, std::string& error) const;
    bool caption(const std::string& label, Found& found, std::string& error) const;
    bool byText(int widgetClass, const std::string& noun, const std::string& text, Found& found,
                std::string& error) const;

    const Screen& screen_;
    std::string scope_;
};

}  // namespace player
