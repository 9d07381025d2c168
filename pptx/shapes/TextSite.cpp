#include "pptx/shapes/TextSite.hpp"

#include "host/HostError.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TextAutoFit.hpp"

namespace velmora::pptx::shapes {

pugi::xml_node TextSite::Body() const
{
    return Child(holder, "txBody");
}

pugi::xml_node TextSite::EnsureBody() const
{
    if (auto body = Body()) {
        return body;
    }
    if (!Is(holder, "sp") && !Is(holder, "tc")) {
        throw host::HostError("this shape has no text");
    }
    auto body = InsertInOrder(holder, Is(holder, "sp") ? "p:txBody" : "a:txBody");
    body.append_child("a:bodyPr");
    body.append_child("a:lstStyle");
    body.append_child("a:p").append_child("a:endParaRPr");
    return body;
}

std::vector<pugi::xml_node> TextSite::ListStyles() const
{
    std::vector<pugi::xml_node> styles;
    if (auto own = Child(Body(), "lstStyle")) {
        styles.push_back(own);
    }
    if (Is(holder, "sp") && PlaceholderOf(holder)) {
        for (auto inherited : owner->PlaceholderChain(holder)) {
            if (auto style = Path(inherited, {"txBody", "lstStyle"})) {
                styles.push_back(style);
            }
        }
    }
    if (auto master = owner->MasterTextStyle(Is(holder, "sp") ? TextStyleKind(holder) : "other")) {
        styles.push_back(master);
    }
    return styles;
}

void TextSite::Changed() const
{
    owner->TouchContent();
}

void TextSite::Resized() const
{
    FitShapeToText(*this);
    owner->TouchContent();
}

}  // namespace velmora::pptx::shapes
