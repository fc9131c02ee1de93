// A widget's properties, descriptor, visibility and geometry, as the plug-in
// reads and writes them. Calls on an unknown or destroyed id do nothing and read 0.
#include <algorithm>
#include <cstring>

#include "WidgetTree.h"

namespace skysim {

std::intptr_t widgetProperty(const Widget& widget, int property, bool* exists) {
    auto found = widget.properties.find(property);
    bool known = found != widget.properties.end();
    if (exists != nullptr) *exists = known;
    return known ? found->second : 0;
}

bool isEnabled(const Widget& widget) { return widgetProperty(widget, xpProperty_Enabled) != 0; }

void setDescriptor(Widget& widget, const char* text) {
    widget.descriptor = text != nullptr ? text : "";
    dispatch(widget.id, xpMsg_DescriptorChanged, xpMode_Direct, 0, 0);
}

}  // namespace skysim

using namespace skysim;

SKYSIM_EXPORT void XPSetWidgetProperty(XPWidgetID handle, XPWidgetPropertyID property, intptr_t value) {
    SKYSIM_STAND_IN_CODE;
    Widget* widget = pluginWidget(handle);
    if (widget == nullptr) return;
    widget->properties[property] = value;
    dispatch(widget->id, xpMsg_PropertyChanged, xpMode_Direct, property, value);
}

SKYSIM_EXPORT intptr_t XPGetWidgetProperty(XPWidgetID handle, XPWidgetPropertyID property, int* exists) {
    SKYSIM_STAND_IN_CODE;
    const Widget* widget = pluginWidget(handle);
    bool known = false;
    intptr_t value = widget != nullptr ? widgetProperty(*widget, property, &known) : 0;
    if (exists != nullptr) *exists = known ? 1 : 0;
    return value;
}

namespace skysim {
int descriptorWriteCount = 0;
}

SKYSIM_EXPORT void XPSetWidgetDescriptor(XPWidgetID handle, const char* descriptor) {
    SKYSIM_STAND_IN_CODE;
    ++descriptorWriteCount;
    Widget* widget = pluginWidget(handle);
    if (widget != nullptr) setDescriptor(*widget, descriptor);
}

// Copies at most maxLength bytes and terminates only when room is left, as the
// toolkit does; the result is always the descriptor's full length.
SKYSIM_EXPORT int XPGetWidgetDescriptor(XPWidgetID handle, char* out, int maxLength) {
    SKYSIM_STAND_IN_CODE;
    const Widget* widget = pluginWidget(handle);
    if (widget == nullptr) return 0;
    const std::string& text = widget->descriptor;
    if (out != nullptr && maxLength > 0) {
        size_t room = static_cast<size_t>(maxLength);
        size_t copied = std::min(text.size(), room);
        std::memcpy(out, text.data(), copied);
        if (copied < room) out[copied] = '\0';
    }
    return static_cast<int>(text.size());
}

SKYSIM_EXPORT void XPShowWidget(XPWidgetID handle) {
    SKYSIM_STAND_IN_CODE;
    Widget* widget = pluginWidget(handle);
    if (widget != nullptr) widget->visible = true;
}

SKYSIM_EXPORT void XPHideWidget(XPWidgetID handle) {
    SKYSIM_STAND_IN_CODE;
    Widget* widget = pluginWidget(handle);
    if (widget != nullptr) widget->visible = false;
}

// Visible to the pilot: the widget and every container up to its root.
SKYSIM_EXPORT int XPIsWidgetVisible(XPWidgetID handle) {
    SKYSIM_STAND_IN_CODE;
    const Widget* widget = pluginWidget(handle);
    return widget != nullptr && isShown(*widget) ? 1 : 0;
}

SKYSIM_EXPORT void XPGetWidgetGeometry(XPWidgetID handle, int* left, int* top, int* right, int* bottom) {
    SKYSIM_STAND_IN_CODE;
    const Widget* widget = pluginWidget(handle);
    Widget none;
    if (widget == nullptr) widget = &none;
    if (left != nullptr) *left = widget->left;
    if (top != nullptr) *top = widget->top;
    if (right != nullptr) *right = widget->right;
    if (bottom != nullptr) *bottom = widget->bottom;
}
