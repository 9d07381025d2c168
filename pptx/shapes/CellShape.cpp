#include "pptx/shapes/CellShape.hpp"

#include <tuple>
#include <utility>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/shapes/DocumentFill.hpp"
#include "pptx/shapes/DocumentLine.hpp"
#include "pptx/shapes/DocumentTextFrame.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeFormatting.hpp"
#include "pptx/shapes/ShapeGeometry.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

[[noreturn]] void NotForCells(const char* what)
{
    throw host::HostError(std::string(what) + " is not available for a table cell");
}

// Offset of the item at position index and its own size, summing a length attribute.
std::pair<double, double> Span(const std::vector<pugi::xml_node>& items, pugi::xml_node item, const char* length)
{
    double offset = 0;
    for (auto candidate : items) {
        const double size = NumberAttribute(candidate, length, 0);
        if (candidate == item) {
            return {offset, size};
        }
        offset += size;
    }
    return {offset, 0};
}

std::vector<pugi::xml_node> GridColumns(pugi::xml_node cell)
{
    std::vector<pugi::xml_node> columns;
    for (auto column : Child(cell.parent().parent(), "tblGrid").children()) {
        if (Is(column, "gridCol")) {
            columns.push_back(column);
        }
    }
    return columns;
}

}  // namespace

CellShape::CellShape(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, pugi::xml_node cell)
    : owner_(std::move(owner)), frame_(frame), cell_(cell)
{
}

Box CellShape::CellBounds() const
{
    const auto table = SlideBox(*owner_, frame_);
    const auto row = cell_.parent();
    const auto cells = RowCells(row);
    const auto columns = GridColumns(cell_);
    std::size_t position = 0;
    while (position < cells.size() && cells[position] != cell_) {
        ++position;
    }
    const auto [top, height] = Span(TableRows(row.parent()), row, "h");
    double left = 0;
    double width = 0;
    if (position < columns.size()) {
        std::tie(left, width) = Span(columns, columns[position], "w");
    }
    return {table.left + left, table.top + top, width, height};
}

int CellShape::Type() const { return host::ShapeType::AutoShape; }
std::string CellShape::Name() const { return {}; }
void CellShape::SetName(const std::string&) { NotForCells("naming"); }
int CellShape::Id() const { return 0; }
float CellShape::Left() const { return ooxml::EmuToPoints(std::llround(CellBounds().left)); }
void CellShape::SetLeft(float) { NotForCells("moving"); }
float CellShape::Top() const { return ooxml::EmuToPoints(std::llround(CellBounds().top)); }
void CellShape::SetTop(float) { NotForCells("moving"); }
float CellShape::Width() const { return ooxml::EmuToPoints(std::llround(CellBounds().width)); }
void CellShape::SetWidth(float) { NotForCells("resizing"); }
float CellShape::Height() const { return ooxml::EmuToPoints(std::llround(CellBounds().height)); }
void CellShape::SetHeight(float) { NotForCells("resizing"); }
int CellShape::Visible() const { return host::TriState::True; }
void CellShape::SetVisible(int) { NotForCells("hiding"); }

host::Ref<host::FillFormat> CellShape::Fill()
{
    return std::make_shared<DocumentFill>(owner_, std::vector<pugi::xml_node>{cell_});
}

host::Ref<host::LineFormat> CellShape::Line()
{
    return std::make_shared<DocumentLine>(owner_, CellBorders(cell_));
}

int CellShape::HasTextFrame() const { return host::TriState::True; }

host::Ref<host::TextFrame> CellShape::TextFrame()
{
    return std::make_shared<DocumentTextFrame>(TextSite{owner_, cell_});
}

int CellShape::HasTable() const { return host::TriState::False; }
host::Ref<host::Table> CellShape::Table() { NotForCells("a table"); }
host::Ref<host::GroupShapes> CellShape::GroupItems() { NotForCells("group items"); }
host::Ref<host::ShapeRange> CellShape::Ungroup() { NotForCells("ungrouping"); }
void CellShape::Select(bool) { NotForCells("selecting"); }
void CellShape::Copy() { NotForCells("copying"); }
void CellShape::Delete() { NotForCells("deleting"); }
void CellShape::Export(const std::filesystem::path&, const std::string&) { NotForCells("exporting"); }
host::Ref<host::OLEFormat> CellShape::OLEFormat() { NotForCells("an embedded object"); }
host::Ref<host::Tags> CellShape::Tags() { NotForCells("tagging"); }
host::Ref<host::TextEffectFormat> CellShape::TextEffect() { NotForCells("a text effect"); }

host::Ref<host::PlaceholderFormat> CellShape::PlaceholderFormat() { NotForCells("a placeholder format"); }

}  // namespace velmora::pptx::shapes
