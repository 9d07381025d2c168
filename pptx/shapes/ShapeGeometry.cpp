#include "pptx/shapes/ShapeGeometry.hpp"

#include <cmath>

#include "host/HostError.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

namespace velmora::pptx::shapes {

namespace {

pugi::xml_node EnsureXfrm(pugi::xml_node shape)
{
    if (IsAnyOf(shape, {"sp", "pic", "cxnSp"})) {
        return EnsureChild(EnsureChild(shape, "p:spPr"), "a:xfrm");
    }
    if (IsGroup(shape)) {
        return EnsureChild(EnsureChild(shape, "p:grpSpPr"), "a:xfrm");
    }
    if (Is(shape, "graphicFrame")) {
        return EnsureChild(shape, "p:xfrm");
    }
    if (auto xfrm = XfrmOf(shape)) {
        return xfrm;
    }
    throw host::HostError("the shape \"" + ShapeNameOf(shape) + "\" cannot be placed");
}

double Scale(pugi::xml_node xfrm, const char* outer, const char* child, const char* extent)
{
    const auto outerSize = static_cast<double>(IntAttribute(Child(xfrm, outer), extent, 0));
    const auto childSize = static_cast<double>(IntAttribute(Child(xfrm, child), extent, 0));
    return childSize > 0 && outerSize > 0 ? outerSize / childSize : 1.0;
}

}  // namespace

Box Mapping::Apply(const Box& box) const
{
    return {scaleX * box.left + offsetX, scaleY * box.top + offsetY, scaleX * box.width, scaleY * box.height};
}

Mapping Mapping::Then(const Mapping& outer) const
{
    return {outer.scaleX * scaleX, outer.scaleX * offsetX + outer.offsetX, outer.scaleY * scaleY,
            outer.scaleY * offsetY + outer.offsetY};
}

pugi::xml_node XfrmOf(pugi::xml_node shape)
{
    if (IsAnyOf(shape, {"sp", "pic", "cxnSp"})) {
        return Path(shape, {"spPr", "xfrm"});
    }
    if (IsGroup(shape)) {
        return Path(shape, {"grpSpPr", "xfrm"});
    }
    return Child(shape, "xfrm");
}

std::optional<Box> ReadXfrm(pugi::xml_node xfrm)
{
    if (!xfrm) {
        return std::nullopt;
    }
    const auto off = Child(xfrm, "off");
    const auto ext = Child(xfrm, "ext");
    return Box{static_cast<double>(IntAttribute(off, "x", 0)), static_cast<double>(IntAttribute(off, "y", 0)),
               static_cast<double>(IntAttribute(ext, "cx", 0)), static_cast<double>(IntAttribute(ext, "cy", 0))};
}

void WriteXfrm(pugi::xml_node shape, const Box& box)
{
    const auto xfrm = EnsureXfrm(shape);
    const auto off = EnsureChild(xfrm, "a:off");
    const auto ext = EnsureChild(xfrm, "a:ext");
    SetAttribute(off, "x", std::llround(box.left));
    SetAttribute(off, "y", std::llround(box.top));
    SetAttribute(ext, "cx", std::llround(box.width));
    SetAttribute(ext, "cy", std::llround(box.height));
}

Box LocalBox(ShapeTreeOwner& owner, pugi::xml_node shape)
{
    if (auto own = ReadXfrm(XfrmOf(shape))) {
        return *own;
    }
    if (PlaceholderOf(shape)) {
        for (const auto& inherited : owner.PlaceholderChain(shape)) {
            if (auto box = ReadXfrm(XfrmOf(inherited))) {
                return *box;
            }
        }
    }
    return {};
}

Mapping GroupChildMapping(pugi::xml_node group)
{
    const auto xfrm = XfrmOf(group);
    const auto off = Child(xfrm, "off");
    const auto chOff = Child(xfrm, "chOff");
    Mapping mapping;
    mapping.scaleX = Scale(xfrm, "ext", "chExt", "cx");
    mapping.scaleY = Scale(xfrm, "ext", "chExt", "cy");
    mapping.offsetX = static_cast<double>(IntAttribute(off, "x", 0)) -
                      mapping.scaleX * static_cast<double>(IntAttribute(chOff, "x", 0));
    mapping.offsetY = static_cast<double>(IntAttribute(off, "y", 0)) -
                      mapping.scaleY * static_cast<double>(IntAttribute(chOff, "y", 0));
    return mapping;
}

Mapping ParentToSlide(pugi::xml_node shape)
{
    const auto parent = ParentTree(shape);
    if (!IsGroup(parent)) {
        return {};
    }
    return GroupChildMapping(parent).Then(ParentToSlide(parent));
}

Box SlideBox(ShapeTreeOwner& owner, pugi::xml_node shape)
{
    return ParentToSlide(shape).Apply(LocalBox(owner, shape));
}

void SetSlideEdge(ShapeTreeOwner& owner, pugi::xml_node shape, Edge edge, double emu)
{
    if (!std::isfinite(emu) || ((edge == Edge::Width || edge == Edge::Height) && emu < 0)) {
        throw host::HostError("the value is out of range for a shape's position or size");
    }
    const auto mapping = ParentToSlide(shape);
    auto box = LocalBox(owner, shape);
    switch (edge) {
    case Edge::Left: box.left = (emu - mapping.offsetX) / mapping.scaleX; break;
    case Edge::Top: box.top = (emu - mapping.offsetY) / mapping.scaleY; break;
    case Edge::Width: box.width = emu / mapping.scaleX; break;
    case Edge::Height: box.height = emu / mapping.scaleY; break;
    }
    WriteXfrm(shape, box);
}

}  // namespace velmora::pptx::shapes
