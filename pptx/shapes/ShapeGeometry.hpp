#pragma once

#include <optional>

#include <pugixml.hpp>

namespace velmora::pptx {
class ShapeTreeOwner;
}

// Shape placement in EMU. Shapes in groups live in the group's child space;
// these functions map them to and from slide space.
namespace velmora::pptx::shapes {

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
};

enum class Edge { Left, Top, Width, Height };

// Maps a child space to its parent space: parent = scale * child + offset.
struct Mapping {
    double scaleX = 1, offsetX = 0, scaleY = 1, offsetY = 0;

    Box Apply(const Box& box) const;
    Mapping Then(const Mapping& outer) const;  // this, then outer
};

// The shape's own a:xfrm (p:xfrm for frames), empty when it has none.
pugi::xml_node XfrmOf(pugi::xml_node shape);
std::optional<Box> ReadXfrm(pugi::xml_node xfrm);
void WriteXfrm(pugi::xml_node shape, const Box& box);

// Box in the space of the shape's parent; a placeholder without its own
// xfrm takes the one of its layout or master placeholder.
Box LocalBox(ShapeTreeOwner& owner, pugi::xml_node shape);
// From the child space of a group to the space the group sits in.
Mapping GroupChildMapping(pugi::xml_node group);
// From the space the shape sits in to the slide.
Mapping ParentToSlide(pugi::xml_node shape);

Box SlideBox(ShapeTreeOwner& owner, pugi::xml_node shape);
// Sets one edge of the slide box (EMU) by writing the shape's own xfrm.
void SetSlideEdge(ShapeTreeOwner& owner, pugi::xml_node shape, Edge edge, double emu);

}  // namespace velmora::pptx::shapes
