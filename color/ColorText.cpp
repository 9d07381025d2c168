#include "color/ColorText.hpp"

#include <cstdio>

namespace velmora::color {

namespace {

std::string JoinWithCommas(int first, int second, int third)
{
    return std::to_string(first) + "," + std::to_string(second) + "," + std::to_string(third);
}

}  // namespace

std::string CommaText(const ColorRGB& rgb)
{
    return JoinWithCommas(rgb.R, rgb.G, rgb.B);
}

std::string CommaText(const ColorHSB& hsb)
{
    return JoinWithCommas(hsb.H, hsb.S, hsb.B);
}

std::string CommaText(const ColorHSL& hsl)
{
    return JoinWithCommas(hsl.H, hsl.S, hsl.L);
}

std::string HslToolTip(host::Color c)
{
    return "Windows HSL: " + CommaText(RGBtoHSL(c));
}

std::string HexText(host::Color c)
{
    char digits[9];
    std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(c));
    return digits;
}

}  // namespace velmora::color
