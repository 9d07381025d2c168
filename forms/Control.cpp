#include "forms/Control.hpp"

#include "forms/Container.hpp"
#include "forms/UserForm.hpp"
#include "platform/Utf8.hpp"

namespace velmora::forms {

Control::Control(Container& parent, std::string name) : parent_(parent), name_(std::move(name)) {}

UserForm& Control::Form() const
{
    return parent_.Form();
}

std::string Control::Accelerator() const
{
    if (!accelerator_.empty()) {
        return accelerator_;
    }
    for (std::size_t at = caption_.find('&'); at != std::string::npos; at = caption_.find('&', at + 2)) {
        if (at + 1 < caption_.size() && caption_[at + 1] != '&') {
            return caption_.substr(at + 1, platform::Utf8SequenceLength(static_cast<unsigned char>(caption_[at + 1])));
        }
    }
    return {};
}

bool Control::Operable() const
{
    return visible_ && enabled_ && parent_.ContentOperable();
}

void Control::SetFocus()
{
    UserForm& form = Form();
    Control* previous = form.ActiveControl();
    if (previous == this) {
        return;
    }
    form.SetActiveControl(this);
    if (previous != nullptr) {
        previous->events.FireExit();
    }
    GotFocus();
    events.FireEnter();
}

void Control::PerformClick()
{
    events.FireClick();
}

}  // namespace velmora::forms
