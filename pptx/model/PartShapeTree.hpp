#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pptx/parts/SlideParts.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

namespace velmora::pptx::model {

class Presentation;

// What slides and notes slides share as owners of a shape tree.
class PartShapeTree : public ShapeTreeOwner {
public:
    explicit PartShapeTree(std::shared_ptr<Presentation> presentation) : presentation_(std::move(presentation)) {}

    pugi::xml_node ShapeTree() override { return Part().ShapeTree(); }
    std::optional<unsigned long> TreeRevision() override;
    unsigned NextShapeId() override;
    std::string AddImage(const std::filesystem::path& picture) override;
    // The same for picture content read elsewhere; `origin` names it in errors.
    std::string AddImageContent(std::string content, const std::string& origin);
    void CopyShapes(const std::vector<pugi::xml_node>& shapes) override;
    host::Ref<host::ShapeRange> PasteAsPicture(int dataType) override;
    void ExportShapes(const std::vector<pugi::xml_node>& shapes, const std::filesystem::path& file,
                      const std::string& filter) override;
    std::string RelationshipTarget(const std::string& relationshipId) override;
    void ReleaseRelationships(const std::vector<std::string>& relationshipIds) override;
    host::Ref<host::Tags> ShapeTags(pugi::xml_node shape) override;

protected:
    virtual parts::ShapeTreePart& Part() = 0;
    // The placeholder in `candidate` that `placeholder` inherits from; an
    // empty node when there is none. Masters are matched by type only.
    static pugi::xml_node Matching(parts::ShapeTreePart& candidate, pugi::xml_node placeholder, bool master);

    std::shared_ptr<Presentation> presentation_;
};

// The shape tree of a slide.
class SlideShapeTree : public PartShapeTree {
public:
    SlideShapeTree(std::shared_ptr<Presentation> presentation, unsigned slideId);

    void Touch() override;
    void TouchContent() override;
    void ShapeRemoved(unsigned shapeId) override;
    std::vector<pugi::xml_node> PlaceholderChain(pugi::xml_node placeholderShape) override;
    pugi::xml_node MasterTextStyle(const std::string& kind) override;
    shapes::ThemeResolver Theme() override;
    void Select(const std::vector<pugi::xml_node>& shapes, bool replace) override;
    ControlRelations AddControl(const std::string& progId, double left, double top, double width,
                                double height) override;
    void PlaceLegacyShape(const std::string& legacyShapeId, double left, double top, double width,
                          double height) override;
    std::string ControlProgID(const std::string& controlId) override;
    std::string ControlProperty(const std::string& controlId, const std::string& name) override;
    void SetControlProperty(const std::string& controlId, const std::string& name, const std::string& value) override;

    unsigned SlideId() const { return slideId_; }

protected:
    parts::ShapeTreePart& Part() override { return *part_; }

private:
    // The movie file a player's Movie names, a relative name taken from the presentation's folder.
    std::string ReadMovie(const std::string& movie) const;

    unsigned slideId_;
    std::shared_ptr<parts::SlidePart> part_;
};

// The shape tree of a slide's notes page. A slide without notes shows an
// empty notes slide that enters the package on the first change.
class NotesShapeTree : public PartShapeTree {
public:
    NotesShapeTree(std::shared_ptr<Presentation> presentation, unsigned slideId);

    void Touch() override;
    void ShapeRemoved(unsigned shapeId) override;
    std::vector<pugi::xml_node> PlaceholderChain(pugi::xml_node placeholderShape) override;
    pugi::xml_node MasterTextStyle(const std::string& kind) override;
    shapes::ThemeResolver Theme() override;
    void Select(const std::vector<pugi::xml_node>& shapes, bool replace) override;

protected:
    parts::ShapeTreePart& Part() override { return *part_; }

private:
    unsigned slideId_;
    std::shared_ptr<parts::NotesSlidePart> part_;
};

}  // namespace velmora::pptx::model
