#include "pptx/shapes/DocumentCell.hpp"

#include <utility>

#include "host/MsoConstants.hpp"
#include "pptx/shapes/CellShape.hpp"
#include "pptx/shapes/DocumentLine.hpp"
#include "pptx/shapes/ShapeFormatting.hpp"

namespace velmora::pptx::shapes {

DocumentCell::DocumentCell(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, pugi::xml_node cell)
    : owner_(std::move(owner)), frame_(frame), cell_(cell)
{
}

host::Ref<host::Shape> DocumentCell::Shape()
{
    return std::make_shared<CellShape>(owner_, frame_, cell_);
}

host::Ref<host::Borders> DocumentCell::Borders()
{
    return std::make_shared<DocumentBorders>(owner_, cell_);
}

DocumentBorders::DocumentBorders(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node cell)
    : owner_(std::move(owner)), cell_(cell)
{
}

// The diagonals (types 5 and 6) can be reached by type but are not counted,
// so walking the borders does not draw them.
int DocumentBorders::Count() const
{
    return host::BorderType::Right;
}

host::Ref<host::LineFormat> DocumentBorders::Item(int borderType)
{
    return std::make_shared<DocumentLine>(owner_, std::vector<LineSite>{{cell_, BorderName(borderType)}});
}

}  // namespace velmora::pptx::shapes
