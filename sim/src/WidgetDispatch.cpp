// Message dispatch along a widget's chain of functions, in the toolkit's five modes.
//
// Functions may create or destroy widgets and add callbacks while a message is
// under way: each step works on a copy of the chain or child list and stops as
// soon as the widget it is talking to has gone.
#include "WidgetTree.h"

namespace skysim {

namespace {

// The standard classes' function is the stand-in's own; every other one is the plug-in's.
int callWidgetFunction(XPWidgetFunc_t function, int message, WidgetId id, std::intptr_t param1, std::intptr_t param2) {
    if (function == standardWidgetFunc) return function(message, toHandle(id), param1, param2);
    return callPlugin(function, message, toHandle(id), param1, param2);
}

// Runs the widget's chain; `all` keeps going after a handler, `once` stops after the first function.
bool runChain(WidgetId id, int message, std::intptr_t param1, std::intptr_t param2, bool all, bool once) {
    const Widget* widget = findWidget(id);
    if (widget == nullptr) return false;
    std::vector<XPWidgetFunc_t> chain = widget->chain;
    bool handled = false;
    for (XPWidgetFunc_t function : chain) {
        if (findWidget(id) == nullptr) break;
        if (function != nullptr && callWidgetFunction(function, message, id, param1, param2) != 0) {
            handled = true;
            if (!all) break;
        }
        if (once) break;
    }
    return handled;
}

WidgetId dispatchUpChain(WidgetId id, int message, std::intptr_t param1, std::intptr_t param2) {
    for (WidgetId current = id; findWidget(current) != nullptr;) {
        if (runChain(current, message, param1, param2, false, false)) return current;
        const Widget* widget = findWidget(current);  // a widget destroyed on the way ends the climb
        if (widget == nullptr) return 0;
        current = widget->parent;
    }
    return 0;
}

// The widget, then its descendants depth first; every one of them is told.
WidgetId dispatchRecursive(WidgetId id, int message, std::intptr_t param1, std::intptr_t param2) {
    WidgetId handler = runChain(id, message, param1, param2, false, false) ? id : 0;
    const Widget* widget = findWidget(id);
    if (widget == nullptr) return handler;
    std::vector<WidgetId> children = widget->children;
    for (WidgetId child : children) {
        WidgetId childHandler = dispatchRecursive(child, message, param1, param2);
        if (handler == 0) handler = childHandler;
    }
    return handler;
}

}  // namespace

WidgetId dispatch(WidgetId id, int message, int mode, std::intptr_t param1, std::intptr_t param2) {
    switch (mode) {
        case xpMode_Direct:
            return runChain(id, message, param1, param2, false, false) ? id : 0;
        case xpMode_UpChain:
            return dispatchUpChain(id, message, param1, param2);
        case xpMode_Recursive:
            return dispatchRecursive(id, message, param1, param2);
        case xpMode_DirectAllCallbacks:
            return runChain(id, message, param1, param2, true, false) ? id : 0;
        case xpMode_Once:
            return runChain(id, message, param1, param2, false, true) ? id : 0;
        default:
            return 0;
    }
}

}  // namespace skysim

using namespace skysim;

SKYSIM_EXPORT int XPSendMessageToWidget(XPWidgetID widget, XPWidgetMessage message, XPDispatchMode mode,
                                        intptr_t param1, intptr_t param2) {
    SKYSIM_STAND_IN_CODE;
    if (pluginWidget(widget) == nullptr) return 0;
    return dispatch(toId(widget), message, mode, param1, param2) != 0 ? 1 : 0;
}

// A new callback runs before every function already in the chain, and hears
// at once the create message, with param1 1: added to a widget that exists.
SKYSIM_EXPORT void XPAddWidgetCallback(XPWidgetID handle, XPWidgetFunc_t callback) {
    SKYSIM_STAND_IN_CODE;
    Widget* widget = pluginWidget(handle);
    if (widget == nullptr || callback == nullptr) return;
    widget->chain.insert(widget->chain.begin(), callback);
    callWidgetFunction(callback, xpMsg_Create, widget->id, 1, 0);
}
