#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// Where a control sits on its slide, in points.
struct PointBox {
    double left = 0, top = 0, width = 0, height = 0;
};

// A legacy (VML) drawing of a slide: the shapes that host its controls,
// which a control of the slide names by its shape id (spid).
//
// Shape ids are numbered in blocks of 1024 that the drawing claims in its id
// map: block N holds "_x0000_s" N * 1024 + 1 to N * 1024 + 1023, and no two
// drawings of a deck claim the same block.
//
// The presentation program writes conditional blocks into its drawings
// ("<![if gte mso 9]>...<![endif]>"), which are not XML: they are set aside
// while the drawing is parsed and put back byte for byte when it is stored.
class LegacyDrawingPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    // An empty drawing claiming `block`.
    static std::string Content(unsigned block);

    // The blocks the id map claims; for a drawing without one, the blocks
    // its shapes are numbered in.
    std::vector<unsigned> Blocks();
    // Those and the blocks of every shape number in the drawing.
    std::set<unsigned> BlocksInUse();
    // Adds `block` to the id map, made when the drawing has none.
    void ClaimBlock(unsigned block);
    // Whether a new shape has a number left in the drawing's blocks.
    bool HasFreeShapeNumber() { return FreeShapeNumber().has_value(); }

    // Adds a control host shape showing the picture related by `pictureId`
    // and returns its shape id ("_x0000_s1025"); the drawing must have a
    // free shape number.
    std::string AddControlShape(const PointBox& box, const std::string& pictureId);

    // Moves the shape with the id; nothing when there is none.
    void PlaceShape(const std::string& shapeId, const PointBox& box);

protected:
    std::string Parseable(std::string stored) override;
    std::string Storable(std::string serialised) override;

private:
    std::set<unsigned> ShapeNumbers();
    std::optional<unsigned> FreeShapeNumber();

    // The conditional blocks set aside, by the index their stand-in names.
    std::vector<std::string> kept_;
};

}  // namespace velmora::pptx::parts
