#include "pptx/parts/SlideParts.hpp"

#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts {

pugi::xml_node ShapeTreePart::ColorMap()
{
    if (pugi::xml_node map = Root().child("p:clrMap")) {
        return map;
    }
    return Root().child("p:clrMapOvr").child("a:overrideClrMapping");
}

std::optional<std::string> SlidePart::LayoutPart()
{
    return RelatedPartOfType(ooxml::rel::kSlideLayout);
}

std::optional<std::string> SlidePart::NotesPart()
{
    return RelatedPartOfType(ooxml::rel::kNotesSlide);
}

std::string SlideLayoutPart::Type()
{
    pugi::xml_attribute type = Root().attribute("type");
    return type ? type.value() : "cust";
}

std::optional<std::string> SlideLayoutPart::MasterPart()
{
    return RelatedPartOfType(ooxml::rel::kSlideMaster);
}

std::vector<std::string> SlideMasterPart::LayoutParts()
{
    std::vector<std::string> layouts;
    for (pugi::xml_node layout : Root().child("p:sldLayoutIdLst").children("p:sldLayoutId")) {
        layouts.push_back(RelatedPart(layout.attribute("r:id").value()));
    }
    return layouts;
}

pugi::xml_node SlideMasterPart::TextStyle(const std::string& kind)
{
    return Root().child("p:txStyles").child(("p:" + kind + "Style").c_str());
}

}  // namespace velmora::pptx::parts
