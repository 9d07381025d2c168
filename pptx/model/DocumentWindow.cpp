#include "pptx/model/DocumentWindow.hpp"

#include <algorithm>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/Selection.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/model/View.hpp"

namespace velmora::pptx::model {

DocumentWindow::DocumentWindow(std::shared_ptr<model::Presentation> presentation)
    : presentation_(std::move(presentation))
{
}

host::Ref<host::Selection> DocumentWindow::Selection()
{
    return std::make_shared<model::Selection>(shared_from_this());
}

host::Ref<host::View> DocumentWindow::View()
{
    return std::make_shared<model::View>(shared_from_this());
}

host::Ref<host::Presentation> DocumentWindow::Presentation()
{
    return presentation_;
}

unsigned DocumentWindow::SlideIdAt(int slideIndex)
{
    parts::PresentationPart& part = presentation_->Deck().Presentation();
    if (slideIndex < 1 || static_cast<std::size_t>(slideIndex) > part.Slides().size()) {
        throw host::HostError("slide " + std::to_string(slideIndex) + " is out of range");
    }
    return part.Slides()[static_cast<std::size_t>(slideIndex - 1)].id;
}

unsigned DocumentWindow::ShownSlide()
{
    parts::PresentationPart& part = presentation_->Deck().Presentation();
    if (std::optional<std::size_t> position = part.PositionOf(shownSlideId_)) {
        shownIndex_ = static_cast<int>(*position) + 1;
        return shownSlideId_;
    }
    // The slide shown was deleted (or none was chosen): the view moves to
    // the slide now at its place, or the last one.
    const int count = static_cast<int>(part.Slides().size());
    if (count == 0) {
        throw host::HostError("the window shows no slide");
    }
    shownSlideId_ = SlideIdAt(std::clamp(shownIndex_, 1, count));
    return shownSlideId_;
}

void DocumentWindow::ShowSlide(int slideIndex)
{
    shownSlideId_ = SlideIdAt(slideIndex);
    shownIndex_ = slideIndex;
}

void DocumentWindow::SelectSlides(const std::vector<int>& slideIndexes)
{
    SelectionState selection;
    selection.type = slideIndexes.empty() ? host::SelectionType::None : host::SelectionType::Slides;
    for (int index : slideIndexes) {
        selection.slideIds.push_back(SlideIdAt(index));
    }
    selection_ = selection;
}

void DocumentWindow::SelectShapes(int slideIndex, const std::vector<std::string>& shapeNames)
{
    const unsigned slideId = SlideIdAt(slideIndex);
    std::shared_ptr<parts::SlidePart> slide = presentation_->Deck().Slide(slideId);
    pugi::xml_node tree = slide->ShapeTree();
    std::vector<pugi::xml_node> shapes;
    for (const std::string& name : shapeNames) {
        pugi::xml_node shape = shapes::FindShapeByName(tree, name);
        if (!shape) {
            throw host::HostError("slide " + std::to_string(slideIndex) + " has no shape named \"" + name + "\"");
        }
        shapes.push_back(shape);
    }
    SelectShapeNodes(slideId, shapes, true);
}

void DocumentWindow::SelectShapeNodes(unsigned slideId, const std::vector<pugi::xml_node>& shapes, bool replace)
{
    if (shapes.empty()) {
        throw host::HostError("no shape to select");
    }
    const bool children = shapes::IsInGroup(shapes.front());
    if (std::any_of(shapes.begin(), shapes.end(), [&](pugi::xml_node s) { return shapes::IsInGroup(s) != children; })) {
        throw host::HostError("shapes inside and outside a group cannot be selected together");
    }
    SelectionState current = CurrentSelection();
    const bool extend = !replace && current.type == host::SelectionType::Shapes && current.slideIds.front() == slideId &&
                        current.childShapes == children;
    SelectionState selection =
        extend ? current
               : SelectionState{host::SelectionType::Shapes, {slideId}, {}, presentation_->Deck().Slide(slideId), children};
    for (pugi::xml_node shape : shapes) {
        if (std::find(selection.shapes.begin(), selection.shapes.end(), shape) == selection.shapes.end()) {
            selection.shapes.push_back(shape);
        }
    }
    selection_ = selection;
    shownSlideId_ = slideId;
}

void DocumentWindow::SelectText(int slideIndex, const std::string& shapeName)
{
    SelectShapes(slideIndex, {shapeName});
    selection_.type = host::SelectionType::Text;
}

SelectionState DocumentWindow::CurrentSelection()
{
    if (selection_.type == host::SelectionType::None) {
        return selection_;
    }
    parts::Deck& deck = presentation_->Deck();
    std::erase_if(selection_.slideIds, [&](unsigned id) { return !deck.Presentation().PositionOf(id); });
    if (!selection_.slideIds.empty() && selection_.type != host::SelectionType::Slides) {
        // Handles of removed elements are only compared here, never read.
        const std::vector<pugi::xml_node> present = shapes::AllShapes(selection_.slide->ShapeTree());
        std::erase_if(selection_.shapes, [&](pugi::xml_node shape) {
            return std::find(present.begin(), present.end(), shape) == present.end();
        });
        if (selection_.shapes.empty()) {
            selection_.slideIds.clear();
        } else {
            // Grouping and ungrouping move selected shapes in or out of a group.
            selection_.childShapes = shapes::IsInGroup(selection_.shapes.front());
        }
    }
    if (selection_.slideIds.empty()) {
        selection_ = {};
    }
    return selection_;
}

}  // namespace velmora::pptx::model
