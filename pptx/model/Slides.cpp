#include "pptx/model/Slides.hpp"

#include "host/HostError.hpp"
#include "pptx/model/LayoutCodes.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/Slide.hpp"
#include "pptx/model/SlideRange.hpp"

namespace velmora::pptx::model {

namespace {

std::shared_ptr<parts::SlideLayoutPart> LayoutFor(parts::Deck& deck, int code)
{
    std::vector<std::shared_ptr<parts::SlideLayoutPart>> layouts = deck.Layouts();
    if (layouts.empty()) {
        throw host::HostError("the presentation has no slide layout to add a slide with");
    }
    for (const std::string& type : LayoutTypes(code)) {
        for (const auto& layout : layouts) {
            if (layout->Type() == type) {
                return layout;
            }
        }
    }
    return layouts.front();
}

}  // namespace

int Slides::Count() const
{
    return static_cast<int>(presentation_->Deck().SlideCount());
}

unsigned Slides::IdAt(int index) const
{
    if (index < 1 || index > Count()) {
        throw host::HostError("slide " + std::to_string(index) + " is out of range");
    }
    return presentation_->Deck().Presentation().Slides()[static_cast<std::size_t>(index - 1)].id;
}

host::Ref<host::Slide> Slides::Item(int index)
{
    return std::make_shared<model::Slide>(presentation_, IdAt(index));
}

host::Ref<host::SlideRange> Slides::Range(const std::vector<int>& indexes)
{
    std::vector<unsigned> ids;
    for (int index : indexes) {
        ids.push_back(IdAt(index));
    }
    return std::make_shared<model::SlideRange>(presentation_, std::move(ids));
}

host::Ref<host::Slide> Slides::Add(int index, int layout)
{
    if (index < 1 || index > Count() + 1) {
        throw host::HostError("cannot add a slide at " + std::to_string(index));
    }
    parts::Deck& deck = presentation_->Deck();
    unsigned id = deck.AddSlide(static_cast<std::size_t>(index - 1), *LayoutFor(deck, layout));
    presentation_->MarkChanged();
    return std::make_shared<model::Slide>(presentation_, id);
}

}  // namespace velmora::pptx::model
