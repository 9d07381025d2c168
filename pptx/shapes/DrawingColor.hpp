#pragma once

#include <optional>
#include <string>

#include <pugixml.hpp>

#include "host/MsoConstants.hpp"
#include "pptx/shapes/ThemeResolver.hpp"

namespace velmora::pptx::shapes {

// The colour element (srgbClr, schemeClr, ...) directly inside a fill or style reference.
pugi::xml_node ColorElement(pugi::xml_node holder);
// The RGB of the holder's colour element, scheme colours taken from the theme.
std::optional<host::Color> ReadColor(pugi::xml_node holder, const ThemeResolver& theme);

// Replaces the holder's content with <a:srgbClr val="RRGGBB"/>.
pugi::xml_node WriteColor(pugi::xml_node holder, host::Color color);
// Raises the host error for a value that is no colour.
void CheckColor(host::Color color);
std::string HexColor(host::Color color);

// Opacity of a colour element, 0..1 (1 without an a:alpha child).
double ReadOpacity(pugi::xml_node colorElement);
void WriteOpacity(pugi::xml_node colorElement, double opacity);

}  // namespace velmora::pptx::shapes
