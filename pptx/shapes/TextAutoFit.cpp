#include "pptx/shapes/TextAutoFit.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FontMetrics.hpp"
#include "platform/Utf8.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeGeometry.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TextRuns.hpp"
#include "pptx/shapes/TextSite.hpp"
#include "pptx/shapes/ThemeResolver.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr double kDefaultPoints = 18;
constexpr double kEmuPerPoint = static_cast<double>(ooxml::kEmuPerPoint);

struct Line {
    double widthEmu = 0;
    double heightEmu = 0;
};

// How one run is drawn: its size and the fonts of its Latin and East Asian text.
struct RunFont {
    double points = kDefaultPoints;
    std::string latin;
    std::string eastAsian;
    bool bold = false;
    bool italic = false;
};

bool IsWide(char32_t c)
{
    return (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
           c >= 0x20000;
}

// Theme font references ("+mn-lt", "+mj-ea") are the theme's fonts; an
// empty East Asian one leaves wide text to the fallback.
RunFont FontOf(const TextRun& run, const std::vector<pugi::xml_node>& styles, const ThemeResolver& theme)
{
    auto typeface = [](const char* element) {
        return [element](pugi::xml_node properties) -> std::optional<std::string> {
            const auto face = Child(properties, element).attribute("typeface");
            return face ? std::optional<std::string>(face.value()) : std::nullopt;
        };
    };
    auto flag = [](const char* name) {
        return [name](pugi::xml_node properties) -> std::optional<bool> {
            const auto value = properties.attribute(name);
            return value ? std::optional<bool>(value.as_bool()) : std::nullopt;
        };
    };
    RunFont font;
    font.points = ResolveRun<double>(
        run, styles,
        [](pugi::xml_node properties) -> std::optional<double> {
            const auto size = IntAttribute(properties, "sz", 0);
            return size > 0 ? std::optional<double>(static_cast<double>(size) / 100) : std::nullopt;
        },
        kDefaultPoints);
    font.latin = theme.Typeface(ResolveRun<std::string>(run, styles, typeface("latin"), "+mn-lt"));
    font.eastAsian = theme.Typeface(ResolveRun<std::string>(run, styles, typeface("ea"), "+mn-ea"));
    font.bold = ResolveRun<bool>(run, styles, flag("b"), false);
    font.italic = ResolveRun<bool>(run, styles, flag("i"), false);
    return font;
}

// Measures stretches of Latin and of East Asian text, each in its own font.
void Grow(Line& line, const RunFont& font, std::string_view text)
{
    const auto characters = platform::DecodeUtf8(text);
    double width = 0;
    double height = platform::MeasureText(font.latin, font.points, {}, font.bold, font.italic).height;
    for (std::size_t start = 0; start < characters.size();) {
        const bool wide = IsWide(characters[start]);
        std::size_t end = start;
        std::string stretch;
        while (end < characters.size() && IsWide(characters[end]) == wide) {
            platform::AppendUtf8(stretch, characters[end++]);
        }
        const std::string& family = wide && !font.eastAsian.empty() ? font.eastAsian : font.latin;
        const auto extent = platform::MeasureText(family, font.points, stretch, font.bold, font.italic);
        width += extent.width;
        height = std::max(height, extent.height);
        start = end;
    }
    line.widthEmu += width * kEmuPerPoint;
    line.heightEmu = std::max(line.heightEmu, height * kEmuPerPoint);
}

std::vector<Line> MeasureLines(const TextSite& site)
{
    const auto styles = site.ListStyles();
    const auto theme = site.owner->Theme();
    std::vector<Line> lines;
    for (auto paragraph : Paragraphs(site.Body())) {
        const int level = ParagraphLevel(paragraph);
        const RunFont inherited = FontOf({{}, {}, paragraph, level}, styles, theme);
        lines.emplace_back();
        for (auto child : paragraph.children()) {
            if (IsAnyOf(child, {"r", "fld"})) {
                Grow(lines.back(), FontOf({Child(child, "rPr"), child, paragraph, level}, styles, theme),
                     Child(child, "t").text().get());
            } else if (Is(child, "br")) {
                lines.emplace_back();
            } else if (Is(child, "endParaRPr")) {
                Grow(lines.back(), FontOf({child, {}, paragraph, level}, styles, theme), {});
            }
        }
        for (auto& line : lines) {
            if (line.heightEmu == 0) {
                Grow(line, inherited, {});
            }
        }
    }
    return lines;
}

}  // namespace

void FitShapeToText(const TextSite& site)
{
    const auto bodyProperties = Child(site.Body(), "bodyPr");
    const std::string_view vertical = bodyProperties.attribute("vert").value();
    if (!Is(site.holder, "sp") || !Child(bodyProperties, "spAutoFit") || !(vertical.empty() || vertical == "horz")) {
        return;
    }
    const double left = NumberAttribute(bodyProperties, "lIns", 91440);
    const double right = NumberAttribute(bodyProperties, "rIns", 91440);
    const double top = NumberAttribute(bodyProperties, "tIns", 45720);
    const double bottom = NumberAttribute(bodyProperties, "bIns", 45720);
    const bool wraps = std::string_view(bodyProperties.attribute("wrap").value()) != "none";

    const auto lines = MeasureLines(site);
    const double available = std::max(1.0, SlideBox(*site.owner, site.holder).width - left - right);
    double height = top + bottom;
    double width = 0;
    for (const auto& line : lines) {
        const double rows = wraps ? std::max(1.0, std::ceil(line.widthEmu / available)) : 1.0;
        height += rows * line.heightEmu;
        width = std::max(width, line.widthEmu);
    }
    if (!wraps) {
        SetSlideEdge(*site.owner, site.holder, Edge::Width, width + left + right);
    }
    SetSlideEdge(*site.owner, site.holder, Edge::Height, height);
}

}  // namespace velmora::pptx::shapes
