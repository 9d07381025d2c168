#include "pptx/model/SlideShowTransition.hpp"

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/parts/Transition.hpp"

namespace velmora::pptx::model {

int SlideShowTransition::EntryEffect() const
{
    const std::string kind = parts::transition::Kind(presentation_->Deck().Slide(slideId_)->Root());
    if (kind.empty()) {
        return host::EntryEffect::None;
    }
    if (kind == "fade") {
        return host::EntryEffect::Fade;
    }
    if (kind == "push") {
        return host::EntryEffect::Push;
    }
    return host::TriState::Mixed;
}

void SlideShowTransition::SetEntryEffect(int value)
{
    const char* kind = value == host::EntryEffect::None   ? ""
                       : value == host::EntryEffect::Fade ? "fade"
                       : value == host::EntryEffect::Push ? "push"
                                                          : nullptr;
    if (kind == nullptr) {
        throw host::HostError("entry effect " + std::to_string(value) + " is not supported yet");
    }
    std::shared_ptr<parts::SlidePart> part = presentation_->Deck().Slide(slideId_);
    parts::transition::SetKind(part->Root(), kind);
    part->Touch();
    presentation_->MarkChanged();
}

}  // namespace velmora::pptx::model
