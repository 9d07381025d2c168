#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// Where a text body lives: a shape (p:txBody) or a table cell (a:txBody),
// with what its text inherits from.
struct TextSite {
    std::shared_ptr<ShapeTreeOwner> owner;
    pugi::xml_node holder;  // p:sp or a:tc

    pugi::xml_node Body() const;
    // Creates an empty text body when the holder has none.
    pugi::xml_node EnsureBody() const;
    // List styles the text falls back on, nearest first: the body's own, the
    // placeholder's layout and master, then the master text style.
    std::vector<pugi::xml_node> ListStyles() const;
    // After a write: marks the part changed.
    void Changed() const;
    // After a write that changes the text's extent (text, size, wrapping):
    // also refits a shape sized to its text.
    void Resized() const;
};

}  // namespace velmora::pptx::shapes
