#include "pptx/model/SlideRange.hpp"

#include "host/HostError.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/Slide.hpp"

namespace velmora::pptx::model {

host::Ref<host::Slide> SlideRange::Item(int index)
{
    if (index < 1 || index > Count()) {
        throw host::HostError("slide " + std::to_string(index) + " of the range is out of range");
    }
    return std::make_shared<model::Slide>(presentation_, slideIds_[static_cast<std::size_t>(index - 1)]);
}

std::shared_ptr<model::Slide> SlideRange::Single() const
{
    if (slideIds_.size() != 1) {
        throw host::HostError("this needs a range of one slide, not " + std::to_string(slideIds_.size()));
    }
    return std::make_shared<model::Slide>(presentation_, slideIds_.front());
}

int SlideRange::SlideIndex() const
{
    return Single()->SlideIndex();
}

int SlideRange::SlideID() const
{
    return Single()->SlideID();
}

host::Ref<host::Shapes> SlideRange::Shapes()
{
    return Single()->Shapes();
}

host::Ref<host::NotesPage> SlideRange::NotesPage()
{
    return Single()->NotesPage();
}

host::Ref<host::TimeLine> SlideRange::TimeLine()
{
    return Single()->TimeLine();
}

host::Ref<host::SlideShowTransition> SlideRange::SlideShowTransition()
{
    return Single()->SlideShowTransition();
}

host::Ref<host::Tags> SlideRange::Tags()
{
    return Single()->Tags();
}

int SlideRange::Layout() const
{
    return Single()->Layout();
}

void SlideRange::Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth, int scaleHeight)
{
    Single()->Export(file, filter, scaleWidth, scaleHeight);
}

void SlideRange::Delete()
{
    presentation_->Deck().DeleteSlides(slideIds_);
    presentation_->MarkChanged();
}

}  // namespace velmora::pptx::model
