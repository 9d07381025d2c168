#include "pptx/model/PartShapeTree.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string_view>

#include "host/FlashMovie.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/Shape.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/PrivateFolder.hpp"
#include "pptx/model/DocumentWindow.hpp"
#include "pptx/model/PartTheme.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/ShapeClip.hpp"
#include "pptx/model/SlidePictures.hpp"
#include "pptx/model/Tags.hpp"
#include "pptx/parts/FlashPlayer.hpp"
#include "pptx/parts/Timing.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/xml/Elements.hpp"
#include "render/PictureWriter.hpp"

namespace velmora::pptx::model {

namespace {

// The picture formats a paste as picture draws, by paste data type.
std::string PasteFilter(int dataType)
{
    switch (dataType) {
    case host::PasteDataType::Bitmap:
    case host::PasteDataType::PNG: return "PNG";
    case host::PasteDataType::GIF: return "GIF";
    case host::PasteDataType::JPG: return "JPG";
    default: throw host::HostError("pasting as data type " + std::to_string(dataType) + " is not supported");
    }
}

std::string_view PlaceholderType(pugi::xml_node ph)
{
    pugi::xml_attribute type = ph.attribute("type");
    return type ? std::string_view(type.value()) : std::string_view("obj");
}

// The type a master placeholder has for a slide's placeholder type.
std::string_view MasterType(std::string_view type)
{
    if (type == "ctrTitle" || type == "title") {
        return "title";
    }
    if (type == "dt" || type == "ftr" || type == "sldNum" || type == "hdr" || type == "sldImg") {
        return type;
    }
    return "body";
}

bool SameIndex(pugi::xml_node ph, pugi::xml_node other)
{
    return ph.attribute("idx") && std::string_view(ph.attribute("idx").value()) == other.attribute("idx").value();
}

pugi::xml_node Ph(pugi::xml_node shape)
{
    return shapes::PlaceholderOf(shape);
}

// The picture a control shows while it does not run: a plain light box of
// its size at 96 pixels an inch, written into `folder`.
std::filesystem::path ControlPicture(const std::filesystem::path& folder, double width, double height)
{
    constexpr double kPixelsPerPoint = 96.0 / 72.0;
    constexpr double kLargest = 4096;
    auto pixels = [&](double points) {
        return static_cast<int>(std::clamp(std::round(points * kPixelsPerPoint), 1.0, kLargest));
    };
    render::Raster raster;
    raster.box = {pixels(width), pixels(height)};
    const auto samples = static_cast<std::size_t>(raster.box.width) * static_cast<std::size_t>(raster.box.height) * 3;
    raster.rgb.assign(samples, 0xF0);
    const auto picture = folder / "control.png";
    render::WritePicture(raster, render::PictureFormat::Png, picture);
    return picture;
}

bool Truth(const std::string& value)
{
    const std::string folded = package::FoldCase(value);
    return folded == "true" || folded == "-1" || folded == "1";
}

bool IsPlayer(parts::ActiveXControlPart& control)
{
    return package::FoldCase(control.ClassId()) == package::FoldCase(parts::flash::kClassId);
}

// As its EmbedMovie property says; a player of another writer that keeps no
// such property embeds when its storage holds a movie, which must not be lost
// when its other properties change.
bool EmbedsMovie(parts::Deck& deck, parts::ActiveXControlPart& player)
{
    if (const std::optional<std::string> embed = player.Property("EmbedMovie")) {
        return Truth(*embed);
    }
    const std::optional<std::string> storage = deck.ControlData(player);
    const std::optional<std::string> movie = storage ? parts::flash::EmbeddedMovie(*storage) : std::nullopt;
    return movie && !movie->empty();
}

}  // namespace

std::optional<unsigned long> PartShapeTree::TreeRevision()
{
    return Part().Revision();
}

// Controls keep their pictures outside the shape tree; their ids count too.
unsigned PartShapeTree::NextShapeId()
{
    return std::max(shapes::NewShapeId(ShapeTree()), shapes::NewShapeId(Part().CommonData().child("p:controls")));
}

std::string PartShapeTree::AddImage(const std::filesystem::path& picture)
{
    std::string id = presentation_->Deck().AddImage(Part(), picture);
    presentation_->MarkChanged();
    return id;
}

std::string PartShapeTree::AddImageContent(std::string content, const std::string& origin)
{
    std::string id = presentation_->Deck().AddImageContent(Part(), std::move(content), origin);
    presentation_->MarkChanged();
    return id;
}

void PartShapeTree::CopyShapes(const std::vector<pugi::xml_node>& shapes)
{
    presentation_->Clipboard().Hold(std::make_shared<ShapeClip>(*presentation_, shared_from_this(), shapes));
}

host::Ref<host::ShapeRange> PartShapeTree::PasteAsPicture(int dataType)
{
    const std::string filter = PasteFilter(dataType);
    ShapeClip& clip = presentation_->Clipboard().Content();
    const platform::PrivateFolder folder("velmora-paste");
    const auto picture = folder.Path() / ("pasted." + platform::AsciiLower(filter));
    clip.Draw(presentation_->Pictures(), picture, filter);
    auto shapes = MakeShapes(shared_from_this());
    shapes->AddPicture(picture, host::TriState::False, host::TriState::True, clip.Left(), clip.Top(), clip.Width(),
                       clip.Height());
    return shapes->Range({shapes->Count()});
}

void PartShapeTree::ExportShapes(const std::vector<pugi::xml_node>& shapes, const std::filesystem::path& file,
                                 const std::string& filter)
{
    ShapeClip clip(*presentation_, shared_from_this(), shapes);
    clip.Draw(presentation_->Pictures(), std::filesystem::absolute(file), filter);
}

std::string PartShapeTree::RelationshipTarget(const std::string& relationshipId)
{
    auto relationship = Part().Relationships().ById(relationshipId);
    if (!relationship) {
        throw host::HostError(Part().Describe() + " has no relationship \"" + relationshipId + "\"");
    }
    return relationship->external ? relationship->target : Part().Relationships().TargetPart(*relationship);
}

void PartShapeTree::ReleaseRelationships(const std::vector<std::string>& relationshipIds)
{
    presentation_->Deck().ReleaseRelationships(Part(), relationshipIds);
}

host::Ref<host::Tags> PartShapeTree::ShapeTags(pugi::xml_node shape)
{
    auto self = std::static_pointer_cast<PartShapeTree>(shared_from_this());
    auto locate = [self, shape] {
        return Tags::Holder{std::shared_ptr<parts::XmlPart>(self, &self->Part()), shapes::AppProperties(shape)};
    };
    return std::make_shared<Tags>(presentation_, locate, [self] { self->Touch(); });
}

pugi::xml_node PartShapeTree::Matching(parts::ShapeTreePart& candidate, pugi::xml_node placeholder, bool master)
{
    pugi::xml_node ph = Ph(placeholder);
    const std::string_view type = PlaceholderType(ph);
    const std::string_view family = MasterType(type);
    pugi::xml_node byType;
    for (pugi::xml_node shape : candidate.ShapeTree().children("p:sp")) {
        pugi::xml_node other = Ph(shape);
        if (!other) {
            continue;
        }
        const std::string_view otherType = PlaceholderType(other);
        if (master) {
            if (MasterType(otherType) == family) {
                return shape;
            }
            continue;
        }
        if (SameIndex(ph, other)) {
            return shape;
        }
        if (!byType && (otherType == type || (family == "title" && MasterType(otherType) == "title"))) {
            byType = shape;
        }
    }
    return byType;
}

SlideShapeTree::SlideShapeTree(std::shared_ptr<Presentation> presentation, unsigned slideId)
    : PartShapeTree(std::move(presentation)), slideId_(slideId), part_(presentation_->Deck().Slide(slideId))
{
}

void SlideShapeTree::Touch()
{
    part_->Touch();
    presentation_->MarkChanged();
}

void SlideShapeTree::TouchContent()
{
    part_->TouchContent();
    presentation_->MarkChanged();
}

void SlideShapeTree::ShapeRemoved(unsigned shapeId)
{
    parts::timing::DeleteEffectsOn(part_->Root(), shapeId);
    if (std::shared_ptr<DocumentWindow> window = presentation_->Window()) {
        window->ShapeRemoved();
    }
    Touch();
}

std::vector<pugi::xml_node> SlideShapeTree::PlaceholderChain(pugi::xml_node placeholderShape)
{
    std::vector<pugi::xml_node> chain;
    if (!Ph(placeholderShape)) {
        return chain;
    }
    parts::Deck& deck = presentation_->Deck();
    std::shared_ptr<parts::SlideLayoutPart> layout = deck.Layout(*part_);
    if (!layout) {
        return chain;
    }
    if (pugi::xml_node found = Matching(*layout, placeholderShape, false)) {
        chain.push_back(found);
    }
    if (std::shared_ptr<parts::SlideMasterPart> master = deck.Master(*layout)) {
        pugi::xml_node base = chain.empty() ? placeholderShape : chain.front();
        if (pugi::xml_node found = Matching(*master, base, true)) {
            chain.push_back(found);
        }
    }
    return chain;
}

pugi::xml_node SlideShapeTree::MasterTextStyle(const std::string& kind)
{
    parts::Deck& deck = presentation_->Deck();
    std::shared_ptr<parts::SlideLayoutPart> layout = deck.Layout(*part_);
    std::shared_ptr<parts::SlideMasterPart> master = layout ? deck.Master(*layout) : nullptr;
    return master ? master->TextStyle(kind) : pugi::xml_node();
}

shapes::ThemeResolver SlideShapeTree::Theme()
{
    parts::Deck& deck = presentation_->Deck();
    std::shared_ptr<parts::SlideLayoutPart> layout = deck.Layout(*part_);
    std::shared_ptr<parts::SlideMasterPart> master = layout ? deck.Master(*layout) : nullptr;
    if (!master) {
        return PartTheme(nullptr, {part_->ColorMap()});
    }
    return PartTheme(deck.Theme(*master).get(), {part_->ColorMap(), layout->ColorMap(), master->ColorMap()});
}

void SlideShapeTree::Select(const std::vector<pugi::xml_node>& shapes, bool replace)
{
    std::shared_ptr<DocumentWindow> window = presentation_->Window();
    if (!window) {
        throw host::HostError("the slide is not shown in a window");
    }
    window->SelectShapeNodes(slideId_, shapes, replace);
}

ControlRelations SlideShapeTree::AddControl(const std::string& progId, double left, double top, double width,
                                            double height)
{
    if (!parts::flash::IsPlayerClass(progId)) {
        throw host::HostError("inserting the object \"" + progId + "\" is not supported");
    }
    platform::PrivateFolder scratch("velmora-control");
    const auto picture = ControlPicture(scratch.Path(), width, height);
    const auto added =
        presentation_->Deck().AddControl(*part_, parts::flash::kClassId, picture, {left, top, width, height});
    Touch();
    return {added.controlId, added.pictureId, added.legacyShapeId};
}

void SlideShapeTree::PlaceLegacyShape(const std::string& legacyShapeId, double left, double top, double width,
                                      double height)
{
    presentation_->Deck().PlaceLegacyShape(*part_, legacyShapeId, {left, top, width, height});
}

std::string SlideShapeTree::ControlProgID(const std::string& controlId)
{
    auto control = presentation_->Deck().Control(*part_, controlId);
    return IsPlayer(*control) ? parts::flash::kProgId : control->ClassId();
}

std::string SlideShapeTree::ControlProperty(const std::string& controlId, const std::string& name)
{
    return presentation_->Deck().Control(*part_, controlId)->Property(name).value_or("");
}

// A player that embeds its movie persists to a storage with the movie's
// bytes, which follow every change of either property; one that links its
// movie persists to its property bag, where the program reads the path.
void SlideShapeTree::SetControlProperty(const std::string& controlId, const std::string& name,
                                        const std::string& value)
{
    parts::Deck& deck = presentation_->Deck();
    auto control = deck.Control(*part_, controlId);
    if (IsPlayer(*control) && (name == "Movie" || name == "EmbedMovie")) {
        const std::string movie = name == "Movie" ? value : control->Property("Movie").value_or("");
        const bool embed = name == "EmbedMovie" ? Truth(value) : EmbedsMovie(deck, *control);
        deck.SetControlData(*control, embed ? std::optional(parts::flash::Storage(ReadMovie(movie))) : std::nullopt);
    }
    control->SetProperty(name, value);
    Touch();
}

std::string SlideShapeTree::ReadMovie(const std::string& movie) const
{
    std::filesystem::path file(movie);
    if (file.is_relative()) {
        const std::string folder = presentation_->Path();
        if (folder.empty()) {
            throw host::HostError("the movie \"" + movie + "\" is named relative to a presentation never saved");
        }
        file = std::filesystem::path(folder) / file;
    }
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    if (in) {
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (!in.is_open() || in.bad()) {
        throw host::HostError("the movie " + file.string() + " cannot be read");
    }
    if (!host::IsFlashMovie(bytes)) {
        throw host::HostError(file.string() + " is no Flash movie that can be embedded");
    }
    return bytes;
}

NotesShapeTree::NotesShapeTree(std::shared_ptr<Presentation> presentation, unsigned slideId)
    : PartShapeTree(std::move(presentation)), slideId_(slideId)
{
    parts::Deck& deck = presentation_->Deck();
    part_ = deck.Notes(slideId);
    if (!part_) {
        part_ = deck.DraftNotes(slideId);
    }
}

void NotesShapeTree::Touch()
{
    parts::Deck& deck = presentation_->Deck();
    if (!deck.Notes(slideId_)) {
        deck.AddNotes(slideId_);
    }
    part_->Touch();
    presentation_->MarkChanged();
}

void NotesShapeTree::ShapeRemoved(unsigned)
{
    Touch();
}

std::vector<pugi::xml_node> NotesShapeTree::PlaceholderChain(pugi::xml_node placeholderShape)
{
    std::shared_ptr<parts::NotesMasterPart> master = presentation_->Deck().NotesMaster();
    pugi::xml_node found = master && Ph(placeholderShape) ? Matching(*master, placeholderShape, true) : pugi::xml_node();
    return found ? std::vector<pugi::xml_node>{found} : std::vector<pugi::xml_node>{};
}

pugi::xml_node NotesShapeTree::MasterTextStyle(const std::string&)
{
    std::shared_ptr<parts::NotesMasterPart> master = presentation_->Deck().NotesMaster();
    return master ? master->NotesStyle() : pugi::xml_node();
}

shapes::ThemeResolver NotesShapeTree::Theme()
{
    std::shared_ptr<parts::NotesMasterPart> master = presentation_->Deck().NotesMaster();
    if (!master) {
        return PartTheme(nullptr, {part_->ColorMap()});
    }
    return PartTheme(presentation_->Deck().Theme(*master).get(), {part_->ColorMap(), master->ColorMap()});
}

void NotesShapeTree::Select(const std::vector<pugi::xml_node>&, bool)
{
    throw host::HostError("notes pages are not shown in a window");
}

}  // namespace velmora::pptx::model
