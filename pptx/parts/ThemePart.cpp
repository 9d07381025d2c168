#include "pptx/parts/ThemePart.hpp"

namespace velmora::pptx::parts {

std::map<std::string, std::string> ThemePart::SchemeColors()
{
    std::map<std::string, std::string> colors;
    const pugi::xml_node scheme = Root().child("a:themeElements").child("a:clrScheme");
    for (pugi::xml_node slot : scheme.children()) {
        if (slot.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = slot.name();
        std::string hex = slot.child("a:srgbClr").attribute("val").value();
        if (hex.empty()) {
            hex = slot.child("a:sysClr").attribute("lastClr").value();
        }
        if (name.starts_with("a:") && !hex.empty()) {
            colors.emplace(name.substr(2), hex);
        }
    }
    return colors;
}

pugi::xml_node ThemePart::FontSet(std::string_view set)
{
    const std::string name = "a:" + std::string(set) + "Font";
    return Root().child("a:themeElements").child("a:fontScheme").child(name.c_str());
}

std::string ThemePart::Font(std::string_view set, std::string_view slot)
{
    const std::string name = "a:" + std::string(slot);
    return FontSet(set).child(name.c_str()).attribute("typeface").value();
}

std::string ThemePart::ScriptFont(std::string_view set, std::string_view script)
{
    for (pugi::xml_node font : FontSet(set).children("a:font")) {
        if (script == font.attribute("script").value()) {
            return font.attribute("typeface").value();
        }
    }
    return "";
}

}  // namespace velmora::pptx::parts
