#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/Forward.hpp"
#include "host/MsoConstants.hpp"

// The three views of a colour value and the conversions between them, the
// palette's generated colours, and colouring the host's selection.
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

// What ApplyColor colours; any other value colours nothing.
namespace ApplyTarget {
inline constexpr int Fill = 1;
inline constexpr int Text = 2;
inline constexpr int Line = 3;
}  // namespace ApplyTarget

// The module state the palette shares with its swatches' event classes.
struct PaletteState {
    double GradDeep = 0.5;      // variation intensity, 0.1 to 1.0
    std::int16_t GradMode = 1;  // variation scheme, 1 to 6
    std::int16_t TargetType = ApplyTarget::Fill;
    bool ColorSyncEnabled = false;  // false while the program moves the bars itself
};

inline constexpr int kVariationsPerRow = 9;
inline constexpr int kVariationCount = kVariationsPerRow * kVariationsPerRow;

// The variation grid around `display` in reading order, its centre being
// `display` as the scheme's view rounds it; nothing for a scheme other than
// 1 to 6. Schemes 1 to 3 vary the HSB view, 4 to 6 the HSL view; `gradDeep`
// scales every step.
std::optional<std::array<host::Color, kVariationCount>> Variations(host::Color display, int gradMode,
                                                                   double gradDeep);

// The two-colour gradient: `steps` colours between start and end, so
// steps + 2 colours in all, start first.
std::vector<host::Color> Gradient(host::Color start, host::Color end, int steps);

// Colours the shapes selected in the active window as fill, text or line
// (ApplyTarget). Never fails: a step the host refuses is skipped, and a
// selection that is not shapes colours nothing.
void ApplyColor(host::Application& application, host::Color colour, int target);

}  // namespace velmora::color
