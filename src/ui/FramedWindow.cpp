// The shared frame of the control panel and the data display.
#include "ui/FramedWindow.h"

#include "plugin/Identity.h"
#include "text/BoundedText.h"

FramedWindow createFramedWindow(const char* role, const char* version, int left, int top, int right, int bottom,
                                char* titleBuffer, size_t titleSize) {
    FramedWindow frame;
    formatText(titleBuffer, titleSize, "%s - %s %s %s", role, kPluginName, version, kCreditText);
    frame.window = XPCreateWidget(left, top, right, bottom, 1, titleBuffer, 1, nullptr, xpWidgetClass_MainWindow);
    XPSetWidgetProperty(frame.window, xpProperty_MainWindowHasCloseBoxes, 1);

    frame.subWindow =
        XPCreateWidget(left + 10, top - 30, right - 10, bottom + 10, 1, "", 0, frame.window, xpWidgetClass_SubWindow);
    XPSetWidgetProperty(frame.subWindow, xpProperty_SubWindowType, 0);
    return frame;
}

int hideOnCloseBox(XPWidgetID pushed, XPWidgetID current, int32_t& visible) {
    if (pushed != current) return 0;
    XPHideWidget(current);
    visible = 0;
    return 1;
}
