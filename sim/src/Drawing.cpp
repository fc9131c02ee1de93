// Drawing: the draw pass over the shown windows and the record of every
// drawing call a widget makes while it draws (toolkit window and track
// drawing, text, graphics state, textures and the few OpenGL calls).
//
// Calls made outside a draw pass are dropped: there is no screen to draw on.
#include <cstring>

#include "WidgetTree.h"
#include "XPLMApi.h"

namespace skysim {

namespace {

std::vector<DrawOp> record;
bool drawing = false;
WidgetId drawingWidget = 0;

// The general interface texture and its neighbours: a fixed number per texture id.
constexpr int kFirstTextureNumber = 1000;

void recordOp(DrawOp op) {
    if (!drawing || drawingWidget == 0) return;
    op.widget = drawingWidget;
    record.push_back(std::move(op));
}

DrawOp makeOp(DrawOp::Kind kind) {
    DrawOp op;
    op.kind = kind;
    return op;
}

DrawOp rectangleOp(DrawOp::Kind kind, int x1, int y1, int x2, int y2, int style) {
    DrawOp op = makeOp(kind);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.style = style;
    return op;
}

// The widget, then its shown children, parents first.
void drawTree(WidgetId id) {
    drawingWidget = id;
    dispatch(id, xpMsg_Draw, xpMode_Direct, 0, 0);
    drawingWidget = 0;
    const Widget* widget = findWidget(id);
    if (widget == nullptr) return;
    std::vector<WidgetId> children = widget->children;
    for (WidgetId child : children) {
        const Widget* inner = findWidget(child);
        if (inner != nullptr && inner->visible) drawTree(child);
    }
}

}  // namespace

// The toolkit does not say what its classes draw pixel by pixel, so the record
// keeps only that the class drew the widget, over the widget's rectangle.
void recordStandardDrawing(const Widget& widget) {
    recordOp(rectangleOp(DrawOp::Standard, widget.left, widget.bottom, widget.right, widget.top, widget.widgetClass));
}

void clearDrawing() {
    record.clear();
    drawing = false;
    drawingWidget = 0;
}

std::vector<DrawOp> Sim::draw() {
    clearDrawing();
    drawing = true;
    std::vector<WidgetId> backToFront = rootOrder();
    for (WidgetId root : backToFront) {
        const Widget* window = findWidget(root);
        if (window != nullptr && window->visible) drawTree(root);
    }
    drawing = false;
    return record;
}

}  // namespace skysim

using namespace skysim;

SKYSIM_EXPORT void XPDrawWindow(int x1, int y1, int x2, int y2, int style) {
    SKYSIM_STAND_IN_CODE;
    recordOp(rectangleOp(DrawOp::Window, x1, y1, x2, y2, style));
}

SKYSIM_EXPORT void XPDrawTrack(int x1, int y1, int x2, int y2, int min, int max, int value, int style, int lit) {
    SKYSIM_STAND_IN_CODE;
    DrawOp op = rectangleOp(DrawOp::Track, x1, y1, x2, y2, style);
    op.min = min;
    op.max = max;
    op.value = value;
    op.lit = lit;
    recordOp(std::move(op));
}

// The simulator reads the colour without a check: a null one would crash it.
SKYSIM_EXPORT void XPLMDrawString(float* rgb, int x, int y, const char* text, int*, XPLMFontID font) {
    SKYSIM_STAND_IN_CODE;
    if (rgb == nullptr) {
        simLogLine("XPLMDrawString called without a colour");
        return;
    }
    DrawOp op = makeOp(DrawOp::String);
    std::memcpy(op.rgba, rgb, 3 * sizeof(float));
    op.rgba[3] = 1;
    op.x1 = x;
    op.y1 = y;
    op.text = text != nullptr ? text : "";
    op.font = font;
    recordOp(std::move(op));
}

SKYSIM_EXPORT void XPLMSetGraphicsState(int fog, int texUnits, int lighting, int alphaTest, int alphaBlend,
                                        int depthTest, int depthWrite) {
    SKYSIM_STAND_IN_CODE;
    DrawOp op = makeOp(DrawOp::GraphicsState);
    int state[7] = {fog, texUnits, lighting, alphaTest, alphaBlend, depthTest, depthWrite};
    std::memcpy(op.state, state, sizeof state);
    recordOp(std::move(op));
}

SKYSIM_EXPORT void XPLMBindTexture2d(int texture, int unit) {
    SKYSIM_STAND_IN_CODE;
    DrawOp op = makeOp(DrawOp::BindTexture);
    op.state[0] = texture;
    op.state[1] = unit;
    recordOp(std::move(op));
}

SKYSIM_EXPORT int XPLMGetTexture(int textureId) {
    SKYSIM_STAND_IN_CODE;
    return kFirstTextureNumber + textureId;
}

SKYSIM_EXPORT void XPLMGetFontDimensions(XPLMFontID, int* charWidth, int* charHeight, int* digitsOnly) {
    SKYSIM_STAND_IN_CODE;
    if (charWidth != nullptr) *charWidth = Sim::kFontWidth;
    if (charHeight != nullptr) *charHeight = Sim::kFontHeight;
    if (digitsOnly != nullptr) *digitsOnly = 0;
}

SKYSIM_EXPORT void glBegin(unsigned int mode) {
    SKYSIM_STAND_IN_CODE;
    DrawOp op = makeOp(DrawOp::Begin);
    op.style = static_cast<int>(mode);
    recordOp(std::move(op));
}

SKYSIM_EXPORT void glEnd(void) {
    SKYSIM_STAND_IN_CODE;
    recordOp(makeOp(DrawOp::End));
}

SKYSIM_EXPORT void glVertex2i(int x, int y) {
    SKYSIM_STAND_IN_CODE;
    DrawOp op = makeOp(DrawOp::Vertex);
    op.x1 = x;
    op.y1 = y;
    recordOp(std::move(op));
}

SKYSIM_EXPORT void glColor4f(float red, float green, float blue, float alpha) {
    SKYSIM_STAND_IN_CODE;
    DrawOp op = makeOp(DrawOp::Color);
    float rgba[4] = {red, green, blue, alpha};
    std::memcpy(op.rgba, rgba, sizeof rgba);
    recordOp(std::move(op));
}

SKYSIM_EXPORT void glColor4fv(const float* rgba) {
    SKYSIM_STAND_IN_CODE;
    if (rgba != nullptr) glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
}
