#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "color/md_SetColor.hpp"

namespace velmora::color {
namespace {

// Unoptimised and sanitizer builds take every 7th colour only (7 is coprime
// to 256, so every value of every channel is still reached).
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr host::Color kStride = 7;
#else
constexpr host::Color kStride = 1;
#endif

constexpr host::Color kColourCount = 16777216;

// How far a channel may move on the way through HSL and back.
//
// Each HSL component is rounded to a whole 1/240, so it moves by at most
// 1/480 of its range. A channel, as a share v of 255, is
//   v = l + C (x - 1/2),  C = s (1 - |2l - 1|),
// x running 0..1 along the hue circle with slope at most 6 per circle. So
// |dv/dl| <= 1 + s <= 2, |dv/ds| <= 1/2, |dv/dh| <= 6 C, and C itself moves
// by at most |ds| + 2 |dl| = 3/480 on the way. With C0 = (max - min) / 255:
//   |dv| <= (2 + 1/2 + 6 (C0 + 3/480)) / 480,
// that is 255/480 * (2.5 + 18/480) + (max - min) / 80 channel units, plus
// one half for rounding the channel: 1.85 for greys, 5.04 for full colours.
double RoundTripBound(const ColorRGB& c)
{
    const int chroma = std::max({c.R, c.G, c.B}) - std::min({c.R, c.G, c.B});
    return 255.0 / 480 * (2.5 + 18.0 / 480) + chroma / 80.0 + 0.5;
}

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

TEST(ColourCube, HSLStaysInRangeAndComesBackWithinItsRounding)
{
    int worst = 0;
    for (host::Color c = 0; c < kColourCount; c += kStride) {
        const ColorRGB start = SplitColor(c);
        const ColorHSL hsl = RGBtoHSL(c);
        if (!Within(hsl.H, 0, 240) || !Within(hsl.S, 0, 240) || !Within(hsl.L, 0, 240)) {
            FAIL() << "colour " << c << " gives HSL " << hsl.H << "," << hsl.S << "," << hsl.L;
        }
        const ColorRGB back = HSLtoRGB(hsl.H, hsl.S, hsl.L);
        const int error = std::max({std::abs(back.R - start.R), std::abs(back.G - start.G),
                                    std::abs(back.B - start.B)});
        worst = std::max(worst, error);
        if (error > RoundTripBound(start)) {
            FAIL() << "colour " << c << " came back as " << RGB(back) << " via HSL " << hsl.H << ","
                   << hsl.S << "," << hsl.L;
        }
    }
    RecordProperty("worst_channel_error", worst);
}

TEST(ColourCube, HSBStaysInRange)
{
    for (host::Color c = 0; c < kColourCount; c += kStride) {
        const ColorHSB hsb = RGBtoHSB(c);
        if (!Within(hsb.H, 0, 360) || !Within(hsb.S, 0, 100) || !Within(hsb.B, 0, 100)) {
            FAIL() << "colour " << c << " gives HSB " << hsb.H << "," << hsb.S << "," << hsb.B;
        }
    }
}

}  // namespace
}  // namespace velmora::color
