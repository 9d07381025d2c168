#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"
#include "host/TextRange.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

namespace velmora::pptx::testing {

// A slide held in memory: its shape tree is the given XML, its layout and
// master are small documents of their own, and it records what the shapes
// report back (changes, removals, selections, pictures).
class TestSlide : public ShapeTreeOwner {
public:
    // shapesXml goes inside <p:spTree>; layoutXml inside the layout's spTree.
    static std::shared_ptr<TestSlide> Make(const std::string& shapesXml, const std::string& layoutXml = "");

    pugi::xml_node ShapeTree() override;
    void Touch() override { ++touches; }
    void ShapeRemoved(unsigned shapeId) override { removed.push_back(shapeId); }
    void ReleaseRelationships(const std::vector<std::string>&) override {}
    std::string AddImage(const std::filesystem::path& picture) override;
    std::string RelationshipTarget(const std::string& relationshipId) override;
    std::vector<pugi::xml_node> PlaceholderChain(pugi::xml_node placeholderShape) override;
    pugi::xml_node MasterTextStyle(const std::string& kind) override;
    void Select(const std::vector<pugi::xml_node>& shapes, bool replace) override;
    host::Ref<host::Tags> ShapeTags(pugi::xml_node shape) override;

    host::Ref<host::Shapes> Shapes();
    host::Ref<host::Shape> Shape(const std::string& name);
    // The slide's XML, for checks on what was written.
    std::string Xml() const;
    pugi::xml_node Find(const std::string& xpath) const;

    int touches = 0;
    std::vector<unsigned> removed;
    std::vector<std::filesystem::path> images;
    std::vector<std::string> selected;

private:
    pugi::xml_document slide_;
    pugi::xml_document layout_;
    pugi::xml_document master_;
};

// Wraps shape XML in the usual non-visual header.
std::string Sp(int id, const std::string& name, const std::string& body, const std::string& nvExtra = "",
               const std::string& cNvSpPr = "<p:cNvSpPr/>");
std::string Xfrm(long long x, long long y, long long cx, long long cy);

}  // namespace velmora::pptx::testing
