#pragma once

#include <string>

#include "color/md_SetColor.hpp"
#include "host/MsoConstants.hpp"

// The forms in which the colour tools show a colour.
namespace velmora::color {

// "R,G,B", "H,S,B", "H,S,L": decimal numbers joined by commas, no spaces.
std::string CommaText(const ColorRGB& rgb);
std::string CommaText(const ColorHSB& hsb);
std::string CommaText(const ColorHSL& hsl);

// A swatch's tooltip: "Windows HSL: " and the HSL view of c.
std::string HslToolTip(host::Color c);

// The colour value in upper-case hexadecimal without leading zeros, so its
// digits read blue, green, red: pure red is "FF", pure blue "FF0000".
std::string HexText(host::Color c);

}  // namespace velmora::color
