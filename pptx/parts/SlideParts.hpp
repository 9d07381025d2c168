#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// A part with a shape tree: slides, notes slides, layouts and masters.
class ShapeTreePart : public XmlPart {
public:
    using XmlPart::XmlPart;
    // <p:cSld>
    pugi::xml_node CommonData() { return Root().child("p:cSld"); }
    // <p:cSld><p:spTree>
    pugi::xml_node ShapeTree() { return CommonData().child("p:spTree"); }
    // The colour map the part sets: a master's <p:clrMap>, or the
    // <a:overrideClrMapping> of a slide or layout; empty when the part keeps its master's.
    pugi::xml_node ColorMap();
};

class SlidePart : public ShapeTreePart {
public:
    using ShapeTreePart::ShapeTreePart;
    bool Releasable() const override { return true; }
    std::optional<std::string> LayoutPart();
    std::optional<std::string> NotesPart();
};

class NotesSlidePart : public ShapeTreePart {
public:
    using ShapeTreePart::ShapeTreePart;
    bool Releasable() const override { return true; }
};

class SlideLayoutPart : public ShapeTreePart {
public:
    using ShapeTreePart::ShapeTreePart;
    // The layout type ("title", "obj", "blank", ...); "cust" when the part names none.
    std::string Type();
    std::optional<std::string> MasterPart();
};

class SlideMasterPart : public ShapeTreePart {
public:
    using ShapeTreePart::ShapeTreePart;
    // In the master's own order.
    std::vector<std::string> LayoutParts();
    // <p:titleStyle>, <p:bodyStyle> or <p:otherStyle> for "title", "body", "other".
    pugi::xml_node TextStyle(const std::string& kind);
};

class NotesMasterPart : public ShapeTreePart {
public:
    using ShapeTreePart::ShapeTreePart;
    pugi::xml_node NotesStyle() { return Root().child("p:notesStyle"); }
};

}  // namespace velmora::pptx::parts
