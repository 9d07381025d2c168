#include "pptx/model/Selection.hpp"

#include <algorithm>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/Shape.hpp"
#include "host/TextRange.hpp"
#include "pptx/model/PartShapeTree.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/model/SlideRange.hpp"

namespace velmora::pptx::model {

int Selection::Type() const
{
    return window_->CurrentSelection().type;
}

host::Ref<host::SlideRange> Selection::SlideRange()
{
    SelectionState state = window_->CurrentSelection();
    if (state.type == host::SelectionType::None) {
        throw host::HostError("no slide is selected");
    }
    return std::make_shared<model::SlideRange>(window_->Owner(), state.slideIds);
}

Selection::Shapes Selection::SelectedShapes(const SelectionState& state)
{
    return {std::make_shared<SlideShapeTree>(window_->Owner(), state.slideIds.front()), state.shapes};
}

host::Ref<host::ShapeRange> Selection::ShapeRange()
{
    SelectionState state = window_->CurrentSelection();
    if (state.type != host::SelectionType::Shapes && state.type != host::SelectionType::Text) {
        throw host::HostError("no shape is selected");
    }
    Shapes shapes = SelectedShapes(state);
    if (state.childShapes) {
        // Shapes inside a group stand for their groups here.
        std::vector<pugi::xml_node> groups;
        for (pugi::xml_node shape : shapes.nodes) {
            pugi::xml_node group = shapes::ParentTree(shape);
            if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
                groups.push_back(group);
            }
        }
        shapes.nodes = groups;
    }
    return MakeShapeRange(shapes.owner, shapes.nodes);
}

host::Ref<host::TextRange> Selection::TextRange()
{
    SelectionState state = window_->CurrentSelection();
    if (state.type == host::SelectionType::Text) {
        Shapes shapes = SelectedShapes(state);
        return MakeTextRange(shapes.owner, shapes.nodes.front());
    }
    if (state.type == host::SelectionType::Shapes) {
        Shapes shapes = SelectedShapes(state);
        return MakeTextRange(shapes.owner, shapes.nodes);
    }
    throw host::HostError("no text is selected");
}

host::Ref<host::ShapeRange> Selection::ChildShapeRange()
{
    SelectionState state = window_->CurrentSelection();
    if (state.type != host::SelectionType::Shapes || !state.childShapes) {
        throw host::HostError("no shape inside a group is selected");
    }
    Shapes shapes = SelectedShapes(state);
    return MakeShapeRange(shapes.owner, shapes.nodes);
}

bool Selection::HasChildShapeRange() const
{
    SelectionState state = window_->CurrentSelection();
    return state.type == host::SelectionType::Shapes && state.childShapes;
}

void Selection::Unselect()
{
    window_->ClearSelection();
}

}  // namespace velmora::pptx::model
