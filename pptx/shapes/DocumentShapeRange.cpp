#include "pptx/shapes/DocumentShapeRange.hpp"

#include <algorithm>
#include <limits>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/Agreement.hpp"
#include "pptx/shapes/DocumentFill.hpp"
#include "pptx/shapes/DocumentLine.hpp"
#include "pptx/shapes/DocumentShape.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeFormatting.hpp"
#include "pptx/shapes/ShapeGrouping.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TableCollections.hpp"

namespace velmora::pptx::shapes {

namespace {

struct Extent {
    float low = std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::lowest();
};

template <typename Start, typename Size>
Extent Span(const std::vector<host::Ref<host::Shape>>& members, Start start, Size size)
{
    if (members.empty()) {
        throw host::HostError("the shape range is empty");
    }
    Extent extent;
    for (const auto& member : members) {
        extent.low = std::min(extent.low, start(*member));
        extent.high = std::max(extent.high, start(*member) + size(*member));
    }
    return extent;
}

Extent Horizontal(const std::vector<host::Ref<host::Shape>>& members)
{
    return Span(members, [](const host::Shape& s) { return s.Left(); }, [](const host::Shape& s) { return s.Width(); });
}

Extent Vertical(const std::vector<host::Ref<host::Shape>>& members)
{
    return Span(members, [](const host::Shape& s) { return s.Top(); }, [](const host::Shape& s) { return s.Height(); });
}

}  // namespace

DocumentShapeRange::DocumentShapeRange(std::shared_ptr<ShapeTreeOwner> owner, std::vector<pugi::xml_node> shapes)
    : owner_(std::move(owner)), shapes_(std::move(shapes))
{
    for (auto shape : shapes_) {
        members_.push_back(std::make_shared<DocumentShape>(owner_, shape));
    }
}

host::Shape& DocumentShapeRange::Single(const char* what) const
{
    if (members_.size() != 1) {
        throw host::HostError(std::string(what) + " needs a range of exactly one shape (this one has " +
                              std::to_string(members_.size()) + ")");
    }
    return *members_.front();
}

template <typename Write>
void DocumentShapeRange::ForEach(Write write)
{
    for (const auto& member : members_) {
        write(*member);
    }
}

int DocumentShapeRange::Count() const
{
    return static_cast<int>(members_.size());
}

host::Ref<host::Shape> DocumentShapeRange::Item(int index)
{
    if (index < 1 || index > Count()) {
        throw host::HostError("shape " + std::to_string(index) + " is out of range (the range has " +
                              std::to_string(Count()) + ")");
    }
    return members_[index - 1];
}

host::Ref<host::Shape> DocumentShapeRange::Group()
{
    return std::make_shared<DocumentShape>(owner_, GroupShapes(*owner_, shapes_));
}

int DocumentShapeRange::Type() const
{
    return Agreed(members_, [](const auto& member) { return member->Type(); }, host::ShapeType::Mixed);
}

std::string DocumentShapeRange::Name() const { return Single("Name").Name(); }
void DocumentShapeRange::SetName(const std::string& value) { Single("Name").SetName(value); }
int DocumentShapeRange::Id() const { return Single("Id").Id(); }

float DocumentShapeRange::Left() const { return Horizontal(members_).low; }
void DocumentShapeRange::SetLeft(float value) { ForEach([&](host::Shape& s) { s.SetLeft(value); }); }
float DocumentShapeRange::Top() const { return Vertical(members_).low; }
void DocumentShapeRange::SetTop(float value) { ForEach([&](host::Shape& s) { s.SetTop(value); }); }

float DocumentShapeRange::Width() const
{
    const auto extent = Horizontal(members_);
    return extent.high - extent.low;
}

void DocumentShapeRange::SetWidth(float value) { ForEach([&](host::Shape& s) { s.SetWidth(value); }); }

float DocumentShapeRange::Height() const
{
    const auto extent = Vertical(members_);
    return extent.high - extent.low;
}

void DocumentShapeRange::SetHeight(float value) { ForEach([&](host::Shape& s) { s.SetHeight(value); }); }

int DocumentShapeRange::Visible() const
{
    return Agreed(members_, [](const auto& member) { return member->Visible(); }, host::TriState::Mixed);
}

void DocumentShapeRange::SetVisible(int triState) { ForEach([&](host::Shape& s) { s.SetVisible(triState); }); }

host::Ref<host::FillFormat> DocumentShapeRange::Fill()
{
    std::vector<pugi::xml_node> holders;
    for (auto shape : shapes_) {
        const auto own = FillHolders(shape);
        holders.insert(holders.end(), own.begin(), own.end());
    }
    return std::make_shared<DocumentFill>(owner_, std::move(holders));
}

host::Ref<host::LineFormat> DocumentShapeRange::Line()
{
    std::vector<LineSite> sites;
    for (auto shape : shapes_) {
        const auto own = LineSites(shape);
        sites.insert(sites.end(), own.begin(), own.end());
    }
    return std::make_shared<DocumentLine>(owner_, std::move(sites));
}

int DocumentShapeRange::HasTextFrame() const
{
    return Agreed(members_, [](const auto& member) { return member->HasTextFrame(); }, host::TriState::Mixed);
}

host::Ref<host::TextFrame> DocumentShapeRange::TextFrame() { return Single("TextFrame").TextFrame(); }
int DocumentShapeRange::HasTable() const { return Single("HasTable").HasTable(); }
host::Ref<host::Table> DocumentShapeRange::Table() { return Single("Table").Table(); }
host::Ref<host::GroupShapes> DocumentShapeRange::GroupItems() { return Single("GroupItems").GroupItems(); }

host::Ref<host::ShapeRange> DocumentShapeRange::Ungroup()
{
    if (std::none_of(shapes_.begin(), shapes_.end(), IsGroup)) {
        throw host::HostError("the shape range holds no group");
    }
    std::vector<pugi::xml_node> ungrouped;
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        if (IsGroup(shapes_[i])) {
            const auto parts = std::dynamic_pointer_cast<DocumentShapeRange>(members_[i]->Ungroup());
            ungrouped.insert(ungrouped.end(), parts->shapes_.begin(), parts->shapes_.end());
        }
    }
    return std::make_shared<DocumentShapeRange>(owner_, std::move(ungrouped));
}

void DocumentShapeRange::Select(bool replace)
{
    owner_->Select(shapes_, replace);
}

void DocumentShapeRange::Copy()
{
    owner_->CopyShapes(shapes_);
}

void DocumentShapeRange::Delete() { ForEach([](host::Shape& s) { s.Delete(); }); }

void DocumentShapeRange::Export(const std::filesystem::path& file, const std::string& filter)
{
    owner_->ExportShapes(shapes_, file, filter);
}

host::Ref<host::OLEFormat> DocumentShapeRange::OLEFormat() { return Single("OLEFormat").OLEFormat(); }
host::Ref<host::Tags> DocumentShapeRange::Tags() { return Single("Tags").Tags(); }
host::Ref<host::TextEffectFormat> DocumentShapeRange::TextEffect() { return Single("TextEffect").TextEffect(); }

host::Ref<host::PlaceholderFormat> DocumentShapeRange::PlaceholderFormat()
{
    return Single("PlaceholderFormat").PlaceholderFormat();
}

}  // namespace velmora::pptx::shapes
