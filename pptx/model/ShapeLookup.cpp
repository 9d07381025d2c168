#include "pptx/model/ShapeLookup.hpp"

#include <algorithm>
#include <string_view>

#include "pptx/xml/Elements.hpp"

namespace velmora::pptx::model {

namespace {

bool IsShapeElement(pugi::xml_node node)
{
    std::string_view name = node.name();
    return name == "p:sp" || name == "p:grpSp" || name == "p:pic" || name == "p:graphicFrame" ||
           name == "p:cxnSp" || name == "p:contentPart";
}

template <typename Visit>
void ForEachShape(pugi::xml_node tree, Visit&& visit)
{
    for (pugi::xml_node child : tree.children()) {
        if (IsShapeElement(child)) {
            visit(child);
            if (std::string_view(child.name()) == "p:grpSp") {
                ForEachShape(child, visit);
            }
        }
    }
}

}  // namespace

pugi::xml_node ShapeProperties(pugi::xml_node shape)
{
    return shape.first_child().child("p:cNvPr");
}

pugi::xml_node ShapeNonVisual(pugi::xml_node shape)
{
    return shape.first_child().child("p:nvPr");
}

unsigned ShapeId(pugi::xml_node shape)
{
    return xml::NumberAttribute<unsigned>(ShapeProperties(shape), "id", 0);
}

bool IsInGroup(pugi::xml_node shape)
{
    return std::string_view(shape.parent().name()) == "p:grpSp";
}

pugi::xml_node FindShapeById(pugi::xml_node tree, unsigned id)
{
    pugi::xml_node found;
    ForEachShape(tree, [&](pugi::xml_node shape) {
        if (!found && ShapeId(shape) == id) {
            found = shape;
        }
    });
    return found;
}

pugi::xml_node FindShapeByName(pugi::xml_node tree, const std::string& name)
{
    pugi::xml_node topLevel;
    pugi::xml_node grouped;
    ForEachShape(tree, [&](pugi::xml_node shape) {
        if (name != ShapeProperties(shape).attribute("name").value()) {
            return;
        }
        pugi::xml_node& slot = IsInGroup(shape) ? grouped : topLevel;
        if (!slot) {
            slot = shape;
        }
    });
    return topLevel ? topLevel : grouped;
}

unsigned HighestShapeId(pugi::xml_node tree)
{
    unsigned highest = xml::NumberAttribute<unsigned>(tree.child("p:nvGrpSpPr").child("p:cNvPr"), "id", 0);
    ForEachShape(tree, [&](pugi::xml_node shape) { highest = std::max(highest, ShapeId(shape)); });
    return highest;
}

}  // namespace velmora::pptx::model
