#pragma once

#include <string>
#include <string_view>

// Typing a channel value into one of the palette's colour text boxes.
namespace velmora::color {

inline constexpr int kColorBoxMaxLength = 3;

// Whether a typed character reaches the box; all others are discarded.
bool ColorBoxKeyPasses(int keyAscii);

struct ColorBoxEntry {
    std::string text;  // the box's text after the key release
    int barValue = 0;  // the value its scroll bar takes
};

// On key release: a three-character entry above the bar's maximum becomes
// the maximum; the bar then takes the text's value, empty text being 0.
ColorBoxEntry ColorBoxKeyUp(std::string_view text, int barMax);

// The scroll bar a box belongs to: the one ending in the box name's last
// character ("TextBox4" belongs to "ScrollBar4").
std::string ScrollBarOfBox(std::string_view boxName);

}  // namespace velmora::color
