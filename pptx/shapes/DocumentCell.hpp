#pragma once

#include <memory>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// One a:tc of a table.
class DocumentCell : public host::Cell {
public:
    DocumentCell(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, pugi::xml_node cell);

    host::Ref<host::Shape> Shape() override;
    host::Ref<host::Borders> Borders() override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node frame_;
    pugi::xml_node cell_;
};

// The borders of a cell (a:tcPr a:lnT, a:lnL, a:lnB, a:lnR).
class DocumentBorders : public host::Borders {
public:
    DocumentBorders(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node cell);

    int Count() const override;
    host::Ref<host::LineFormat> Item(int borderType) override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node cell_;
};

}  // namespace velmora::pptx::shapes
