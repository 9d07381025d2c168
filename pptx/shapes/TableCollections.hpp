#pragma once

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

// The rows of a table, and the cells of a row.
namespace velmora::pptx::shapes {

// Item index (1-based) of a list; raises the host error when out of range.
pugi::xml_node ItemAt(const std::vector<pugi::xml_node>& items, int index, const char* what);

class DocumentRows : public host::Rows {
public:
    DocumentRows(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame);

    int Count() const override;
    host::Ref<host::Row> Item(int index) override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node frame_;
};

class DocumentRow : public host::Row {
public:
    DocumentRow(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, pugi::xml_node row);

    host::Ref<host::CellRange> Cells() override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node frame_;
    pugi::xml_node row_;
};

class DocumentCellRange : public host::CellRange {
public:
    DocumentCellRange(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, std::vector<pugi::xml_node> cells);

    int Count() const override;
    host::Ref<host::Cell> Item(int index) override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node frame_;
    std::vector<pugi::xml_node> cells_;
};

}  // namespace velmora::pptx::shapes
