#include "color/md_SetColor.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "color/RuntimeArithmetic.hpp"

namespace velmora::color {

// The HSB and HSL conversions reproduce the host runtime's single precision
// results; a float expression must round every step to float.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must not carry excess precision");

namespace {

// On integers the runtime's integer division and Mod are C++'s / and %:
// both truncate toward zero.
std::int16_t ChannelOf(host::Color c, int weight)
{
    return static_cast<std::int16_t>(c / weight % 256);
}

// Hue in degrees, testing R, then G, then B for the largest channel.
double HueDegrees(const ColorRGB& c, int max, int min)
{
    const double f = 60.0 / (max - min);
    if (c.R == max) {
        return c.G >= c.B ? (c.G - c.B) * f : 360 + (c.G - c.B) * f;
    }
    if (c.G == max) {
        return 120 + (c.B - c.R) * f;
    }
    return 240 + (c.R - c.G) * f;
}

// Hue on the 240 scale from channels scaled to 0..1.
double HueOf240(double r, double g, double b, double max, double d)
{
    double h = 0;
    if (r == max) {
        h = (g - b) / d * 40;
    } else if (g == max) {
        h = (b - r) / d * 40 + 80;
    } else {
        h = (r - g) / d * 40 + 160;
    }
    if (h < 0) {
        h += 240;
    }
    if (h > 240) {
        h -= 240;
    }
    return h;
}

// A channel from its share 0..1, scaled in single precision.
std::int16_t ScaledChannel(float share)
{
    const float scaled = share * 255;
    return ToInt16(scaled);
}

ColorRGB Grey(std::int16_t level)
{
    return {level, level, level};
}

}  // namespace

host::Color RGB(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

host::Color RGB(const ColorRGB& channels)
{
    return RGB(channels.R, channels.G, channels.B);
}

ColorRGB SplitColor(host::Color c)
{
    return {ChannelOf(c, 1), ChannelOf(c, 256), ChannelOf(c, 65536)};
}

ColorHSB RGBtoHSB(host::Color c)
{
    return RGBtoHSB(SplitColor(c));
}

ColorHSB RGBtoHSB(const ColorRGB& channels)
{
    const int max = std::max({channels.R, channels.G, channels.B});
    const int min = std::min({channels.R, channels.G, channels.B});
    ColorHSB hsb;
    hsb.B = static_cast<std::int16_t>(100 * max / 255);
    if (max > min) {
        hsb.S = static_cast<std::int16_t>(100 * (max - min) / max);
        hsb.H = ToInt16(HueDegrees(channels, max, min));
    }
    return hsb;
}

ColorHSL RGBtoHSL(host::Color c)
{
    const ColorRGB channels = SplitColor(c);
    const double r = channels.R / 255.0;
    const double g = channels.G / 255.0;
    const double b = channels.B / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double d = max - min;
    const double l = (max + min) / 2;
    double h = 0;
    double s = 0;
    if (d != 0) {
        s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
        h = HueOf240(r, g, b, max, d);
    }
    return {ToInt16(h), ToInt16(s * 240), ToInt16(l * 240)};
}

ColorRGB HSLtoRGB(std::int16_t H, std::int16_t S, std::int16_t L)
{
    const double h = H / 240.0;
    const double s = S / 240.0;
    const double l = L / 240.0;
    if (s == 0) {
        return Grey(ToInt16(255 * l));
    }
    const double t2 = l < 0.5 ? l * (1 + s) : (l + s) - l * s;
    const double t1 = 2 * l - t2;
    const auto m1 = static_cast<float>(t1);
    const auto m2 = static_cast<float>(t2);
    return {ScaledChannel(HueToRGB(m1, m2, static_cast<float>(h + 1.0 / 3))),
            ScaledChannel(HueToRGB(m1, m2, static_cast<float>(h))),
            ScaledChannel(HueToRGB(m1, m2, static_cast<float>(h - 1.0 / 3)))};
}

float HueToRGB(float m1, float m2, float h)
{
    constexpr float twoThirds = 2.0F / 3.0F;
    if (h < 0) {
        h += 1;
    }
    if (h > 1) {
        h -= 1;
    }
    const float spread = m2 - m1;
    const float sixH = 6 * h;
    if (sixH < 1) {
        const float spreadBySix = spread * 6;
        const float rise = spreadBySix * h;
        return m1 + rise;
    }
    const float twoH = 2 * h;
    if (twoH < 1) {
        return m2;
    }
    const float threeH = 3 * h;
    if (threeH < 2) {
        const float remaining = twoThirds - h;
        const float spreadByRemaining = spread * remaining;
        const float fall = spreadByRemaining * 6;
        return m1 + fall;
    }
    return m1;
}

ColorRGB HSBtoRGB(std::int16_t H, std::int16_t S, std::int16_t B)
{
    const float h = static_cast<float>(H) / 360;
    const float s = static_cast<float>(S) / 100;
    const float v = static_cast<float>(B) / 100;
    if (S == 0) {
        return Grey(ScaledChannel(v));
    }
    float e = h * 6;
    if (e == 6) {
        e = 0;
    }
    const float i = std::floor(e);
    const float f = e - i;
    const float sByF = s * f;
    const float sByRest = s * (1 - f);
    const float p = v * (1 - s);
    const float q = v * (1 - sByF);
    const float t = v * (1 - sByRest);
    const auto channels = [](float r, float g, float b) {
        return ColorRGB{ScaledChannel(r), ScaledChannel(g), ScaledChannel(b)};
    };
    switch (static_cast<int>(i)) {
    case 0:
        return channels(v, t, p);
    case 1:
        return channels(q, v, p);
    case 2:
        return channels(p, v, t);
    case 3:
        return channels(p, q, v);
    case 4:
        return channels(t, p, v);
    default:
        return channels(v, p, q);
    }
}

}  // namespace velmora::color
