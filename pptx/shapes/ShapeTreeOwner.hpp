#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/Forward.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ThemeResolver.hpp"
#include "host/HostError.hpp"

namespace velmora::pptx {

// What a new ActiveX control of a part is known by in the part's XML.
struct ControlRelations {
    std::string controlId;      // relationship to the control part
    std::string pictureId;      // relationship to the picture shown while it does not run
    std::string legacyShapeId;  // its host shape in the legacy drawing ("_x0000_s1025")
};

// The part side of a shape tree (a slide or a notes slide): what the shape
// objects need from the part that holds their XML. Shape objects keep their
// owner alive, so their xml_node handles stay valid while they are used.
class ShapeTreeOwner : public std::enable_shared_from_this<ShapeTreeOwner> {
public:
    virtual ~ShapeTreeOwner() = default;

    // <p:spTree> of the part.
    virtual pugi::xml_node ShapeTree() = 0;
    // The part's XML was changed and must be saved.
    virtual void Touch() = 0;
    // The same for a change inside shapes (their text, fonts, fills) that
    // adds, removes and moves no shape.
    virtual void TouchContent() { Touch(); }
    // Stays the same while the tree's list of shapes does; none when the
    // owner cannot tell, and the list must be walked at every use.
    virtual std::optional<unsigned long> TreeRevision() { return std::nullopt; }
    // The id for a shape about to be added: unique in the part (shapes::NewShapeId).
    virtual unsigned NextShapeId() { return shapes::NewShapeId(ShapeTree()); }
    // Called after a shape left the tree, so the timeline drops effects on it
    // and the window forgets it.
    virtual void ShapeRemoved(unsigned shapeId) = 0;
    // Called after shapes that referred to these relationships left the
    // tree: those the part no longer refers to go, and with them every part
    // nothing else reaches (a deleted picture's media).
    virtual void ReleaseRelationships(const std::vector<std::string>& relationshipIds) = 0;

    // Copies a picture file into the package as a media part, relates it to
    // this part and returns the relationship id. Raises the host error when
    // the file cannot be read or is no picture format the package takes.
    virtual std::string AddImage(const std::filesystem::path& picture) = 0;
    // Target part name ("/ppt/media/image1.png") or external address of a relationship of this part.
    virtual std::string RelationshipTarget(const std::string& relationshipId) = 0;

    // For a placeholder <p:sp>: the matching placeholder shapes of the layout
    // and then the master, nearest first (empty when there are none).
    virtual std::vector<pugi::xml_node> PlaceholderChain(pugi::xml_node placeholderShape) = 0;
    // <p:titleStyle>, <p:bodyStyle> or <p:otherStyle> of the master ("title", "body", "other"),
    // or <p:notesStyle> for notes; an empty node when there is none.
    virtual pugi::xml_node MasterTextStyle(const std::string& kind) = 0;
    // The theme the part's scheme colours and theme fonts come from, with
    // the colour map in effect; the default theme for parts without one.
    virtual shapes::ThemeResolver Theme() { return {}; }

    // Replaces (or extends) the window's selection with these shapes.
    // Raises the host error when the part is not shown in a window.
    virtual void Select(const std::vector<pugi::xml_node>& shapes, bool replace) = 0;
    // Tags of one shape (<p:custDataLst> of its non-visual properties).
    virtual host::Ref<host::Tags> ShapeTags(pugi::xml_node shape) = 0;

    // Pictures of shapes need the application's clipboard and renderer; a
    // tree without them raises the host error.
    // The clipboard takes a copy of these shapes, their pictures included.
    virtual void CopyShapes(const std::vector<pugi::xml_node>& shapes);
    // Draws what the clipboard holds as one picture of its bounding box, in
    // the format of the paste data type, and adds it at the box's place.
    virtual host::Ref<host::ShapeRange> PasteAsPicture(int dataType);
    // A picture of exactly the shapes' bounding box into `file`.
    virtual void ExportShapes(const std::vector<pugi::xml_node>& shapes, const std::filesystem::path& file,
                              const std::string& filter);

    // Adds the parts of a new ActiveX control of class `progId` placed at
    // the box (points). Only slides hold controls: other parts refuse.
    virtual ControlRelations AddControl(const std::string& progId, double, double, double, double)
    {
        throw host::HostError("a control of class \"" + progId + "\" cannot be placed here");
    }
    // A control's picture moved or changed size: its legacy host shape follows (points).
    virtual void PlaceLegacyShape(const std::string&, double, double, double, double) { NoControls(); }
    // The class and the named properties of the control related by `controlId`.
    virtual std::string ControlProgID(const std::string&) { NoControls(); }
    virtual std::string ControlProperty(const std::string&, const std::string&) { NoControls(); }
    virtual void SetControlProperty(const std::string&, const std::string&, const std::string&) { NoControls(); }

private:
    [[noreturn]] static void NoControls() { throw host::HostError("this part holds no controls"); }
};

// Shape objects over a shape tree; implemented in the shapes layer.
host::Ref<host::Shapes> MakeShapes(const std::shared_ptr<ShapeTreeOwner>& owner);
host::Ref<host::Shape> MakeShape(const std::shared_ptr<ShapeTreeOwner>& owner, pugi::xml_node shape);
host::Ref<host::ShapeRange> MakeShapeRange(const std::shared_ptr<ShapeTreeOwner>& owner,
                                           const std::vector<pugi::xml_node>& shapes);
// The text of a selection of text inside one shape's text body.
host::Ref<host::TextRange> MakeTextRange(const std::shared_ptr<ShapeTreeOwner>& owner, pugi::xml_node shape);
// The text of a selection of shapes: every text body among them, a group
// counting with its members'; shapes without text are passed over. Raises
// the host error when none of them holds text.
host::Ref<host::TextRange> MakeTextRange(const std::shared_ptr<ShapeTreeOwner>& owner,
                                         const std::vector<pugi::xml_node>& shapes);

}  // namespace velmora::pptx
