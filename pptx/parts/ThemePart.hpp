#pragma once

#include <map>
#include <string>
#include <string_view>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// The theme of a master: its colour scheme and its major and minor fonts.
class ThemePart : public XmlPart {
public:
    using XmlPart::XmlPart;

    // The scheme's colours by slot (dk1, lt1, ..., folHlink) as "RRGGBB":
    // an srgbClr's value or a sysClr's last colour. Slots without either are left out.
    std::map<std::string, std::string> SchemeColors();
    // The typeface of the "major" or "minor" font set for "latin", "ea" or
    // "cs"; "" when the set leaves it empty or lacks it.
    std::string Font(std::string_view set, std::string_view slot);
    // The typeface the set gives a script ("Hans", "Jpan", ...); "" when none.
    std::string ScriptFont(std::string_view set, std::string_view script);

private:
    pugi::xml_node FontSet(std::string_view set);
};

}  // namespace velmora::pptx::parts
