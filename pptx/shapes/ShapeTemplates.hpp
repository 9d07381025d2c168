#pragma once

#include <string>

#include <pugixml.hpp>

#include "pptx/shapes/ShapeGeometry.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

// New shape elements as the presentation program writes them, placed on top
// of a shape tree and named after their kind and id ("Rectangle 4" for id 5).
namespace velmora::pptx::shapes {

pugi::xml_node NewAutoShape(pugi::xml_node tree, unsigned id, int autoShapeType, const Box& box);
pugi::xml_node NewTextbox(pugi::xml_node tree, unsigned id, int orientation, const Box& box);
pugi::xml_node NewPicture(pugi::xml_node tree, unsigned id, const std::string& relationshipId,
                          const std::string& description, const Box& box);
pugi::xml_node NewTable(pugi::xml_node tree, unsigned id, int rows, int columns, const Box& box);
// An ActiveX control in the part's control list (after its shape tree), as
// the presentation program writes one: the control with its legacy host
// shape for readers of VML, and for the others the control with the picture
// it shows while it does not run. Named `kind` and the next free number
// ("ShockwaveFlash1"); returns that picture, which stands for the control.
pugi::xml_node NewControl(pugi::xml_node tree, unsigned id, const std::string& kind, const ControlRelations& relations,
                          const Box& box);
// After a control's picture moved or changed size: the control's image size
// and its legacy host shape follow it.
void KeepControlInStep(ShapeTreeOwner& owner, pugi::xml_node picture);
// An empty group right after the given element, its child space equal to its box.
pugi::xml_node NewGroup(pugi::xml_node after, unsigned id, const Box& box);

}  // namespace velmora::pptx::shapes
