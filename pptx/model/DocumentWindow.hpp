#pragma once

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/Application.hpp"
#include "pptx/parts/SlideParts.hpp"

namespace velmora::pptx::model {

class Presentation;

// What the user has selected in a window. Slides are kept by id, so they
// survive edits of the XML around them; shapes by their elements, since
// other writers give two shapes of a slide the same id.
struct SelectionState {
    int type = 0;                    // host::SelectionType
    std::vector<unsigned> slideIds;  // Slides: in selection order; Shapes and Text: the one slide
    std::vector<pugi::xml_node> shapes;  // Shapes: the shapes; Text: the shape holding the text
    std::shared_ptr<parts::SlidePart> slide;  // holds the parsed XML those elements live in
    bool childShapes = false;        // the shapes are members of a group
};

// The one window of a presentation: the slide it shows and the selection.
class DocumentWindow : public host::DocumentWindow, public std::enable_shared_from_this<DocumentWindow> {
public:
    explicit DocumentWindow(std::shared_ptr<model::Presentation> presentation);

    host::Ref<host::Selection> Selection() override;
    host::Ref<host::View> View() override;
    host::Ref<host::Presentation> Presentation() override;
    const std::shared_ptr<model::Presentation>& Owner() const { return presentation_; }

    // The id of the slide shown; raises the host error when there is none.
    unsigned ShownSlide();
    void ShowSlide(int slideIndex);
    void SelectSlides(const std::vector<int>& slideIndexes);
    void SelectShapes(int slideIndex, const std::vector<std::string>& shapeNames);
    void SelectShapeNodes(unsigned slideId, const std::vector<pugi::xml_node>& shapes, bool replace);
    void SelectText(int slideIndex, const std::string& shapeName);
    void ClearSelection() { selection_ = {}; }
    // The selection without slides or shapes deleted since it was made.
    SelectionState CurrentSelection();
    // Drops removed shapes from the selection at once, before their
    // elements' memory can hold new shapes.
    void ShapeRemoved() { CurrentSelection(); }

private:
    unsigned SlideIdAt(int slideIndex);

    std::shared_ptr<model::Presentation> presentation_;
    unsigned shownSlideId_ = 0;
    int shownIndex_ = 1;
    SelectionState selection_;
};

}  // namespace velmora::pptx::model
