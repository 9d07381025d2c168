#pragma once

#include <string>
#include <vector>

#include <pugixml.hpp>

// What a shape element is: its kind, its non-visual properties, its place
// in the tree.
namespace velmora::pptx::shapes {

bool IsShapeElement(pugi::xml_node node);
// The shapes directly inside a shape tree or group, in tree order. A shape
// wrapped in mc:AlternateContent counts with the content of its first choice.
std::vector<pugi::xml_node> ChildShapes(pugi::xml_node tree);
// The element to move or remove for a shape (its mc:AlternateContent wrapper, if any).
pugi::xml_node OuterElement(pugi::xml_node shape);
// The group (or shape tree) the shape sits in.
pugi::xml_node ParentTree(pugi::xml_node shape);
bool IsGroup(pugi::xml_node shape);
// True for a member of a group (not a shape directly in the slide's tree).
bool IsInGroup(pugi::xml_node shape);
// Every shape of the tree at any depth, each group before its members, in tree order.
std::vector<pugi::xml_node> AllShapes(pugi::xml_node tree);
// The shape named so: a top-level shape first, then one inside a group; empty when none is.
pugi::xml_node FindShapeByName(pugi::xml_node tree, const std::string& name);
// The first shape with the id, at any depth; empty when none has it. Other
// writers repeat ids, so this serves references that only the id can make
// (animation targets), never to tell shapes apart.
pugi::xml_node FindShapeById(pugi::xml_node tree, unsigned id);
// The id for a shape added to the tree: one more than the highest id any
// element of the tree carries, so it is unique even where others repeat ids.
unsigned NewShapeId(pugi::xml_node tree);

// Host shape-type code (host::ShapeType).
int ShapeTypeOf(pugi::xml_node shape);

pugi::xml_node NonVisualProperties(pugi::xml_node shape);  // p:cNvPr
pugi::xml_node AppProperties(pugi::xml_node shape);        // p:nvPr
pugi::xml_node PlaceholderOf(pugi::xml_node shape);        // p:nvPr/p:ph
unsigned ShapeIdOf(pugi::xml_node shape);
std::string ShapeNameOf(pugi::xml_node shape);

// Master text style a placeholder's text falls back on: "title", "body", or "other".
std::string TextStyleKind(pugi::xml_node shape);

// The shapes with a text frame among these, groups giving their members, in order.
std::vector<pugi::xml_node> TextHolders(const std::vector<pugi::xml_node>& shapes);

// The picture of a control in the part's control list, which stands for the control.
bool IsControlPicture(pugi::xml_node shape);
// The pictures of the controls listed beside a part's shape tree, in order;
// a control without a picture is left out.
std::vector<pugi::xml_node> ControlPictures(pugi::xml_node tree);
// p:oleObj or p:control of an object frame or a control's picture (empty for other shapes).
pugi::xml_node EmbeddedObjectOf(pugi::xml_node shape);
// a:tbl of a table frame (empty for other shapes).
pugi::xml_node TableOf(pugi::xml_node shape);

}  // namespace velmora::pptx::shapes
