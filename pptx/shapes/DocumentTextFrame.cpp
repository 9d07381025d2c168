#include "pptx/shapes/DocumentTextFrame.hpp"

#include <array>
#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/DocumentTextRange.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TextRuns.hpp"
#include "pptx/shapes/TriStates.hpp"

namespace velmora::pptx::shapes {

namespace {

// AutoSize codes 0, 1, 2 in order.
constexpr std::array<const char*, 3> kAutoFits = {"a:noAutofit", "a:spAutoFit", "a:normAutofit"};

std::optional<int> AutoFitIn(pugi::xml_node bodyProperties)
{
    for (std::size_t i = 0; i < kAutoFits.size(); ++i) {
        if (Child(bodyProperties, kAutoFits[i])) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

DocumentTextFrame::DocumentTextFrame(TextSite site) : site_(std::move(site)) {}

pugi::xml_node DocumentTextFrame::BodyProperties() const
{
    return Child(site_.Body(), "bodyPr");
}

bool DocumentTextFrame::HasText() const
{
    return !ReadText(site_.Body()).empty();
}

host::Ref<host::TextRange> DocumentTextFrame::TextRange()
{
    return std::make_shared<DocumentTextRange>(std::vector<TextSite>{site_});
}

int DocumentTextFrame::WordWrap() const
{
    return ToTriState(std::string_view(BodyProperties().attribute("wrap").value()) != "none");
}

void DocumentTextFrame::SetWordWrap(int triState)
{
    const char* wrap = FromTriState(triState) ? "square" : "none";
    SetAttribute(EnsureChild(site_.EnsureBody(), "a:bodyPr"), "wrap", wrap);
    site_.Resized();
}

int DocumentTextFrame::AutoSize() const
{
    if (auto own = AutoFitIn(BodyProperties())) {
        return *own;
    }
    if (Is(site_.holder, "sp") && PlaceholderOf(site_.holder)) {
        for (auto inherited : site_.owner->PlaceholderChain(site_.holder)) {
            if (auto value = AutoFitIn(Path(inherited, {"txBody", "bodyPr"}))) {
                return *value;
            }
        }
    }
    return host::AutoSize::None;
}

void DocumentTextFrame::SetAutoSize(int value)
{
    if (value < 0 || value >= static_cast<int>(kAutoFits.size())) {
        throw host::HostError("auto size " + std::to_string(value) + " is not supported");
    }
    auto bodyProperties = EnsureChild(site_.EnsureBody(), "a:bodyPr");
    RemoveChildren(bodyProperties, {"noAutofit", "spAutoFit", "normAutofit"});
    InsertInOrder(bodyProperties, kAutoFits[value]);
    site_.Resized();
}

}  // namespace velmora::pptx::shapes
