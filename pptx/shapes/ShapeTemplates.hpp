#pragma once

#include <string>

#include <pugixml.hpp>

#include "pptx/shapes/ShapeGeometry.hpp"

// New shape elements as the presentation program writes them, placed on top
// of a shape tree and named after their kind and id ("Rectangle 4" for id 5).
namespace velmora::pptx::shapes {

pugi::xml_node NewAutoShape(pugi::xml_node tree, unsigned id, int autoShapeType, const Box& box);
pugi::xml_node NewTextbox(pugi::xml_node tree, unsigned id, int orientation, const Box& box);
pugi::xml_node NewPicture(pugi::xml_node tree, unsigned id, const std::string& relationshipId,
                          const std::string& description, const Box& box);
pugi::xml_node NewTable(pugi::xml_node tree, unsigned id, int rows, int columns, const Box& box);
// An empty group right after the given element, its child space equal to its box.
pugi::xml_node NewGroup(pugi::xml_node after, unsigned id, const Box& box);

}  // namespace velmora::pptx::shapes
