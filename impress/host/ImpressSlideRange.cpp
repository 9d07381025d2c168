#include "impress/host/ImpressSlideRange.hpp"

#include "host/HostError.hpp"
#include "impress/host/ImpressSlideTags.hpp"

namespace velmora::impress {

ImpressSlideRange::ImpressSlideRange(std::vector<host::Ref<ImpressSlide>> slides) : slides_(std::move(slides)) {}

int ImpressSlideRange::Count() const
{
    return static_cast<int>(slides_.size());
}

host::Ref<host::Slide> ImpressSlideRange::Item(int index)
{
    if (index < 1 || index > Count()) {
        throw host::HostError("the range has no slide " + std::to_string(index));
    }
    return slides_[static_cast<std::size_t>(index - 1)];
}

ImpressSlide& ImpressSlideRange::Single() const
{
    if (slides_.size() != 1) {
        throw host::HostError("the range holds " + std::to_string(slides_.size()) + " slides, not one");
    }
    return *slides_.front();
}

int ImpressSlideRange::SlideIndex() const
{
    return Single().SlideIndex();
}

int ImpressSlideRange::SlideID() const
{
    return Single().SlideID();
}

host::Ref<host::Shapes> ImpressSlideRange::Shapes()
{
    return Single().Shapes();
}

host::Ref<host::NotesPage> ImpressSlideRange::NotesPage()
{
    return Single().NotesPage();
}

host::Ref<host::TimeLine> ImpressSlideRange::TimeLine()
{
    return Single().TimeLine();
}

host::Ref<host::SlideShowTransition> ImpressSlideRange::SlideShowTransition()
{
    return Single().SlideShowTransition();
}

host::Ref<host::Tags> ImpressSlideRange::Tags()
{
    return Single().Tags();
}

int ImpressSlideRange::Layout() const
{
    return Single().Layout();
}

void ImpressSlideRange::Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth,
                               int scaleHeight)
{
    Single().Export(file, filter, scaleWidth, scaleHeight);
}

// The numbers are read before any page goes; the tags follow in one pass.
void ImpressSlideRange::Delete()
{
    if (slides_.empty()) {
        return;
    }
    std::vector<int> indexes;
    for (const auto& slide : slides_) {
        indexes.push_back(slide->SlideIndex());
    }
    for (const auto& slide : slides_) {
        slide->RemovePage();
    }
    ImpressSlideTags::SlidesRemoved(slides_.front()->Document(), std::move(indexes));
}

}  // namespace velmora::impress
