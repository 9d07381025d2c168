#include "pptx/model/Slide.hpp"

#include "host/HostError.hpp"
#include "pptx/model/LayoutCodes.hpp"
#include "pptx/model/NotesPage.hpp"
#include "pptx/model/PartShapeTree.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/SlidePictures.hpp"
#include "pptx/model/SlideShowTransition.hpp"
#include "pptx/model/Tags.hpp"
#include "pptx/model/TimeLine.hpp"

namespace velmora::pptx::model {

std::shared_ptr<parts::SlidePart> Slide::Part() const
{
    return presentation_->Deck().Slide(slideId_);
}

int Slide::SlideIndex() const
{
    std::optional<std::size_t> position = presentation_->Deck().Presentation().PositionOf(slideId_);
    if (!position) {
        throw host::HostError("the slide was deleted");
    }
    return static_cast<int>(*position) + 1;
}

host::Ref<host::Shapes> Slide::Shapes()
{
    return MakeShapes(std::make_shared<SlideShapeTree>(presentation_, slideId_));
}

host::Ref<host::NotesPage> Slide::NotesPage()
{
    Part();
    return std::make_shared<model::NotesPage>(presentation_, slideId_);
}

host::Ref<host::TimeLine> Slide::TimeLine()
{
    Part();
    return std::make_shared<model::TimeLine>(presentation_, slideId_);
}

host::Ref<host::SlideShowTransition> Slide::SlideShowTransition()
{
    Part();
    return std::make_shared<model::SlideShowTransition>(presentation_, slideId_);
}

host::Ref<host::Tags> Slide::Tags()
{
    Part();
    auto presentation = presentation_;
    const unsigned id = slideId_;
    auto locate = [presentation, id] {
        std::shared_ptr<parts::SlidePart> part = presentation->Deck().Slide(id);
        return model::Tags::Holder{part, part->CommonData()};
    };
    auto slideIndex = [presentation, id] { return Slide(presentation, id).SlideIndex(); };
    return std::make_shared<model::Tags>(presentation_, locate, [] {}, slideIndex);
}

int Slide::Layout() const
{
    std::shared_ptr<parts::SlidePart> part = Part();
    std::shared_ptr<parts::SlideLayoutPart> layout = presentation_->Deck().Layout(*part);
    return LayoutCode(layout ? layout->Type() : "cust");
}

void Slide::Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth, int scaleHeight)
{
    presentation_->Pictures().ExportSlide(*presentation_, SlideIndex(), std::filesystem::absolute(file), filter,
                                          scaleWidth, scaleHeight);
}

void Slide::Delete()
{
    presentation_->Deck().DeleteSlides({slideId_});
    presentation_->MarkChanged();
}

}  // namespace velmora::pptx::model
