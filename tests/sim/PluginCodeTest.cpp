// What the stand-in counts as plug-in code: every call into the plug-in (flight
// loops, hot keys, menu handlers, widget functions, entry points) less the
// simulator functions it calls meanwhile, nested either way. Its heap
// allocations are counted, and refused on request; the stand-in's own and the
// driver's are not. An exception leaving plug-in code ends the process.
#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "WidgetFixture.h"
#include "XPLMApi.h"

namespace {

constexpr int kAllocateMessage = 5001;  // a widget function allocates once when it gets it
constexpr int kDescriptorLength = 200;  // longer than a string keeps inside itself

// A long text the plug-in side hands over without allocating it.
const char* longText(char letter) {
    static char text[kDescriptorLength + 1];
    std::memset(text, letter, kDescriptorLength);
    return text;
}

// Where allocated blocks go until they are freed, so no allocation is optimised away.
void* volatile sink = nullptr;

void allocateOnce() {
    sink = std::malloc(32);
    std::free(sink);
}

std::uint64_t allocations() { return skysim::Sim::get().pluginAllocations(); }

float allocatingLoop(float, float, int, void*) {
    allocateOnce();
    return 0;
}

float everyAllocationFunction(float, float, int, void*) {
    void* blocks[8] = {};
    blocks[0] = std::malloc(16);
    blocks[0] = std::realloc(blocks[0], 4096);
    blocks[1] = std::calloc(4, 8);
    blocks[2] = std::aligned_alloc(64, 64);
    blocks[3] = memalign(64, 64);
    if (posix_memalign(&blocks[4], 64, 64) != 0) blocks[4] = nullptr;
    int* array = new int[4];
    blocks[5] = array;
    for (void* block : blocks) sink = block;
    delete[] array;
    for (int i = 0; i < 5; ++i) std::free(blocks[i]);
    return 0;
}

float reallocatesToNothing(float, float, int, void*) {
    void* kept = std::malloc(16);  // counted
    sink = std::realloc(kept, 0);  // frees: allocates nothing
    std::free(sink);
    return 0;
}

// The plug-in asks the simulator for work that allocates in the simulator.
float callsTheSimulator(float, float, int, void*) {
    const char* text = longText('x');
    XPWidgetID window = nullptr;
    for (int i = 0; i < 10; ++i) {
        window = XPCreateWidget(0, 100, 100, 0, 1, text, 1, nullptr, xpWidgetClass_MainWindow);
        XPSetWidgetDescriptor(window, text);
        XPSetWidgetProperty(window, 1000 + i, i);
        XPLMDebugString(text);
    }
    XPLMRegisterFlightLoopCallback(allocatingLoop, 0, nullptr);
    XPDestroyWidget(window, 1);
    return 0;
}

// A custom widget that allocates once for each kAllocateMessage and on create,
// and then calls the toolkit, which allocates in the simulator.
int allocatingWidget(XPWidgetMessage message, XPWidgetID widget, intptr_t, intptr_t) {
    if (message != kAllocateMessage && message != xpMsg_Create) return 0;
    allocateOnce();
    XPSetWidgetDescriptor(widget, longText('y'));
    return 1;
}

XPWidgetID widgetMadeByLoop = nullptr;

// Plug-in code calls the toolkit, which calls the plug-in's widget function,
// which calls the toolkit again.
float sendsToAWidget(float, float, int, void*) {
    widgetMadeByLoop = XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, allocatingWidget);
    XPSendMessageToWidget(widgetMadeByLoop, kAllocateMessage, xpMode_Direct, 0, 0);
    XPSendMessageToWidget(widgetMadeByLoop, kAllocateMessage, xpMode_Direct, 0, 0);
    return 0;
}

void allocatingHotKey(void*) { allocateOnce(); }
void allocatingMenuHandler(void*, void*) { allocateOnce(); }

int allocatingOnPush(XPWidgetMessage message, XPWidgetID, intptr_t, intptr_t) {
    if (message == xpMsg_PushButtonPressed) allocateOnce();
    return 0;
}

// Three allocations in one call: which of them memory allowed.
float allocatesThrice(float, float, int, void* refcon) {
    auto* made = static_cast<bool*>(refcon);
    for (int i = 0; i < 3; ++i) {
        sink = std::malloc(16);
        made[i] = sink != nullptr;
        std::free(sink);
    }
    return -1;  // every frame
}

int throwsOnCreate(XPWidgetMessage message, XPWidgetID, intptr_t, intptr_t) {
    if (message == xpMsg_Create) throw std::runtime_error("out of the widget function");
    return 0;
}

// Plug-in code that would catch what its widget function throws, were it let through.
float catchesAroundAWidget(float, float, int, void*) {
    try {
        XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, throwsOnCreate);
    } catch (...) {
        return 0;
    }
    return 0;
}

class PluginCodeTest : public WidgetTest {
protected:
    // Runs one frame with `loop` registered as the plug-in's; returns the allocations it counted.
    std::uint64_t countedInLoop(XPLMFlightLoop_f loop) {
        XPLMRegisterFlightLoopCallback(loop, -1, nullptr);
        std::uint64_t before = allocations();
        sim().runFrames(1);
        std::uint64_t counted = allocations() - before;
        XPLMUnregisterFlightLoopCallback(loop, nullptr);
        return counted;
    }
};

