#include "platform/VirtualKeys.hpp"

#include <array>
#include <utility>

namespace velmora::platform {
namespace {

// The named keys; letters, digits, F-keys and keypad digits are computed.
constexpr std::array<std::pair<std::string_view, int>, 46> kNamedKeys{{
    {"BackSpace", 8},     {"Tab", 9},           {"Clear", 12},        {"Return", 13},
    {"Pause", 19},        {"Caps_Lock", 20},    {"Escape", 27},       {"space", 32},
    {"Prior", 33},        {"Next", 34},         {"End", 35},          {"Home", 36},
    {"Left", 37},         {"Up", 38},           {"Right", 39},        {"Down", 40},
    {"Select", 41},       {"Print", 42},        {"Execute", 43},      {"Sys_Req", 44},
    {"Insert", 45},       {"Delete", 46},       {"Help", 47},         {"KP_Multiply", 106},
    {"KP_Add", 107},      {"KP_Separator", 108}, {"KP_Subtract", 109}, {"KP_Decimal", 110},
    {"KP_Divide", 111},   {"Num_Lock", 144},    {"Scroll_Lock", 145}, {"semicolon", 186},
    {"equal", 187},       {"comma", 188},       {"minus", 189},       {"period", 190},
    {"slash", 191},       {"grave", 192},       {"bracketleft", 219}, {"backslash", 220},
    {"bracketright", 221}, {"apostrophe", 222}, {"Page_Up", 33},      {"Page_Down", 34},
    {"Menu", 93},         {"Cancel", 3},
}};

std::optional<int> Number(std::string_view text)
{
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return value;
}

}  // namespace

std::optional<int> VirtualKeyOfKeysym(std::string_view name)
{
    if (name.size() == 1) {
        const char key = name.front();
        if (key >= 'A' && key <= 'Z') {
            return key;
        }
        if (key >= 'a' && key <= 'z') {
            return key - 'a' + 'A';
        }
        if (key >= '0' && key <= '9') {
            return key;
        }
    }
    if (name.starts_with("F")) {
        if (const auto number = Number(name.substr(1)); number && *number >= 1 && *number <= 24) {
            return 111 + *number;
        }
    }
    if (name.starts_with("KP_")) {
        if (const auto number = Number(name.substr(3)); number && *number <= 9 && name.size() == 4) {
            return 96 + *number;
        }
    }
    for (const auto& [keysym, code] : kNamedKeys) {
        if (keysym == name) {
            return code;
        }
    }
    return std::nullopt;
}

std::string KeysymOfVirtualKey(int virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    if (virtualKey >= 112 && virtualKey <= 135) {
        return "F" + std::to_string(virtualKey - 111);
    }
    if (virtualKey >= 96 && virtualKey <= 105) {
        return "KP_" + std::to_string(virtualKey - 96);
    }
    for (const auto& [keysym, code] : kNamedKeys) {
        if (code == virtualKey) {
            return std::string(keysym);
        }
    }
    return {};
}

}  // namespace velmora::platform
