// Key and modifier names, and their lookup.
#include "config/HotKeyNames.h"

#include <cstring>

#include "XPLMApi.h"

// Each name is a simulator virtual-key constant without its XPLM_VK_ prefix.
constexpr KeyNameRow KeyNameTable[kKeyNameCount] = {
    {"BACK", 8},        {"TAB", 9},       {"CLEAR", 12},      {"RETURN", 13},     {"ESCAPE", 27},
    {"SPACE", 32},      {"PRIOR", 33},    {"NEXT", 34},       {"END", 35},        {"HOME", 36},
    {"LEFT", 37},       {"UP", 38},       {"RIGHT", 39},      {"DOWN", 40},       {"SELECT", 41},
    {"PRINT", 42},      {"EXECUTE", 43},  {"SNAPSHOT", 44},   {"INSERT", 45},     {"DELETE", 46},
    {"HELP", 47},       {"0", 48},        {"1", 49},          {"2", 50},          {"3", 51},
    {"4", 52},          {"5", 53},        {"6", 54},          {"7", 55},          {"8", 56},
    {"9", 57},          {"A", 65},        {"B", 66},          {"C", 67},          {"D", 68},
    {"E", 69},          {"F", 70},        {"G", 71},          {"H", 72},          {"I", 73},
    {"J", 74},          {"K", 75},        {"L", 76},          {"M", 77},          {"N", 78},
    {"O", 79},          {"P", 80},        {"Q", 81},          {"R", 82},          {"S", 83},
    {"T", 84},          {"U", 85},        {"V", 86},          {"W", 87},          {"X", 88},
    {"Y", 89},          {"Z", 90},        {"NUMPAD0", 96},    {"NUMPAD1", 97},    {"NUMPAD2", 98},
    {"NUMPAD3", 99},    {"NUMPAD4", 100}, {"NUMPAD5", 101},   {"NUMPAD6", 102},   {"NUMPAD7", 103},
    {"NUMPAD8", 104},   {"NUMPAD9", 105}, {"MULTIPLY", 106},  {"ADD", 107},       {"SEPARATOR", 108},
    {"SUBTRACT", 109},  {"DECIMAL", 110}, {"DIVIDE", 111},    {"F1", 112},        {"F2", 113},
    {"F3", 114},        {"F4", 115},      {"F5", 116},        {"F6", 117},        {"F7", 118},
    {"F8", 119},        {"F9", 120},      {"F10", 121},       {"F11", 122},       {"F12", 123},
    {"F13", 124},       {"F14", 125},     {"F15", 126},       {"F16", 127},       {"F17", 128},
    {"F18", 129},       {"F19", 130},     {"F20", 131},       {"F21", 132},       {"F22", 133},
    {"F23", 134},       {"F24", 135},     {"EQUAL", 176},     {"MINUS", 177},     {"RBRACE", 178},
    {"LBRACE", 179},    {"QUOTE", 180},   {"SEMICOLON", 181}, {"BACKSLASH", 182}, {"COMMA", 183},
    {"SLASH", 184},     {"PERIOD", 185},  {"BACKQUOTE", 186}, {"ENTER", 187},     {"NUMPAD_ENT", 188},
    {"NUMPAD_EQ", 189},
};

constexpr KeyNameRow ModifierNameTable[kModifierNameCount] = {
    {"Shift", 1}, {"Alt", 2}, {"Control", 4}, {"Down", 8}, {"Up", 16},
};

// A row missing from a list would leave its last row empty.
static_assert(KeyNameTable[kKeyNameCount - 1].name[0] != '\0', "kKeyNameCount rows");
static_assert(ModifierNameTable[kModifierNameCount - 1].name[0] != '\0', "kModifierNameCount rows");

namespace {

int codeOf(const KeyNameRow* table, int count, const char* name, size_t length) {
    for (int i = 0; i < count; ++i) {
        if (std::strlen(table[i].name) == length && std::strncmp(table[i].name, name, length) == 0) {
            return table[i].code;
        }
    }
    return 0;
}

bool isDelimiter(char c) { return c == ' ' || c == '+' || c == '\n'; }

}  // namespace

int keyCodeFromName(const char* name) { return codeOf(KeyNameTable, kKeyNameCount, name, std::strlen(name)); }

int modifierFlagsFromNames(const char* text) {
    int sum = 0;
    const char* c = text;
    while (*c != '\0') {
        while (*c != '\0' && isDelimiter(*c)) ++c;
        const char* token = c;
        while (*c != '\0' && !isDelimiter(*c)) ++c;
        if (c > token) sum += codeOf(ModifierNameTable, kModifierNameCount, token, static_cast<size_t>(c - token));
    }
    return sum;
}

int hotKeyRegistrationFlags(int modifiers) {
    constexpr int kPressFlags = xplm_DownFlag | xplm_UpFlag;
    return (modifiers & kPressFlags) != 0 ? modifiers : modifiers + xplm_DownFlag;
}
