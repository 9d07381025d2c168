#pragma once

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx::shapes {

// The placeholder properties (p:ph) of a placeholder shape.
class DocumentPlaceholderFormat : public host::PlaceholderFormat {
public:
    // Raises the host error when the shape is no placeholder.
    explicit DocumentPlaceholderFormat(pugi::xml_node shape);

    int Type() const override;

private:
    pugi::xml_node placeholder_;
};

}  // namespace velmora::pptx::shapes
