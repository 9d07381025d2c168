#include "pptx/shapes/ShapeProperties.hpp"

#include "host/HostError.hpp"
#include "pptx/shapes/DrawingColor.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"

namespace velmora::pptx::shapes {

namespace {

const char* PropertiesName(pugi::xml_node holder)
{
    if (IsAnyOf(holder, {"sp", "pic", "cxnSp"})) return "p:spPr";
    if (IsGroup(holder)) return "p:grpSpPr";
    if (Is(holder, "tc")) return "a:tcPr";
    throw host::HostError("this object has no fill or line");
}

}  // namespace

pugi::xml_node PropertiesOf(pugi::xml_node holder)
{
    const std::string_view name = PropertiesName(holder);
    return Child(holder, name.substr(name.find(':') + 1));
}

pugi::xml_node EnsurePropertiesOf(pugi::xml_node holder)
{
    return EnsureChild(holder, PropertiesName(holder));
}

pugi::xml_node FillOf(pugi::xml_node parent)
{
    for (auto child = parent.first_child(); child; child = child.next_sibling()) {
        if (IsAnyOf(child, {"noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill"})) {
            return child;
        }
    }
    return {};
}

pugi::xml_node ReplaceFill(pugi::xml_node parent, const char* qualifiedName)
{
    RemoveChildren(parent, {"noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill"});
    return InsertInOrder(parent, qualifiedName);
}

std::optional<host::Color> FillColor(pugi::xml_node fill, const ThemeResolver& theme)
{
    if (Is(fill, "solidFill")) {
        return ReadColor(fill, theme);
    }
    if (Is(fill, "gradFill")) {
        return ReadColor(Path(fill, {"gsLst", "gs"}), theme);
    }
    if (Is(fill, "pattFill")) {
        return ReadColor(Child(fill, "fgClr"), theme);
    }
    return std::nullopt;
}

pugi::xml_node StyleReference(pugi::xml_node holder, const char* reference)
{
    return Path(holder, {"style", reference});
}

bool StyleDraws(pugi::xml_node reference)
{
    return IntAttribute(reference, "idx", 0) > 0;
}

}  // namespace velmora::pptx::shapes
