#include "pptx/shapes/DocumentTable.hpp"

#include <utility>

#include "pptx/shapes/DocumentCell.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeFormatting.hpp"
#include "pptx/shapes/TableCollections.hpp"

namespace velmora::pptx::shapes {

DocumentTable::DocumentTable(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame)
    : owner_(std::move(owner)), frame_(frame)
{
}

host::Ref<host::Rows> DocumentTable::Rows()
{
    return std::make_shared<DocumentRows>(owner_, frame_);
}

int DocumentTable::ColumnCount() const
{
    int count = 0;
    for (auto column : Child(TableOf(frame_), "tblGrid").children()) {
        count += Is(column, "gridCol") ? 1 : 0;
    }
    return count;
}

host::Ref<host::Cell> DocumentTable::Cell(int row, int column)
{
    return DocumentRow(owner_, frame_, ItemAt(TableRows(TableOf(frame_)), row, "row")).Cells()->Item(column);
}

}  // namespace velmora::pptx::shapes
