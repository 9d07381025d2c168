#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "host/Application.hpp"
#include "pptx/model/DocumentWindow.hpp"

namespace velmora::pptx::model {

class SlideShapeTree;

// The window's selection as it is when each member is called.
class Selection : public host::Selection {
public:
    explicit Selection(std::shared_ptr<DocumentWindow> window) : window_(std::move(window)) {}

    int Type() const override;
    host::Ref<host::SlideRange> SlideRange() override;
    host::Ref<host::ShapeRange> ShapeRange() override;
    host::Ref<host::TextRange> TextRange() override;
    host::Ref<host::ShapeRange> ChildShapeRange() override;
    bool HasChildShapeRange() const override;
    void Unselect() override;

private:
    struct Shapes {
        std::shared_ptr<SlideShapeTree> owner;
        std::vector<pugi::xml_node> nodes;
    };
    // The selected shapes, or the shape holding the selected text.
    Shapes SelectedShapes(const SelectionState& state);

    std::shared_ptr<DocumentWindow> window_;
};

}  // namespace velmora::pptx::model
