#pragma once

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx::shapes {

// An embedded object or control (p:oleObj, p:control) of a graphic frame.
class DocumentOLEFormat : public host::OLEFormat {
public:
    // Raises the host error when the shape holds no embedded object.
    explicit DocumentOLEFormat(pugi::xml_node shape);

    std::string ProgID() const override;
    std::string Property(const std::string& name) const override;
    void SetProperty(const std::string& name, const std::string& value) override;

private:
    pugi::xml_node object_;
};

}  // namespace velmora::pptx::shapes
