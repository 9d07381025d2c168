#pragma once

#include <vector>

#include <pugixml.hpp>

namespace velmora::pptx {
class ShapeTreeOwner;
}

// Structural changes of a shape tree: grouping, ungrouping, removal. Shapes
// keep their place on the slide through all of them.
namespace velmora::pptx::shapes {

// Groups shapes that share one parent; the group takes the z-place of the topmost.
pugi::xml_node GroupShapes(ShapeTreeOwner& owner, const std::vector<pugi::xml_node>& members);
// Moves the members into the group's parent where the group was and removes it.
std::vector<pugi::xml_node> UngroupShape(ShapeTreeOwner& owner, pugi::xml_node group);
// Removes a shape (with its members) and tells the owner which shapes left.
void RemoveShape(ShapeTreeOwner& owner, pugi::xml_node shape);

}  // namespace velmora::pptx::shapes
