#pragma once

#include <optional>

#include <pugixml.hpp>

#include "host/MsoConstants.hpp"
#include "pptx/shapes/ThemeResolver.hpp"

// Fills and outlines of the elements that carry shape properties: a shape
// (p:spPr), a group (p:grpSpPr) or a table cell (a:tcPr).
namespace velmora::pptx::shapes {

pugi::xml_node PropertiesOf(pugi::xml_node holder);
pugi::xml_node EnsurePropertiesOf(pugi::xml_node holder);

// The fill choice inside spPr, tcPr, a:ln or a:rPr (noFill, solidFill, ...).
pugi::xml_node FillOf(pugi::xml_node parent);
// Removes any fill choice of the parent and adds an empty one of that name.
pugi::xml_node ReplaceFill(pugi::xml_node parent, const char* qualifiedName);
// The colour a fill shows first: solid colour, first gradient stop, pattern foreground.
std::optional<host::Color> FillColor(pugi::xml_node fill, const ThemeResolver& theme);

// The theme reference of the shape's p:style ("fillRef", "lnRef", "fontRef"), empty when absent.
pugi::xml_node StyleReference(pugi::xml_node holder, const char* reference);
// Whether the style reference draws something (idx above 0).
bool StyleDraws(pugi::xml_node reference);

}  // namespace velmora::pptx::shapes
