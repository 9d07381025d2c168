#include "pptx/shapes/DocumentFill.hpp"

#include <cmath>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/Agreement.hpp"
#include "pptx/shapes/DocumentColor.hpp"
#include "pptx/shapes/DrawingColor.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeProperties.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TriStates.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr host::Color kWhite = 0xFFFFFF;
constexpr double kPercent = 100000.0;

pugi::xml_node OwnFill(pugi::xml_node holder)
{
    return FillOf(PropertiesOf(holder));
}

bool IsVisible(pugi::xml_node holder)
{
    if (const auto fill = OwnFill(holder)) {
        return !Is(fill, "noFill");
    }
    return StyleDraws(StyleReference(holder, "fillRef"));
}

host::Color ColorOf(pugi::xml_node holder, const ThemeResolver& theme)
{
    if (auto color = FillColor(OwnFill(holder), theme)) {
        return *color;
    }
    return ReadColor(StyleReference(holder, "fillRef"), theme).value_or(kWhite);
}

double OpacityOf(pugi::xml_node holder)
{
    const auto fill = OwnFill(holder);
    if (Is(fill, "solidFill")) {
        return ReadOpacity(ColorElement(fill));
    }
    if (Is(fill, "blipFill")) {
        return NumberAttribute(Path(fill, {"blip", "alphaModFix"}), "amt", 100000) / kPercent;
    }
    return 1.0;
}

pugi::xml_node WriteSolidFill(pugi::xml_node holder, host::Color color, double opacity)
{
    auto fill = ReplaceFill(EnsurePropertiesOf(holder), "a:solidFill");
    WriteOpacity(WriteColor(fill, color), opacity);
    return fill;
}

// A new colour keeps the transparency of a solid fill.
void Recolor(pugi::xml_node holder, host::Color color)
{
    const double opacity = Is(OwnFill(holder), "solidFill") ? OpacityOf(holder) : 1.0;
    WriteSolidFill(holder, color, opacity);
}

void WriteFillOpacity(pugi::xml_node holder, double opacity, const ThemeResolver& theme)
{
    auto fill = OwnFill(holder);
    if (!fill && IsVisible(holder)) {
        fill = WriteSolidFill(holder, ColorOf(holder, theme), 1.0);
    }
    if (Is(fill, "solidFill")) {
        WriteOpacity(ColorElement(fill), opacity);
    } else if (Is(fill, "gradFill")) {
        for (auto stop : Child(fill, "gsLst").children()) {
            WriteOpacity(ColorElement(stop), opacity);
        }
    } else if (Is(fill, "blipFill")) {
        auto blip = Child(fill, "blip");
        RemoveChildren(blip, {"alphaModFix"});
        if (opacity < 1) {
            SetAttribute(InsertInOrder(blip, "a:alphaModFix"), "amt", std::llround(opacity * kPercent));
        }
    }
}

pugi::xml_node First(const std::vector<pugi::xml_node>& holders)
{
    if (holders.empty()) {
        throw host::HostError("there is no fill to read");
    }
    return holders.front();
}

}  // namespace

DocumentFill::DocumentFill(std::shared_ptr<ShapeTreeOwner> owner, std::vector<pugi::xml_node> holders)
    : owner_(std::move(owner)), holders_(std::move(holders))
{
}

int DocumentFill::Visible() const
{
    return Agreed(holders_, [](pugi::xml_node holder) { return ToTriState(IsVisible(holder)); },
                  host::TriState::Mixed);
}

void DocumentFill::SetVisible(int triState)
{
    const bool visible = FromTriState(triState);
    for (auto holder : holders_) {
        if (!visible) {
            ReplaceFill(EnsurePropertiesOf(holder), "a:noFill");
        } else if (!IsVisible(holder)) {
            WriteSolidFill(holder, ColorOf(holder, owner_->Theme()), 1.0);
        }
    }
    owner_->Touch();
}

host::Ref<host::ColorFormat> DocumentFill::ForeColor()
{
    return std::make_shared<DocumentColor>(
        [owner = owner_, holders = holders_] { return ColorOf(First(holders), owner->Theme()); },
        [owner = owner_, holders = holders_](host::Color color) {
            for (auto holder : holders) {
                Recolor(holder, color);
            }
            owner->Touch();
        });
}

float DocumentFill::Transparency() const
{
    return static_cast<float>(1.0 - OpacityOf(First(holders_)));
}

void DocumentFill::SetTransparency(float value)
{
    if (!(value >= 0 && value <= 1)) {
        throw host::HostError("transparency must lie between 0 and 1");
    }
    for (auto holder : holders_) {
        WriteFillOpacity(holder, 1.0 - value, owner_->Theme());
    }
    owner_->Touch();
}

void DocumentFill::UserPicture(const std::filesystem::path& picture)
{
    if (holders_.empty()) {
        return;
    }
    const auto relationship = owner_->AddImage(picture);
    EnsureNamespace(holders_.front(), "r", ooxml::kRelationshipsNs);
    for (auto holder : holders_) {
        auto fill = ReplaceFill(EnsurePropertiesOf(holder), "a:blipFill");
        fill.append_attribute("dpi").set_value("0");
        fill.append_attribute("rotWithShape").set_value("1");
        fill.append_child("a:blip").append_attribute("r:embed").set_value(relationship.c_str());
        fill.append_child("a:srcRect");
        fill.append_child("a:stretch").append_child("a:fillRect");
    }
    owner_->Touch();
}

}  // namespace velmora::pptx::shapes
