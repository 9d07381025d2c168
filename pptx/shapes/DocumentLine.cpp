#include "pptx/shapes/DocumentLine.hpp"

#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/Agreement.hpp"
#include "pptx/shapes/DocumentColor.hpp"
#include "pptx/shapes/DrawingColor.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeProperties.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TriStates.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr host::Color kBlack = 0;
constexpr long long kDefaultWidth = 12700;  // 1 pt

std::string_view LocalPart(const char* qualifiedName)
{
    const std::string_view name = qualifiedName;
    return name.substr(name.find(':') + 1);
}

pugi::xml_node OwnLine(const LineSite& site)
{
    return Child(PropertiesOf(site.holder), LocalPart(site.name));
}

// Only a shape's own outline falls back on its theme style.
pugi::xml_node StyleLine(const LineSite& site)
{
    return LocalPart(site.name) == "ln" ? StyleReference(site.holder, "lnRef") : pugi::xml_node{};
}

bool IsVisible(const LineSite& site)
{
    if (const auto fill = FillOf(OwnLine(site))) {
        return !Is(fill, "noFill");
    }
    return StyleDraws(StyleLine(site));
}

host::Color ColorOf(const LineSite& site, const ThemeResolver& theme)
{
    if (auto color = FillColor(FillOf(OwnLine(site)), theme)) {
        return *color;
    }
    return ReadColor(StyleLine(site), theme).value_or(kBlack);
}

// A new outline without a theme style to give it a width gets a thin one.
pugi::xml_node EnsureLine(const LineSite& site)
{
    if (auto line = OwnLine(site)) {
        return line;
    }
    auto line = InsertInOrder(EnsurePropertiesOf(site.holder), site.name);
    if (!StyleDraws(StyleLine(site))) {
        SetAttribute(line, "w", kDefaultWidth);
    }
    return line;
}

void WriteSolidLine(const LineSite& site, host::Color color)
{
    WriteColor(ReplaceFill(EnsureLine(site), "a:solidFill"), color);
}

const LineSite& First(const std::vector<LineSite>& sites)
{
    if (sites.empty()) {
        throw host::HostError("there is no line to read");
    }
    return sites.front();
}

}  // namespace

DocumentLine::DocumentLine(std::shared_ptr<ShapeTreeOwner> owner, std::vector<LineSite> sites)
    : owner_(std::move(owner)), sites_(std::move(sites))
{
}

int DocumentLine::Visible() const
{
    return Agreed(sites_, [](const LineSite& site) { return ToTriState(IsVisible(site)); }, host::TriState::Mixed);
}

void DocumentLine::SetVisible(int triState)
{
    const bool visible = FromTriState(triState);
    for (const auto& site : sites_) {
        if (!visible) {
            ReplaceFill(EnsureLine(site), "a:noFill");
        } else if (!IsVisible(site)) {
            WriteSolidLine(site, ColorOf(site, owner_->Theme()));
        }
    }
    owner_->Touch();
}

host::Ref<host::ColorFormat> DocumentLine::ForeColor()
{
    return std::make_shared<DocumentColor>(
        [owner = owner_, sites = sites_] { return ColorOf(First(sites), owner->Theme()); },
        [owner = owner_, sites = sites_](host::Color color) {
            for (const auto& site : sites) {
                WriteSolidLine(site, color);
            }
            owner->Touch();
        });
}

}  // namespace velmora::pptx::shapes
