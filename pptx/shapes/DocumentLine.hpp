#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// One outline: a shape's a:ln or a cell border (a:lnL, a:lnT, ...).
struct LineSite {
    pugi::xml_node holder;    // the element holding spPr or tcPr
    const char* name;         // qualified name of the line element
};

// The outline of one or more shapes, or table borders. Writes go to all of
// them; reads answer when they agree.
class DocumentLine : public host::LineFormat {
public:
    DocumentLine(std::shared_ptr<ShapeTreeOwner> owner, std::vector<LineSite> sites);

    int Visible() const override;
    void SetVisible(int triState) override;
    host::Ref<host::ColorFormat> ForeColor() override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    std::vector<LineSite> sites_;
};

}  // namespace velmora::pptx::shapes
