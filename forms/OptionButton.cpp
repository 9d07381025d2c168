#include "forms/OptionButton.hpp"

#include "forms/UserForm.hpp"

namespace velmora::forms {

bool OptionButton::InGroupWith(const OptionButton& other) const
{
    if (!groupName_.empty()) {
        return groupName_ == other.groupName_;
    }
    return other.groupName_.empty() && &other.Parent() == &Parent();
}

void OptionButton::SetValue(bool value)
{
    if (!Store(value)) {
        return;
    }
    if (value) {
        for (Control* control : Form().Controls()) {
            if (auto* other = dynamic_cast<OptionButton*>(control); other != nullptr && other != this && InGroupWith(*other)) {
                other->SetValue(false);
            }
        }
    }
    events.FireChange();
    if (value) {
        events.FireClick();
    }
}

void OptionButton::PerformClick()
{
    SetValue(true);
}

}  // namespace velmora::forms