TEST_F(PluginCodeTest, EveryAllocationFunctionIsCountedOnce) {
    // malloc, realloc, calloc, aligned_alloc, memalign, posix_memalign, new[]
    EXPECT_EQ(7u, countedInLoop(everyAllocationFunction));
}

TEST_F(PluginCodeTest, RefusalCanLetTheFirstAllocationsThroughAndNeverTouchesTheDrivers) {
    if (!sim().refusePluginAllocations(true, 2)) GTEST_SKIP() << "this build cannot refuse allocations";
    bool made[3] = {};
    XPLMRegisterFlightLoopCallback(allocatesThrice, -1, made);
    sim().runFrames(1);
    std::string drivers(kDescriptorLength, 'd');
    sim().refusePluginAllocations(false);
    EXPECT_TRUE(made[0] && made[1]);
    EXPECT_FALSE(made[2]);
    EXPECT_EQ(std::string(kDescriptorLength, 'd'), drivers);
    sim().runFrames(1);
    EXPECT_TRUE(made[2]) << "turned off, nothing is refused";
    XPLMUnregisterFlightLoopCallback(allocatesThrice, made);
}

// The simulator's frames lie between the widget function and the flight loop:
// nothing is unwound across them, even to plug-in code that would catch it.
TEST_F(PluginCodeTest, AnExceptionLeavingPluginCodeEndsTheProcess) {
    EXPECT_DEATH(
        {
            XPLMRegisterFlightLoopCallback(catchesAroundAWidget, -1, nullptr);
            sim().runFrames(1);
        },
        "terminate");
}

TEST_F(PluginCodeTest, ReallocatingToNothingIsNoAllocation) {
    EXPECT_EQ(1u, countedInLoop(reallocatesToNothing)) << "only the malloc";
}

TEST_F(PluginCodeTest, TheDriversOwnAllocationsAreNotCounted) {
    std::uint64_t before = allocations();
    allocateOnce();
    std::string text(kDescriptorLength, 'z');
    XPCreateWidget(0, 10, 10, 0, 1, text.c_str(), 1, nullptr, xpWidgetClass_MainWindow);
    EXPECT_EQ(before, allocations());
    EXPECT_EQ(1u, countedInLoop(allocatingLoop)) << "and a callback after them is";
    allocateOnce();
    EXPECT_EQ(before + 1, allocations()) << "the driver runs outside plug-in code again";
}

TEST_F(PluginCodeTest, TheSimulatorsWorkForThePluginIsNotCounted) {
    EXPECT_EQ(0u, countedInLoop(callsTheSimulator));
    EXPECT_EQ(9, sim().widgetCount()) << "the loop made ten windows and destroyed one";
}

TEST_F(PluginCodeTest, PluginCodeNestedInTheSimulatorsFunctionsIsCounted) {
    EXPECT_EQ(3u, countedInLoop(sendsToAWidget)) << "the create message and two sends";
    ASSERT_NE(nullptr, widgetMadeByLoop);
    EXPECT_EQ(std::string(kDescriptorLength, 'y'), sim().widget(idOf(widgetMadeByLoop)).descriptor);
}

TEST_F(PluginCodeTest, TheDriversMessagesReachPluginCode) {
    XPWidgetID widget = XPCreateCustomWidget(0, 100, 100, 0, 1, "", 1, nullptr, allocatingWidget);
    std::uint64_t before = allocations();
    XPSendMessageToWidget(widget, kAllocateMessage, xpMode_Direct, 0, 0);
    sim().click(50, 50);  // a custom widget gets the mouse itself; this one ignores it
    XPDestroyWidget(widget, 1);
    EXPECT_EQ(before + 1, allocations());
}

TEST_F(PluginCodeTest, HotKeysAndMenuHandlersRunAsPluginCode) {
    XPLMRegisterHotKey('K', xplm_DownFlag, "probe", allocatingHotKey, nullptr);
    int item = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Probe", nullptr, 1);
    XPLMMenuID menu = XPLMCreateMenu("Probe", XPLMFindPluginsMenu(), item, allocatingMenuHandler, nullptr);
    XPLMAppendMenuItem(menu, "Allocate", nullptr, 1);
    std::uint64_t before = allocations();
    ASSERT_EQ(1, sim().tapKey('K', 0));
    ASSERT_TRUE(sim().callHotKeyWithReference('K', xplm_DownFlag, nullptr));
    ASSERT_TRUE(sim().pickMenuItem("Allocate"));
    ASSERT_TRUE(sim().pickMenuItemRef("Probe", nullptr));
    EXPECT_EQ(before + 4, allocations());
}

// The standard classes' behaviour is the simulator's: only the callback the
// plug-in added to the window runs as plug-in code.
TEST_F(PluginCodeTest, StandardWidgetsWorkAsTheSimulatorsCode) {
    XPWidgetID frame = window(0, 100, 100, 0);
    pushButton(frame, 10, 40, 60, 20, "Go");
    std::uint64_t before = allocations();
    ASSERT_TRUE(sim().clickButton("Go"));
    EXPECT_EQ(before, allocations());
    XPAddWidgetCallback(frame, allocatingOnPush);
    ASSERT_TRUE(sim().clickButton("Go"));
    EXPECT_EQ(before + 1, allocations());
}

}  // namespace
