#pragma once

#include <string>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// Where a control sits on its slide, in points.
struct PointBox {
    double left = 0, top = 0, width = 0, height = 0;
};

// A legacy (VML) drawing of a slide: the shapes that host its controls,
// which a control of the slide names by its shape id (spid).
class LegacyDrawingPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    // An empty drawing.
    static std::string Content();

    // Adds a control host shape showing the picture related by `pictureId`
    // and returns its shape id ("_x0000_s1025").
    std::string AddControlShape(const PointBox& box, const std::string& pictureId);

    // Moves the shape with the id; nothing when there is none.
    void PlaceShape(const std::string& shapeId, const PointBox& box);

private:
    unsigned NextShapeNumber();
};

}  // namespace velmora::pptx::parts
