#include "pptx/shapes/TextAutoFit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeGeometry.hpp"
#include "pptx/shapes/TextRuns.hpp"
#include "pptx/shapes/TextSite.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr double kDefaultPoints = 18;
constexpr double kLineSpacing = 1.2;
constexpr double kEmuPerPoint = static_cast<double>(ooxml::kEmuPerPoint);

struct Line {
    double widthEmu = 0;
    double heightEmu = 0;
};

bool IsWide(char32_t c)
{
    return (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
           c >= 0x20000;
}

double Points(const TextRun& run, const std::vector<pugi::xml_node>& styles)
{
    return ResolveRun<double>(
        run, styles,
        [](pugi::xml_node properties) -> std::optional<double> {
            const auto size = IntAttribute(properties, "sz", 0);
            return size > 0 ? std::optional<double>(static_cast<double>(size) / 100) : std::nullopt;
        },
        kDefaultPoints);
}

void Grow(Line& line, double points, std::string_view text)
{
    line.widthEmu += EstimatedEms(text) * points * kEmuPerPoint;
    line.heightEmu = std::max(line.heightEmu, points * kLineSpacing * kEmuPerPoint);
}

std::vector<Line> MeasureLines(const TextSite& site)
{
    const auto styles = site.ListStyles();
    std::vector<Line> lines;
    for (auto paragraph : Paragraphs(site.Body())) {
        const int level = ParagraphLevel(paragraph);
        const double inherited = Points({{}, {}, paragraph, level}, styles);
        lines.emplace_back();
        for (auto child : paragraph.children()) {
            if (IsAnyOf(child, {"r", "fld"})) {
                Grow(lines.back(), Points({Child(child, "rPr"), child, paragraph, level}, styles),
                     Child(child, "t").text().get());
            } else if (Is(child, "br")) {
                lines.emplace_back();
            } else if (Is(child, "endParaRPr")) {
                Grow(lines.back(), Points({child, {}, paragraph, level}, styles), {});
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

double EstimatedEms(std::string_view text)
{
    double ems = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        ems += c == ' ' ? 0.28 : IsWide(c) ? 1.0 : 0.55;
        i += length;
    }
    return ems;
}

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
