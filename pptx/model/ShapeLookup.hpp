#pragma once

#include <string>
#include <vector>

#include <pugixml.hpp>

// Finding shape elements in a shape tree by their non-visual properties.
namespace velmora::pptx::model {

// <p:cNvPr> of a shape element (sp, grpSp, pic, graphicFrame, cxnSp, contentPart).
pugi::xml_node ShapeProperties(pugi::xml_node shape);
// <p:nvPr> of a shape element.
pugi::xml_node ShapeNonVisual(pugi::xml_node shape);
unsigned ShapeId(pugi::xml_node shape);
bool IsInGroup(pugi::xml_node shape);

// The shape with the id anywhere in the tree; an empty node when none has it.
pugi::xml_node FindShapeById(pugi::xml_node tree, unsigned id);
// The shape with the name: a top-level shape first, then one inside a group.
pugi::xml_node FindShapeByName(pugi::xml_node tree, const std::string& name);
// The highest shape id in the tree.
unsigned HighestShapeId(pugi::xml_node tree);

}  // namespace velmora::pptx::model
