#include "color/md_SetColor.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "color/RuntimeArithmetic.hpp"
#include "host/Application.hpp"
#include "host/HostError.hpp"
#include "host/Shape.hpp"
#include "host/TextRange.hpp"

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

// A varied component held within 0..top.
std::int16_t Limited(double value, int top)
{
    return ToInt16(std::clamp(value, 0.0, static_cast<double>(top)));
}

// Variation at column offset dc and row offset dr (-4 to 4) in the HSB view.
ColorRGB HsbVariation(const ColorHSB& hsb, int gradMode, double d, int dc, int dr)
{
    const std::int16_t hue = ToInt16(Mod(dc * 36 * d + hsb.H + 360, 360));
    switch (gradMode) {
    case 1:
        return HSBtoRGB(hue, Limited(hsb.S + dr * 20 * d, 100), hsb.B);
    case 2:
        return HSBtoRGB(hue, hsb.S, Limited(hsb.B - dr * 20 * d, 100));
    default:
        return HSBtoRGB(hsb.H, Limited(hsb.S + dc * 20 * d, 100), Limited(hsb.B - dr * 20 * d, 100));
    }
}

// The same on the HSL view's 240 scale; gradMode 4 to 6.
ColorRGB HslVariation(const ColorHSL& hsl, int gradMode, double d, int dc, int dr)
{
    const std::int16_t hue = ToInt16(Mod(dc * 24 * d + hsl.H + 240, 240));
    switch (gradMode) {
    case 4:
        return HSLtoRGB(hue, Limited(hsl.S + dr * 24 * d, 240), hsl.L);
    case 5:
        return HSLtoRGB(hue, hsl.S, Limited(hsl.L - dr * 24 * d, 240));
    default:
        return HSLtoRGB(hsl.H, Limited(hsl.S + dc * 24 * d, 240), Limited(hsl.L - dr * 24 * d, 240));
    }
}

bool HoldsText(int shapeType)
{
    return shapeType == host::ShapeType::Placeholder || shapeType == host::ShapeType::TextBox;
}

// Runs write on every cell of the selected table, each cell on its own.
template <typename Write>
void ForEachSelectedCell(host::Selection& sel, Write write)
{
    host::Suppressed([&] {
        auto range = sel.ShapeRange();
        if (range->HasTable() != host::TriState::True) {
            return;
        }
        auto rows = range->Table()->Rows();
        for (int r = 1; r <= rows->Count(); ++r) {
            auto cells = rows->Item(r)->Cells();
            for (int c = 1; c <= cells->Count(); ++c) {
                auto cell = cells->Item(c);
                host::Suppressed([&] { write(*cell); });
            }
        }
    });
}

void ApplyFill(host::Selection& sel, host::Color colour)
{
    // Text boxes, placeholders and tables often have no fill to recolour.
    host::Suppressed([&] {
        auto range = sel.ShapeRange();
        if (HoldsText(range->Type()) || range->HasTable() == host::TriState::True) {
            range->Fill()->SetVisible(host::TriState::True);
        }
    });
    // A SmartArt graphic keeps its own fill; only shapes chosen inside it change.
    host::Suppressed([&] {
        auto range = sel.ShapeRange();
        if (range->Type() != host::ShapeType::SmartArt) {
            range->Fill()->ForeColor()->SetRGB(colour);
        }
    });
    host::Suppressed([&] { sel.ChildShapeRange()->Fill()->ForeColor()->SetRGB(colour); });
}

void ColorSelectedText(host::Selection& sel, host::Color colour)
{
    host::Suppressed([&] { sel.TextRange()->Font()->Color()->SetRGB(colour); });
    host::Suppressed([&] { sel.ChildShapeRange()->TextFrame()->TextRange()->Font()->Color()->SetRGB(colour); });
}

void ApplyText(host::Selection& sel, host::Color colour)
{
    // The text of a group's items is reached only with the group taken
    // apart; it is put together again and selected as before.
    bool groupSelected = false;
    host::Suppressed([&] { groupSelected = sel.ShapeRange()->GroupItems()->Count() > 1; });
    if (groupSelected) {
        host::Suppressed([&] { sel.ShapeRange()->Ungroup()->Select(); });
        ColorSelectedText(sel, colour);
        host::Suppressed([&] { sel.ShapeRange()->Group()->Select(); });
    }
    ColorSelectedText(sel, colour);
    ForEachSelectedCell(sel, [&](host::Cell& cell) {
        cell.Shape()->TextFrame()->TextRange()->Font()->Color()->SetRGB(colour);
    });
}

void ApplyLine(host::Selection& sel, host::Color colour)
{
    host::Suppressed([&] { sel.ShapeRange()->Line()->ForeColor()->SetRGB(colour); });
    host::Suppressed([&] { sel.ChildShapeRange()->Line()->ForeColor()->SetRGB(colour); });
    ForEachSelectedCell(sel, [&](host::Cell& cell) {
        auto borders = cell.Borders();
        for (int b = 1; b <= borders->Count(); ++b) {
            host::Suppressed([&] { borders->Item(b)->ForeColor()->SetRGB(colour); });
        }
    });
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

std::optional<std::array<host::Color, kVariationCount>> Variations(host::Color display, int gradMode,
                                                                   double gradDeep)
{
    if (gradMode < 1 || gradMode > 6) {
        return std::nullopt;
    }
    const ColorHSB hsb = RGBtoHSB(display);
    const ColorHSL hsl = RGBtoHSL(display);
    constexpr int centre = kVariationsPerRow / 2;
    std::array<host::Color, kVariationCount> colours{};
    for (int k = 0; k < kVariationCount; ++k) {
        const int dc = k % kVariationsPerRow - centre;
        const int dr = k / kVariationsPerRow - centre;
        colours[k] = RGB(gradMode <= 3 ? HsbVariation(hsb, gradMode, gradDeep, dc, dr)
                                       : HslVariation(hsl, gradMode, gradDeep, dc, dr));
    }
    return colours;
}

std::vector<host::Color> Gradient(host::Color start, host::Color end, int steps)
{
    const ColorRGB s = SplitColor(start);
    const ColorRGB e = SplitColor(end);
    const double dR = static_cast<double>(s.R - e.R) / (steps + 1);
    const double dG = static_cast<double>(s.G - e.G) / (steps + 1);
    const double dB = static_cast<double>(s.B - e.B) / (steps + 1);
    std::vector<host::Color> colours;
    for (int j = 0; j <= steps + 1; ++j) {
        colours.push_back(RGB(ToInt16(s.R - j * dR), ToInt16(s.G - j * dG), ToInt16(s.B - j * dB)));
    }
    return colours;
}

void ApplyColor(host::Application& application, host::Color colour, int target)
{
    host::Ref<host::Selection> sel;
    bool shapesSelected = false;
    host::Suppressed([&] {
        sel = application.ActiveWindow()->Selection();
        shapesSelected = sel->Type() == host::SelectionType::Shapes;
    });
    if (!shapesSelected) {
        return;
    }
    switch (target) {
    case ApplyTarget::Fill:
        ApplyFill(*sel, colour);
        break;
    case ApplyTarget::Text:
        ApplyText(*sel, colour);
        break;
    case ApplyTarget::Line:
        ApplyLine(*sel, colour);
        break;
    default:
        break;
    }
}

}  // namespace velmora::color
