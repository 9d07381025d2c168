#pragma once

#include <memory>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// The a:tbl of a table frame.
class DocumentTable : public host::Table {
public:
    DocumentTable(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame);

    host::Ref<host::Rows> Rows() override;
    int ColumnCount() const override;
    host::Ref<host::Cell> Cell(int row, int column) override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node frame_;
};

}  // namespace velmora::pptx::shapes
