#include "pptx/parts/Deck.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>
#include <unordered_set>

#include "host/HostError.hpp"
#include "pptx/package/PartGraph.hpp"
#include "platform/SlideTagProperties.hpp"
#include "pptx/parts/Media.hpp"
#include "pptx/parts/Template.hpp"
#include "pptx/xml/Elements.hpp"
#include "pptx/xml/RelationshipIds.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts {

namespace {

namespace rel = ooxml::rel;

constexpr std::string_view kMainTypes[] = {
    ooxml::type::kPresentation,
    "application/vnd.openxmlformats-officedocument.presentationml.slideshow.main+xml",
    "application/vnd.openxmlformats-officedocument.presentationml.template.main+xml",
    "application/vnd.ms-powerpoint.presentation.macroEnabled.main+xml",
    "application/vnd.ms-powerpoint.slideshow.macroEnabled.main+xml",
    "application/vnd.ms-powerpoint.template.macroEnabled.main+xml"};

constexpr std::string_view kCommonDataOrder[] = {"p:bg", "p:spTree", "p:custDataLst", "p:controls", "p:extLst"};
constexpr std::string_view kNonVisualOrder[] = {"p:ph",       "a:audioCd",     "a:wavAudioFile", "a:audioFile",
                                                "a:videoFile", "a:quickTimeFile", "p:custDataLst", "p:extLst"};

[[noreturn]] void Refuse(const package::Package& package, const std::string& problem)
{
    throw host::HostError("cannot open " + package.File().string() + ": " + problem);
}

std::string MainPart(package::Package& package)
{
    auto main = package.RelationshipsOf("/").OfType(rel::kOfficeDocument);
    if (main.empty()) {
        Refuse(package, "not a presentation (it has no main document)");
    }
    std::string part = package.RelationshipsOf("/").TargetPart(main.front());
    std::string type = package.Types().TypeOf(part);
    if (std::find(std::begin(kMainTypes), std::end(kMainTypes), type) == std::end(kMainTypes)) {
        Refuse(package, "not a presentation (its main document is of type \"" + type + "\")");
    }
    if (!package.Contains(part)) {
        Refuse(package, "its main document " + part + " is missing");
    }
    return part;
}

// Placeholder names as the presentation program gives them on a new slide.
std::string PlaceholderName(std::string_view type, unsigned id)
{
    std::string base = type == "title" || type == "ctrTitle" ? "Title"
                       : type == "subTitle"                  ? "Subtitle"
                       : type == "body"                      ? "Text Placeholder"
                       : type.empty() || type == "obj"       ? "Content Placeholder"
                                                             : "Placeholder";
    return base + " " + std::to_string(id - 1);
}

// Empty copies of the layout's placeholders, without date, footer and number.
void CopyPlaceholders(SlideLayoutPart& layout, pugi::xml_node tree)
{
    unsigned id = 2;
    for (pugi::xml_node shape : layout.ShapeTree().children("p:sp")) {
        pugi::xml_node ph = shape.child("p:nvSpPr").child("p:nvPr").child("p:ph");
        std::string_view type = ph.attribute("type").value();
        if (!ph || type == "dt" || type == "ftr" || type == "sldNum" || type == "hdr") {
            continue;
        }
        pugi::xml_node sp = tree.append_child("p:sp");
        pugi::xml_node nonVisual = sp.append_child("p:nvSpPr");
        pugi::xml_node names = nonVisual.append_child("p:cNvPr");
        names.append_attribute("id") = id;
        names.append_attribute("name") = PlaceholderName(type, id).c_str();
        nonVisual.append_child("p:cNvSpPr").append_child("a:spLocks").append_attribute("noGrp") = "1";
        pugi::xml_node copied = nonVisual.append_child("p:nvPr").append_child("p:ph");
        for (const char* attribute : {"type", "orient", "sz", "idx"}) {
            if (pugi::xml_attribute value = ph.attribute(attribute)) {
                copied.append_attribute(attribute) = value.value();
            }
        }
        sp.append_child("p:spPr");
        pugi::xml_node body = sp.append_child("p:txBody");
        body.append_child("a:bodyPr");
        body.append_child("a:lstStyle");
        body.append_child("a:p").append_child("a:endParaRPr").append_attribute("lang") = "zh-CN";
        ++id;
    }
}

std::string ReadPicture(const std::filesystem::path& picture)
{
    std::ifstream in(picture, std::ios::binary);
    if (!in) {
        throw host::HostError("cannot read the picture " + picture.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

Deck::Deck(std::unique_ptr<package::Package> package) : parts_(std::move(package))
{
    presentation_ = parts_.Get<PresentationPart>(MainPart(parts_.Package()));
}

void Deck::Restore(const package::Package::State& state)
{
    parts_.Restore(state);
    presentation_ = parts_.Get<PresentationPart>(MainPart(parts_.Package()));
    drafts_.clear();
    slideParts_.clear();
}

std::unique_ptr<Deck> Deck::Open(const std::filesystem::path& file)
{
    std::unique_ptr<Deck> deck(new Deck(package::Package::Open(file)));
    deck->CheckStructure();
    return deck;
}

std::unique_ptr<Deck> Deck::New()
{
    return std::unique_ptr<Deck>(new Deck(templates::NewPresentation()));
}

// The presentation's own relationships and slide list must hold; other parts
// are checked when they are used.
void Deck::CheckStructure()
{
    for (const package::Relationship& relationship : presentation_->Relationships().All()) {
        if (!relationship.external && !parts_.Package().Contains(presentation_->Relationships().TargetPart(relationship))) {
            Refuse(parts_.Package(), presentation_->Name() + " refers to " + relationship.target + ", which is missing");
        }
    }
    std::set<unsigned> ids;
    for (const SlideEntry& entry : presentation_->Slides()) {
        auto relationship = presentation_->Relationships().ById(entry.relationshipId);
        if (!relationship || relationship->type != rel::kSlide) {
            Refuse(parts_.Package(), "its slide list names an unknown slide \"" + entry.relationshipId + "\"");
        }
        if (!ids.insert(entry.id).second) {
            Refuse(parts_.Package(), "its slide list has slide id " + std::to_string(entry.id) + " twice");
        }
    }
    CheckSlideSize();
}

// Every size and position on a slide is measured against the page; the file
// format allows sides from one inch to 56 inches.
void Deck::CheckSlideSize()
{
    constexpr std::int64_t kShortestSide = 914400;
    constexpr std::int64_t kLongestSide = 51206400;
    if (const std::optional<std::string> side = presentation_->MalformedSizeSide()) {
        Refuse(parts_.Package(), "its slide size " + *side + " is no whole number of EMU");
    }
    const SlideSize size = presentation_->Size();
    const auto fits = [](std::int64_t side) { return side >= kShortestSide && side <= kLongestSide; };
    if (!fits(size.width) || !fits(size.height)) {
        Refuse(parts_.Package(), "its slide size " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                                     " EMU is outside what the format allows");
    }
}

std::shared_ptr<SlidePart> Deck::Slide(unsigned slideId)
{
    auto known = slideParts_.find(slideId);
    if (known == slideParts_.end()) {
        std::optional<std::size_t> position = presentation_->PositionOf(slideId);
        if (!position) {
            throw host::HostError("the slide was deleted");
        }
        const SlideEntry& entry = presentation_->Slides()[*position];
        known = slideParts_.emplace(slideId, presentation_->RelatedPart(entry.relationshipId)).first;
    }
    return parts_.Get<SlidePart>(known->second);
}

std::shared_ptr<SlideLayoutPart> Deck::Layout(SlidePart& slide)
{
    std::optional<std::string> layout = slide.LayoutPart();
    return layout ? parts_.Get<SlideLayoutPart>(*layout) : nullptr;
}

std::shared_ptr<SlideMasterPart> Deck::Master(SlideLayoutPart& layout)
{
    std::optional<std::string> master = layout.MasterPart();
    return master ? parts_.Get<SlideMasterPart>(*master) : nullptr;
}

std::shared_ptr<NotesMasterPart> Deck::NotesMaster()
{
    std::optional<std::string> master = presentation_->NotesMasterPart();
    return master ? parts_.Get<NotesMasterPart>(*master) : nullptr;
}

std::shared_ptr<ThemePart> Deck::Theme(ShapeTreePart& master)
{
    for (const package::Relationship& relationship : master.Relationships().OfType(rel::kTheme)) {
        if (relationship.external) {
            continue;
        }
        const std::string target = master.Relationships().TargetPart(relationship);
        if (parts_.Package().Contains(target)) {
            return parts_.Get<ThemePart>(target);
        }
    }
    return nullptr;
}

std::vector<std::shared_ptr<SlideLayoutPart>> Deck::Layouts()
{
    std::vector<std::shared_ptr<SlideLayoutPart>> layouts;
    std::vector<std::string> masters = presentation_->MasterParts();
    if (!masters.empty()) {
        for (const std::string& name : parts_.Get<SlideMasterPart>(masters.front())->LayoutParts()) {
            layouts.push_back(parts_.Get<SlideLayoutPart>(name));
        }
    }
    return layouts;
}

unsigned Deck::AddSlide(std::size_t position, SlideLayoutPart& layout)
{
    package::Package& package = parts_.Package();
    const std::string name = package.FreePartName("/ppt/slides/slide", ".xml");
    auto slide = parts_.Make<SlidePart>(name, templates::Slide());
    CopyPlaceholders(layout, slide->ShapeTree());
    parts_.Add(slide, ooxml::type::kSlide);
    slide->Relationships().Add(rel::kSlideLayout, layout.Name());
    const std::string relationshipId = presentation_->Relationships().Add(rel::kSlide, name);
    const unsigned id = presentation_->InsertSlide(position, relationshipId);
    const auto inserted = static_cast<int>(position) + 1;
    RenumberSlideTags([inserted](int number) { return number < inserted ? number : number + 1; });
    return id;
}

void Deck::DeleteSlides(const std::vector<unsigned>& slideIds)
{
    const std::unordered_set<unsigned> doomed(slideIds.begin(), slideIds.end());
    std::vector<std::string> slideParts;
    std::unordered_set<std::string> relationshipIds;
    std::vector<int> numbers;
    int place = 0;
    for (const SlideEntry& entry : presentation_->Slides()) {
        ++place;
        if (doomed.contains(entry.id)) {
            slideParts.push_back(presentation_->RelatedPart(entry.relationshipId));
            relationshipIds.insert(entry.relationshipId);
            numbers.push_back(place);
        }
    }
    if (slideParts.size() != doomed.size()) {
        throw host::HostError("the slide was deleted");
    }
    presentation_->RemoveSlides(doomed);
    presentation_->Relationships().Remove(relationshipIds);
    for (unsigned id : doomed) {
        drafts_.erase(id);
        slideParts_.erase(id);
    }
    // The slides go for certain, even where another part still links to one;
    // then everything only they used (notes, tags, pictures, charts, ...) goes.
    for (const std::string& part : slideParts) {
        parts_.Remove(part);
    }
    parts_.RemoveUnreachable();
    RenumberSlideTags([&numbers](int number) { return platform::NumberAfterRemoval(number, numbers); });
}

void Deck::RenumberSlideTags(const std::function<std::optional<int>(int)>& renumber)
{
    const auto properties = CustomProperties(false);
    if (!properties) {
        return;
    }
    struct Move {
        std::string value;
        std::optional<int> number;
        std::string name;
    };
    std::vector<Move> moves;
    for (const std::string& property : properties->Names()) {
        const auto tag = platform::ParseSlideTagProperty(property);
        if (tag && renumber(tag->slideIndex) != tag->slideIndex) {
            moves.push_back({properties->Find(property).value_or(""), renumber(tag->slideIndex), tag->name});
            properties->Delete(property);
        }
    }
    // All are taken out before any is put back: a number may pass to another slide.
    for (const Move& move : moves) {
        if (move.number) {
            properties->Set(platform::SlideTagProperty(*move.number, move.name), move.value);
        }
    }
}

std::shared_ptr<CustomPropertiesPart> Deck::CustomProperties(bool create)
{
    package::Package& package = parts_.Package();
    const auto related = package.RelationshipsOf("/").OfType(rel::kCustomProperties);
    if (!related.empty()) {
        const std::string name = package.RelationshipsOf("/").TargetPart(related.front());
        if (package.Contains(name)) {
            return parts_.Get<CustomPropertiesPart>(name);
        }
    }
    if (!create) {
        return nullptr;
    }
    const std::string usual = "/docProps/custom.xml";
    const std::string name = package.Contains(usual) ? package.FreePartName("/docProps/custom", ".xml") : usual;
    auto properties = parts_.Make<CustomPropertiesPart>(name, CustomPropertiesPart::Empty());
    parts_.Add(properties, ooxml::type::kCustomProperties);
    package.RelationshipsOf("/").Add(rel::kCustomProperties, properties->Name());
    return properties;
}

std::shared_ptr<NotesSlidePart> Deck::Notes(unsigned slideId)
{
    std::optional<std::string> notes = Slide(slideId)->NotesPart();
    return notes ? parts_.Get<NotesSlidePart>(*notes) : nullptr;
}

std::string Deck::FreeNotesName()
{
    for (unsigned number = 1;; ++number) {
        std::string name = "/ppt/notesSlides/notesSlide" + std::to_string(number) + ".xml";
        bool drafted = std::any_of(drafts_.begin(), drafts_.end(),
                                   [&](const auto& draft) { return draft.second->Name() == name; });
        if (!drafted && !parts_.Package().Contains(name)) {
            return name;
        }
    }
}

std::shared_ptr<NotesSlidePart> Deck::DraftNotes(unsigned slideId)
{
    Slide(slideId);
    if (auto found = drafts_.find(slideId); found != drafts_.end()) {
        return found->second;
    }
    // Drafts that nobody reads any more were never changed; they need not stay.
    std::erase_if(drafts_, [](const auto& entry) { return entry.second.use_count() == 1; });
    auto draft = parts_.Make<NotesSlidePart>(FreeNotesName(), templates::NotesSlide());
    drafts_.emplace(slideId, draft);
    return draft;
}

void Deck::AddNotes(unsigned slideId)
{
    std::shared_ptr<SlidePart> slide = Slide(slideId);
    std::shared_ptr<NotesSlidePart> notes = DraftNotes(slideId);
    std::shared_ptr<NotesMasterPart> master = EnsureNotesMaster();
    parts_.Add(notes, ooxml::type::kNotesSlide);
    notes->Relationships().Add(rel::kNotesMaster, master->Name());
    notes->Relationships().Add(rel::kSlide, slide->Name());
    slide->Relationships().Add(rel::kNotesSlide, notes->Name());
    drafts_.erase(slideId);
}

std::shared_ptr<NotesMasterPart> Deck::EnsureNotesMaster()
{
    if (std::shared_ptr<NotesMasterPart> existing = NotesMaster()) {
        return existing;
    }
    package::Package& package = parts_.Package();
    const std::string theme = package.FreePartName("/ppt/theme/theme", ".xml");
    package.Write(theme, templates::Theme());
    package.Types().SetOverride(theme, ooxml::type::kTheme);
    auto master = parts_.Make<NotesMasterPart>(package.FreePartName("/ppt/notesMasters/notesMaster", ".xml"),
                                               templates::NotesMaster());
    parts_.Add(master, ooxml::type::kNotesMaster);
    master->Relationships().Add(rel::kTheme, theme);
    presentation_->SetNotesMaster(presentation_->Relationships().Add(rel::kNotesMaster, master->Name()));
    return master;
}

std::shared_ptr<TagsPart> Deck::Tags(XmlPart& owner, pugi::xml_node holder, bool create)
{
    pugi::xml_node reference = holder.child("p:custDataLst").child("p:tags");
    if (reference) {
        return parts_.Get<TagsPart>(owner.RelatedPart(reference.attribute("r:id").value()));
    }
    if (!create) {
        return nullptr;
    }
    auto tags = parts_.Make<TagsPart>(parts_.Package().FreePartName("/ppt/tags/tag", ".xml"), templates::Tags());
    parts_.Add(tags, ooxml::type::kTags);
    const bool commonData = std::string_view(holder.name()) == "p:cSld";
    pugi::xml_node list = xml::ChildInOrder(holder, "p:custDataLst", commonData ? xml::SchemaOrder(kCommonDataOrder)
                                                                               : xml::SchemaOrder(kNonVisualOrder));
    list.append_child("p:tags").append_attribute("r:id") = owner.Relationships().Add(rel::kTags, tags->Name()).c_str();
    xml::EnsureNamespace(owner.Root(), "r", ooxml::kRelationshipsNs);
    owner.Touch();
    return tags;
}

std::vector<std::string> Deck::TypefacesUsed()
{
    return package::TypefacesUsed(parts_.Package(), [this](const std::string& part) { return parts_.Parsed(part); });
}

std::string Deck::AddImage(XmlPart& owner, const std::filesystem::path& picture)
{
    return AddImageContent(owner, ReadPicture(picture), picture.string());
}

std::string Deck::AddImageContent(XmlPart& owner, std::string content, const std::string& origin)
{
    std::optional<PictureFormat> format = SniffPicture(content);
    if (!format) {
        throw host::HostError(origin + " is no picture the presentation can hold");
    }
    package::Package& package = parts_.Package();
    const std::string name = package.FreePartName("/ppt/media/image", "." + format->extension);
    package.Write(name, std::move(content));
    package.Types().EnsureDefault(format->extension, format->contentType);
    return owner.Relationships().Add(rel::kImage, name);
}

void Deck::ReleaseRelationships(XmlPart& owner, const std::vector<std::string>& ids)
{
    const std::vector<std::string> used = xml::RelationshipIdsIn(owner.Root());
    bool released = false;
    for (const std::string& id : ids) {
        if (std::find(used.begin(), used.end(), id) == used.end() && owner.Relationships().ById(id) != nullptr) {
            owner.Relationships().Remove(id);
            released = true;
        }
    }
    if (released) {
        parts_.RemoveUnreachable();
    }
}

std::optional<std::string> Deck::ImageContent(const std::string& partName)
{
    package::Package& package = parts_.Package();
    if (!package.Contains(partName)) {
        return std::nullopt;
    }
    std::string content = package.Read(partName);
    if (!SniffPicture(content)) {
        return std::nullopt;
    }
    return content;
}

}  // namespace velmora::pptx::parts

namespace velmora::pptx::parts {

std::shared_ptr<LegacyDrawingPart> Deck::LegacyDrawing(XmlPart& slide)
{
    if (std::optional<std::string> existing = slide.RelatedPartOfType(rel::kVmlDrawing)) {
        return parts_.Get<LegacyDrawingPart>(*existing);
    }
    auto drawing = parts_.Make<LegacyDrawingPart>(parts_.Package().FreePartName("/ppt/drawings/vmlDrawing", ".vml"),
                                                  LegacyDrawingPart::Content(FreeDrawingBlock()));
    parts_.Add(drawing, ooxml::type::kVmlDrawing);
    slide.Relationships().Add(rel::kVmlDrawing, drawing->Name());
    return drawing;
}

// The smallest block of shape ids no drawing of the deck uses. A drawing
// that cannot be read is passed over: its blocks are unknown, and it must not
// keep a movie off another slide.
unsigned Deck::FreeDrawingBlock()
{
    std::set<unsigned> taken;
    for (const std::string& name : parts_.Package().PartsOfType(ooxml::type::kVmlDrawing)) {
        try {
            taken.merge(parts_.Get<LegacyDrawingPart>(name)->BlocksInUse());
        } catch (const host::HostError&) {
        }
    }
    unsigned block = 1;
    while (taken.contains(block)) {
        ++block;
    }
    return block;
}

Deck::ControlRelations Deck::AddControl(XmlPart& slide, const std::string& classId,
                                        const std::filesystem::path& picture, const PointBox& box)
{
    package::Package& package = parts_.Package();
    ControlRelations relations;
    relations.pictureId = AddImage(slide, picture);
    const std::string pictureName = slide.RelatedPart(relations.pictureId);
    std::shared_ptr<LegacyDrawingPart> drawing = LegacyDrawing(slide);
    if (!drawing->HasFreeShapeNumber()) {
        drawing->ClaimBlock(FreeDrawingBlock());
    }
    relations.legacyShapeId = drawing->AddControlShape(box, drawing->Relationships().Add(rel::kImage, pictureName));

    // The control part and its data, when it gets some, are numbered alike:
    // activeX1.xml keeps activeX1.bin.
    std::string controlName;
    for (unsigned number = 1; controlName.empty(); ++number) {
        const std::string stem = "/ppt/activeX/activeX" + std::to_string(number);
        if (!package.Contains(stem + ".xml") && !package.Contains(stem + ".bin")) {
            controlName = stem + ".xml";
        }
    }
    auto control = parts_.Make<ActiveXControlPart>(controlName, ActiveXControlPart::Content(classId));
    parts_.Add(control, ooxml::type::kActiveX);
    relations.controlId = slide.Relationships().Add(rel::kControl, controlName);
    return relations;
}

void Deck::PlaceLegacyShape(XmlPart& slide, const std::string& legacyShapeId, const PointBox& box)
{
    if (std::optional<std::string> drawing = slide.RelatedPartOfType(rel::kVmlDrawing)) {
        parts_.Get<LegacyDrawingPart>(*drawing)->PlaceShape(legacyShapeId, box);
    }
}

std::shared_ptr<ActiveXControlPart> Deck::Control(XmlPart& owner, const std::string& relationshipId)
{
    return parts_.Get<ActiveXControlPart>(owner.RelatedPart(relationshipId));
}

std::optional<std::string> Deck::ControlData(ActiveXControlPart& control)
{
    const std::optional<std::string> data = control.BinaryPart();
    return data ? std::optional<std::string>(parts_.Package().Read(*data)) : std::nullopt;
}

void Deck::SetControlData(ActiveXControlPart& control, std::optional<std::string> storage)
{
    package::Package& package = parts_.Package();
    std::optional<std::string> data = control.BinaryPart();
    if (!storage) {
        if (data) {
            control.Relationships().Remove(*control.StorageId());
            package.Remove(*data);
        }
        control.SetStorage(std::nullopt);
        return;
    }
    if (!data) {
        const std::string alike = control.Name().substr(0, control.Name().rfind('.')) + ".bin";
        data = package.Contains(alike) ? package.FreePartName("/ppt/activeX/activeX", ".bin") : alike;
        package.Types().SetOverride(*data, ooxml::type::kActiveXBinary);
        control.SetStorage(control.Relationships().Add(rel::kActiveXControlBinary, *data));
    }
    package.Write(*data, std::move(*storage));
}

}  // namespace velmora::pptx::parts
