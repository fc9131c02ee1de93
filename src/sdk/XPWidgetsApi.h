// The simulator's widget toolkit and the few OpenGL calls, as this plug-in
// calls them. C linkage, default calling convention; resolved at load time.
#pragma once

#include <cstdint>

typedef void* XPWidgetID;
typedef int XPWidgetClass;
typedef int XPWidgetMessage;
typedef int XPWidgetPropertyID;
typedef int XPDispatchMode;
typedef int (*XPWidgetFunc_t)(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2);

// Widget classes
constexpr XPWidgetClass xpWidgetClass_MainWindow = 1;
constexpr XPWidgetClass xpWidgetClass_SubWindow = 2;
constexpr XPWidgetClass xpWidgetClass_Button = 3;
constexpr XPWidgetClass xpWidgetClass_TextField = 4;
constexpr XPWidgetClass xpWidgetClass_Caption = 6;

// Properties
constexpr XPWidgetPropertyID xpProperty_Enabled = 7;
constexpr XPWidgetPropertyID xpProperty_MainWindowHasCloseBoxes = 1200;
constexpr XPWidgetPropertyID xpProperty_SubWindowType = 1200;
constexpr XPWidgetPropertyID xpProperty_ButtonType = 1300;
constexpr XPWidgetPropertyID xpProperty_TextFieldType = 1403;

// Messages
constexpr XPWidgetMessage xpMsg_Create = 1;
constexpr XPWidgetMessage xpMsg_Destroy = 2;
constexpr XPWidgetMessage xpMsg_Draw = 4;
constexpr XPWidgetMessage xpMsg_MouseDown = 8;
constexpr XPWidgetMessage xpMsg_MouseDrag = 9;
constexpr XPWidgetMessage xpMsg_MouseUp = 10;
constexpr XPWidgetMessage xpMsg_DescriptorChanged = 18;
constexpr XPWidgetMessage xpMsg_PropertyChanged = 19;
constexpr XPWidgetMessage xpMessage_CloseButtonPushed = 1200;
constexpr XPWidgetMessage xpMsg_PushButtonPressed = 1300;

// Dispatch modes
constexpr XPDispatchMode xpMode_Direct = 0;
constexpr XPDispatchMode xpMode_UpChain = 1;
constexpr XPDispatchMode xpMode_Recursive = 2;
constexpr XPDispatchMode xpMode_DirectAllCallbacks = 3;
constexpr XPDispatchMode xpMode_Once = 4;

// Drawing styles
constexpr int xpWindow_ListView = 5;
constexpr int xpTrack_ScrollBar = 0;

// The mouse messages' first parameter points to this record.
struct XPMouseState_t {
    int x;
    int y;
    int button;
    int delta;
};

extern "C" {

XPWidgetID XPCreateWidget(int left, int top, int right, int bottom, int visible, const char* descriptor, int isRoot,
                          XPWidgetID container, XPWidgetClass widgetClass);
XPWidgetID XPCreateCustomWidget(int left, int top, int right, int bottom, int visible, const char* descriptor,
                                int isRoot, XPWidgetID container, XPWidgetFunc_t callback);
void XPDestroyWidget(XPWidgetID widget, int destroyChildren);
void XPAddWidgetCallback(XPWidgetID widget, XPWidgetFunc_t callback);
void XPSetWidgetProperty(XPWidgetID widget, XPWidgetPropertyID property, intptr_t value);
intptr_t XPGetWidgetProperty(XPWidgetID widget, XPWidgetPropertyID property, int* exists);
void XPSetWidgetDescriptor(XPWidgetID widget, const char* descriptor);
// Returns the descriptor's length; a text that fills the buffer is not terminated.
int XPGetWidgetDescriptor(XPWidgetID widget, char* out, int maxLength);
void XPShowWidget(XPWidgetID widget);
void XPHideWidget(XPWidgetID widget);
int XPIsWidgetVisible(XPWidgetID widget);
int XPSendMessageToWidget(XPWidgetID widget, XPWidgetMessage message, XPDispatchMode mode, intptr_t param1,
                          intptr_t param2);
void XPGetWidgetGeometry(XPWidgetID widget, int* left, int* top, int* right, int* bottom);
void XPDrawWindow(int x1, int y1, int x2, int y2, int style);
void XPDrawTrack(int x1, int y1, int x2, int y2, int min, int max, int value, int style, int lit);
void XPGetTrackMetrics(int x1, int y1, int x2, int y2, int min, int max, int value, int style, int* isVertical,
                       int* downButton, int* downPage, int* thumb, int* upPage, int* upButton);
int XPUSelectIfNeeded(XPWidgetMessage message, XPWidgetID widget, intptr_t param1, intptr_t param2, int eatClick);

// OpenGL immediate mode (opengl32.dll on Windows, the process's GL elsewhere)
void glBegin(unsigned int mode);
void glEnd(void);
void glVertex2i(int x, int y);
void glColor4f(float red, float green, float blue, float alpha);
void glColor4fv(const float* rgba);

}  // extern "C"

constexpr unsigned int GL_QUADS = 7;
