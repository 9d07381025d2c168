#include "pptx/shapes/DocumentShape.hpp"

#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/DocumentFill.hpp"
#include "pptx/shapes/DocumentGroupShapes.hpp"
#include "pptx/shapes/DocumentLine.hpp"
#include "pptx/shapes/DocumentOLEFormat.hpp"
#include "pptx/shapes/DocumentPlaceholderFormat.hpp"
#include "pptx/shapes/DocumentTable.hpp"
#include "pptx/shapes/DocumentTextEffect.hpp"
#include "pptx/shapes/DocumentTextFrame.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeFormatting.hpp"
#include "pptx/shapes/ShapeGeometry.hpp"
#include "pptx/shapes/ShapeGrouping.hpp"
#include "pptx/shapes/ShapeTemplates.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TriStates.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

[[noreturn]] void Refuse(pugi::xml_node shape, const std::string& what)
{
    throw host::HostError("the shape \"" + ShapeNameOf(shape) + "\" " + what);
}

double Component(const Box& box, Edge edge)
{
    switch (edge) {
    case Edge::Left: return box.left;
    case Edge::Top: return box.top;
    case Edge::Width: return box.width;
    case Edge::Height: return box.height;
    }
    return 0;
}

}  // namespace

DocumentShape::DocumentShape(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node shape)
    : owner_(std::move(owner)), shape_(shape)
{
    if (!IsShapeElement(shape_)) {
        throw host::HostError("the element is not a shape");
    }
}

pugi::xml_node DocumentShape::Element() const
{
    if (gone_) {
        throw host::HostError("the shape no longer exists");
    }
    return shape_;
}

int DocumentShape::Type() const
{
    return ShapeTypeOf(Element());
}

std::string DocumentShape::Name() const
{
    return ShapeNameOf(Element());
}

void DocumentShape::SetName(const std::string& value)
{
    auto properties = NonVisualProperties(Element());
    if (!properties) {
        Refuse(shape_, "has no name to change");
    }
    SetAttribute(properties, "name", value.c_str());
    owner_->Touch();
}

int DocumentShape::Id() const
{
    return static_cast<int>(ShapeIdOf(Element()));
}

float DocumentShape::ReadEdge(Edge edge) const
{
    return ooxml::EmuToPoints(std::llround(Component(SlideBox(*owner_, Element()), edge)));
}

void DocumentShape::WriteEdge(Edge edge, float points)
{
    SetSlideEdge(*owner_, Element(), edge, static_cast<double>(points) * ooxml::kEmuPerPoint);
    if (IsControlPicture(shape_)) {
        KeepControlInStep(*owner_, shape_);
    }
    owner_->TouchContent();
}

float DocumentShape::Left() const { return ReadEdge(Edge::Left); }
void DocumentShape::SetLeft(float value) { WriteEdge(Edge::Left, value); }
float DocumentShape::Top() const { return ReadEdge(Edge::Top); }
void DocumentShape::SetTop(float value) { WriteEdge(Edge::Top, value); }
float DocumentShape::Width() const { return ReadEdge(Edge::Width); }
void DocumentShape::SetWidth(float value) { WriteEdge(Edge::Width, value); }
float DocumentShape::Height() const { return ReadEdge(Edge::Height); }
void DocumentShape::SetHeight(float value) { WriteEdge(Edge::Height, value); }

int DocumentShape::Visible() const
{
    return ToTriState(!BoolAttribute(NonVisualProperties(Element()), "hidden", false));
}

void DocumentShape::SetVisible(int triState)
{
    auto properties = NonVisualProperties(Element());
    if (!properties) {
        Refuse(shape_, "cannot be hidden");
    }
    if (FromTriState(triState)) {
        properties.remove_attribute("hidden");
    } else {
        SetAttribute(properties, "hidden", "1");
    }
    owner_->Touch();
}

host::Ref<host::FillFormat> DocumentShape::Fill()
{
    return std::make_shared<DocumentFill>(owner_, FillHolders(Element()));
}

host::Ref<host::LineFormat> DocumentShape::Line()
{
    return std::make_shared<DocumentLine>(owner_, LineSites(Element()));
}

int DocumentShape::HasTextFrame() const
{
    return ToTriState(Is(Element(), "sp"));
}

host::Ref<host::TextFrame> DocumentShape::TextFrame()
{
    if (!Is(Element(), "sp")) {
        Refuse(shape_, "has no text frame");
    }
    return std::make_shared<DocumentTextFrame>(TextSite{owner_, shape_});
}

int DocumentShape::HasTable() const
{
    return ToTriState(static_cast<bool>(TableOf(Element())));
}

host::Ref<host::Table> DocumentShape::Table()
{
    if (!TableOf(Element())) {
        Refuse(shape_, "is not a table");
    }
    return std::make_shared<DocumentTable>(owner_, shape_);
}

host::Ref<host::GroupShapes> DocumentShape::GroupItems()
{
    if (!IsGroup(Element())) {
        Refuse(shape_, "is not a group");
    }
    return std::make_shared<DocumentGroupShapes>(owner_, shape_);
}

host::Ref<host::ShapeRange> DocumentShape::Ungroup()
{
    if (!IsGroup(Element())) {
        Refuse(shape_, "is not a group");
    }
    auto members = UngroupShape(*owner_, shape_);
    gone_ = true;
    return MakeShapeRange(owner_, members);
}

void DocumentShape::Select(bool replace)
{
    owner_->Select({Element()}, replace);
}

void DocumentShape::Copy()
{
    owner_->CopyShapes({Element()});
}

void DocumentShape::Delete()
{
    RemoveShape(*owner_, Element());
    gone_ = true;
}

void DocumentShape::Export(const std::filesystem::path& file, const std::string& filter)
{
    owner_->ExportShapes({Element()}, file, filter);
}

host::Ref<host::OLEFormat> DocumentShape::OLEFormat()
{
    return std::make_shared<DocumentOLEFormat>(owner_, Element());
}

host::Ref<host::Tags> DocumentShape::Tags()
{
    return owner_->ShapeTags(Element());
}

host::Ref<host::TextEffectFormat> DocumentShape::TextEffect()
{
    if (!Is(Element(), "sp")) {
        Refuse(shape_, "has no text effect");
    }
    return std::make_shared<DocumentTextEffect>(TextSite{owner_, shape_});
}

host::Ref<host::PlaceholderFormat> DocumentShape::PlaceholderFormat()
{
    return std::make_shared<DocumentPlaceholderFormat>(Element());
}

}  // namespace velmora::pptx::shapes
