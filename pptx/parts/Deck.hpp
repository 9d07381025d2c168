#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "pptx/parts/ActiveXControlPart.hpp"
#include "pptx/parts/CustomPropertiesPart.hpp"
#include "pptx/parts/LegacyDrawingPart.hpp"
#include "pptx/parts/PartSet.hpp"
#include "pptx/parts/PresentationPart.hpp"
#include "pptx/parts/SlideParts.hpp"
#include "pptx/parts/TagsPart.hpp"
#include "pptx/parts/ThemePart.hpp"

namespace velmora::pptx::parts {

// A presentation package as a whole: its slides with their notes, layouts
// and masters, and the parts that come and go with them.
class Deck {
public:
    // Raises the host error naming the file when it is no presentation or
    // its main parts are damaged or missing.
    static std::unique_ptr<Deck> Open(const std::filesystem::path& file);
    // A new presentation from the built-in template.
    static std::unique_ptr<Deck> New();

    PresentationPart& Presentation() { return *presentation_; }

    std::size_t SlideCount() { return presentation_->Slides().size(); }
    // Raises the host error when the presentation has no such slide (any more).
    std::shared_ptr<SlidePart> Slide(unsigned slideId);
    // Empty pointers when the part has none.
    std::shared_ptr<SlideLayoutPart> Layout(SlidePart& slide);
    std::shared_ptr<SlideMasterPart> Master(SlideLayoutPart& layout);
    std::shared_ptr<NotesMasterPart> NotesMaster();
    // The theme of a master or notes master; empty when it has none or the
    // theme part is missing, so that the default theme applies.
    std::shared_ptr<ThemePart> Theme(ShapeTreePart& master);
    // The layouts of the first master, in its order.
    std::vector<std::shared_ptr<SlideLayoutPart>> Layouts();

    // A new slide on `layout`, with its empty placeholders, at `position`
    // (0-based); returns its slide id.
    unsigned AddSlide(std::size_t position, SlideLayoutPart& layout);
    // Removes the slides with every part that nothing else in the package
    // refers to (their notes, tags, pictures, charts and workbooks, ...),
    // looking over the package once for them all. Raises the host error,
    // deleting nothing, when one of them is no longer there.
    void DeleteSlides(const std::vector<unsigned>& slideIds);

    // The slide's notes slide; empty when it has none.
    std::shared_ptr<NotesSlidePart> Notes(unsigned slideId);
    // The notes slide a slide without one would get, kept in memory (and
    // the same for every caller) until AddNotes puts it into the package.
    std::shared_ptr<NotesSlidePart> DraftNotes(unsigned slideId);
    // Puts the draft into the package, with a notes master where there is none.
    void AddNotes(unsigned slideId);

    // The tags part referred to by <p:custDataLst> under `holder` (a
    // <p:cSld> or a shape's <p:nvPr>) of part `owner`; made when `create`
    // is set, otherwise empty when there is none.
    std::shared_ptr<TagsPart> Tags(XmlPart& owner, pugi::xml_node holder, bool create);
    // The custom document properties; made when `create` is set, otherwise
    // empty when the package has none.
    std::shared_ptr<CustomPropertiesPart> CustomProperties(bool create);
    // Copies a picture file into the package, relates it to `owner` and
    // returns the relationship id.
    std::string AddImage(XmlPart& owner, const std::filesystem::path& picture);
    // The same for picture content; `origin` names it in the error.
    std::string AddImageContent(XmlPart& owner, std::string content, const std::string& origin);
    // Of `ids`, removes the relationships of `owner` that its XML no longer
    // refers to, then every part nothing reaches any more.
    void ReleaseRelationships(XmlPart& owner, const std::vector<std::string>& ids);
    // The content of a part that holds a picture; nothing for a missing part or other content.
    std::optional<std::string> ImageContent(const std::string& partName);

    // What a new control of a slide is known by.
    struct ControlRelations {
        std::string controlId;      // the slide's relationship to the control part
        std::string pictureId;      // ... and to the picture shown while it does not run
        std::string legacyShapeId;  // its host shape in the slide's legacy drawing
    };
    // Adds an ActiveX control of class `classId` to `slide`: the control part
    // persisting to its property bag, the picture, and a host shape in the
    // slide's legacy drawing, made when the slide has none.
    ControlRelations AddControl(XmlPart& slide, const std::string& classId, const std::filesystem::path& picture,
                                const PointBox& box);
    // Moves a host shape of the slide's legacy drawing; nothing when the slide has none.
    void PlaceLegacyShape(XmlPart& slide, const std::string& legacyShapeId, const PointBox& box);
    // The control part `owner` relates by `relationshipId`.
    std::shared_ptr<ActiveXControlPart> Control(XmlPart& owner, const std::string& relationshipId);
    // Persists the control to `storage`, in a binary part of its own, or,
    // with none, to its property bag, the binary part removed.
    void SetControlData(ActiveXControlPart& control, std::optional<std::string> storage);
    // The control's persisted data; none when it keeps its properties in its bag.
    std::optional<std::string> ControlData(ActiveXControlPart& control);

    void Save(const std::filesystem::path& target) { parts_.Save(target); }
    std::shared_ptr<const package::Package::State> Keep() { return parts_.Keep(); }
    // Puts a kept state back; parts and slides held from before are stale.
    void Restore(const package::Package::State& state);
    // The font names the deck's parts set, from the trees already parsed
    // where there are any: a slide large enough to matter is not parsed twice.
    std::vector<std::string> TypefacesUsed();

private:
    explicit Deck(std::unique_ptr<package::Package> package);
    void CheckStructure();
    void CheckSlideSize();
    std::shared_ptr<NotesMasterPart> EnsureNotesMaster();
    std::string FreeNotesName();
    std::shared_ptr<LegacyDrawingPart> LegacyDrawing(XmlPart& slide);
    unsigned FreeDrawingBlock();
    // Moves the slide tags kept as custom properties to the numbers their
    // slides have now; `renumber` gives none for a slide that went.
    void RenumberSlideTags(const std::function<std::optional<int>(int)>& renumber);

    PartSet parts_;
    std::shared_ptr<PresentationPart> presentation_;
    std::map<unsigned, std::shared_ptr<NotesSlidePart>> drafts_;
    // Part names of slides by slide id, as looked up so far.
    std::unordered_map<unsigned, std::string> slideParts_;
};

}  // namespace velmora::pptx::parts
