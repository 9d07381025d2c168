#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// The fill of one or more shapes or table cells (the elements holding spPr or
// tcPr). Writes go to all of them; reads answer when they agree.
class DocumentFill : public host::FillFormat {
public:
    DocumentFill(std::shared_ptr<ShapeTreeOwner> owner, std::vector<pugi::xml_node> holders);

    int Visible() const override;
    void SetVisible(int triState) override;
    host::Ref<host::ColorFormat> ForeColor() override;
    float Transparency() const override;
    void SetTransparency(float value) override;
    void UserPicture(const std::filesystem::path& picture) override;

private:
    std::shared_ptr<ShapeTreeOwner> owner_;
    std::vector<pugi::xml_node> holders_;
};

}  // namespace velmora::pptx::shapes
