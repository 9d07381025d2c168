#pragma once

#include <memory>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// An embedded object or control (p:oleObj, p:control) of a shape. A
// control's class and properties live in its own part, reached through the
// part that holds the shape.
class DocumentOLEFormat : public host::OLEFormat {
public:
    // Raises the host error when the shape holds no embedded object.
    DocumentOLEFormat(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node shape);

    std::string ProgID() const override;
    std::string Property(const std::string& name) const override;
    void SetProperty(const std::string& name, const std::string& value) override;

private:
    bool IsControl() const;
    std::string ControlId() const;

    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node object_;
};

}  // namespace velmora::pptx::shapes
