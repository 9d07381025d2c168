#pragma once

#include <cstdint>

#include "host/MsoConstants.hpp"

// The three views of a colour value and the conversions between them.
namespace velmora::color {

// Channels 0 to 255.
struct ColorRGB {
    std::int16_t R = 0;
    std::int16_t G = 0;
    std::int16_t B = 0;
    friend bool operator==(const ColorRGB&, const ColorRGB&) = default;
};

// Hue in degrees 0 to 360 (360 comes from rounding and means 0); saturation
// and brightness in percent.
struct ColorHSB {
    std::int16_t H = 0;
    std::int16_t S = 0;
    std::int16_t B = 0;
    friend bool operator==(const ColorHSB&, const ColorHSB&) = default;
};

// The "Windows HSL" view: every component 0 to 240.
struct ColorHSL {
    std::int16_t H = 0;
    std::int16_t S = 0;
    std::int16_t L = 0;
    friend bool operator==(const ColorHSL&, const ColorHSL&) = default;
};

// The platform's packing: r + 256 * g + 65536 * b.
host::Color RGB(int r, int g, int b);
host::Color RGB(const ColorRGB& channels);

ColorRGB SplitColor(host::Color c);

ColorHSB RGBtoHSB(host::Color c);
ColorHSB RGBtoHSB(const ColorRGB& channels);
ColorHSL RGBtoHSL(host::Color c);

ColorRGB HSLtoRGB(std::int16_t H, std::int16_t S, std::int16_t L);
float HueToRGB(float m1, float m2, float h);
ColorRGB HSBtoRGB(std::int16_t H, std::int16_t S, std::int16_t B);

}  // namespace velmora::color
