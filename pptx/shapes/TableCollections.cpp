#include "pptx/shapes/TableCollections.hpp"

#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/DocumentCell.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeFormatting.hpp"

namespace velmora::pptx::shapes {

pugi::xml_node ItemAt(const std::vector<pugi::xml_node>& items, int index, const char* what)
{
    if (index < 1 || index > static_cast<int>(items.size())) {
        throw host::HostError(std::string(what) + " " + std::to_string(index) + " is out of range (there are " +
                              std::to_string(items.size()) + ")");
    }
    return items[index - 1];
}

DocumentRows::DocumentRows(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame)
    : owner_(std::move(owner)), frame_(frame)
{
}

int DocumentRows::Count() const
{
    return static_cast<int>(TableRows(TableOf(frame_)).size());
}

host::Ref<host::Row> DocumentRows::Item(int index)
{
    return std::make_shared<DocumentRow>(owner_, frame_, ItemAt(TableRows(TableOf(frame_)), index, "row"));
}

DocumentRow::DocumentRow(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, pugi::xml_node row)
    : owner_(std::move(owner)), frame_(frame), row_(row)
{
}

host::Ref<host::CellRange> DocumentRow::Cells()
{
    return std::make_shared<DocumentCellRange>(owner_, frame_, RowCells(row_));
}

DocumentCellRange::DocumentCellRange(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame,
                                     std::vector<pugi::xml_node> cells)
    : owner_(std::move(owner)), frame_(frame), cells_(std::move(cells))
{
}

int DocumentCellRange::Count() const
{
    return static_cast<int>(cells_.size());
}

host::Ref<host::Cell> DocumentCellRange::Item(int index)
{
    return std::make_shared<DocumentCell>(owner_, frame_, ItemAt(cells_, index, "cell"));
}

}  // namespace velmora::pptx::shapes
