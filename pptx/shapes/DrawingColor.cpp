#include "pptx/shapes/DrawingColor.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/DrawingXml.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr double kPercent = 100000.0;

struct Rgb {
    double r, g, b;  // 0..1
};

host::Color Pack(Rgb rgb)
{
    auto channel = [](double value) { return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); };
    return channel(rgb.r) + 256 * channel(rgb.g) + 65536 * channel(rgb.b);
}

std::optional<Rgb> ParseHex(std::string_view text)
{
    if (text.size() != 6) {
        return std::nullopt;
    }
    char* end = nullptr;
    const std::string digits(text);
    const long value = std::strtol(digits.c_str(), &end, 16);
    if (*end != '\0') {
        return std::nullopt;
    }
    auto channel = [value](int shift) { return static_cast<double>((value >> shift) & 0xFF) / 255.0; };
    return Rgb{channel(16), channel(8), channel(0)};
}

std::optional<Rgb> PresetColor(std::string_view name)
{
    static const std::array<std::pair<std::string_view, std::string_view>, 12> presets = {{
        {"black", "000000"}, {"white", "FFFFFF"}, {"red", "FF0000"}, {"green", "008000"},
        {"blue", "0000FF"}, {"yellow", "FFFF00"}, {"gray", "808080"}, {"grey", "808080"},
        {"orange", "FFA500"}, {"purple", "800080"}, {"cyan", "00FFFF"}, {"magenta", "FF00FF"},
    }};
    for (const auto& [key, hex] : presets) {
        if (key == name) return ParseHex(hex);
    }
    return std::nullopt;
}

double HueToChannel(double p, double q, double t)
{
    t -= std::floor(t);
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

Rgb FromHsl(double h, double s, double l)
{
    if (s <= 0) {
        return {l, l, l};
    }
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {HueToChannel(p, q, h + 1.0 / 3), HueToChannel(p, q, h), HueToChannel(p, q, h - 1.0 / 3)};
}

void ToHsl(Rgb c, double& h, double& s, double& l)
{
    const double high = std::max({c.r, c.g, c.b});
    const double low = std::min({c.r, c.g, c.b});
    l = (high + low) / 2;
    h = s = 0;
    const double d = high - low;
    if (d <= 0) {
        return;
    }
    s = l > 0.5 ? d / (2 - high - low) : d / (high + low);
    if (high == c.r) {
        h = (c.g - c.b) / d + (c.g < c.b ? 6 : 0);
    } else if (high == c.g) {
        h = (c.b - c.r) / d + 2;
    } else {
        h = (c.r - c.g) / d + 4;
    }
    h /= 6;
}

// The luminance modifiers theme colours are usually written with.
Rgb ApplyModifiers(Rgb color, pugi::xml_node element)
{
    const auto lumMod = Child(element, "lumMod");
    const auto lumOff = Child(element, "lumOff");
    if (!lumMod && !lumOff) {
        return color;
    }
    double h = 0, s = 0, l = 0;
    ToHsl(color, h, s, l);
    l = l * NumberAttribute(lumMod, "val", 100000) / kPercent + NumberAttribute(lumOff, "val", 0) / kPercent;
    return FromHsl(h, s, std::clamp(l, 0.0, 1.0));
}

std::optional<Rgb> BaseColor(pugi::xml_node element, const ThemeResolver& theme)
{
    if (Is(element, "srgbClr")) {
        return ParseHex(element.attribute("val").value());
    }
    if (Is(element, "schemeClr")) {
        const auto hex = theme.SchemeColor(element.attribute("val").value());
        return hex ? ParseHex(*hex) : std::nullopt;
    }
    if (Is(element, "sysClr")) {
        if (auto last = ParseHex(element.attribute("lastClr").value())) return last;
        return std::string_view(element.attribute("val").value()) == "window" ? Rgb{1, 1, 1} : Rgb{0, 0, 0};
    }
    if (Is(element, "prstClr")) {
        return PresetColor(element.attribute("val").value());
    }
    if (Is(element, "scrgbClr")) {
        return Rgb{NumberAttribute(element, "r", 0) / kPercent, NumberAttribute(element, "g", 0) / kPercent,
                   NumberAttribute(element, "b", 0) / kPercent};
    }
    if (Is(element, "hslClr")) {
        return FromHsl(NumberAttribute(element, "hue", 0) / 21600000.0, NumberAttribute(element, "sat", 0) / kPercent,
                       NumberAttribute(element, "lum", 0) / kPercent);
    }
    return std::nullopt;
}

}  // namespace

pugi::xml_node ColorElement(pugi::xml_node holder)
{
    for (auto child = holder.first_child(); child; child = child.next_sibling()) {
        if (IsAnyOf(child, {"srgbClr", "schemeClr", "sysClr", "prstClr", "scrgbClr", "hslClr"})) {
            return child;
        }
    }
    return {};
}

std::optional<host::Color> ReadColor(pugi::xml_node holder, const ThemeResolver& theme)
{
    const auto element = ColorElement(holder);
    const auto base = BaseColor(element, theme);
    if (!base) {
        return std::nullopt;
    }
    return Pack(ApplyModifiers(*base, element));
}

pugi::xml_node WriteColor(pugi::xml_node holder, host::Color color)
{
    while (holder.first_child()) {
        holder.remove_child(holder.first_child());
    }
    auto element = holder.append_child("a:srgbClr");
    element.append_attribute("val").set_value(HexColor(color).c_str());
    return element;
}

void CheckColor(host::Color color)
{
    if (color < 0 || color > 0xFFFFFF) {
        throw host::HostError("colour value " + std::to_string(color) + " is out of range (0 to 16777215)");
    }
}

std::string HexColor(host::Color color)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

double ReadOpacity(pugi::xml_node colorElement)
{
    return std::clamp(NumberAttribute(Child(colorElement, "alpha"), "val", 100000) / kPercent, 0.0, 1.0);
}

void WriteOpacity(pugi::xml_node colorElement, double opacity)
{
    RemoveChildren(colorElement, {"alpha"});
    if (opacity < 1) {
        SetAttribute(colorElement.append_child("a:alpha"), "val", std::llround(opacity * kPercent));
    }
}

}  // namespace velmora::pptx::shapes
