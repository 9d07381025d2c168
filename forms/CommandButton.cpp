#include "forms/CommandButton.hpp"

#include "forms/UserForm.hpp"

namespace velmora::forms {

namespace {

template <typename Flag>
void ClearOnOtherButtons(const CommandButton& keeper, Flag clear)
{
    for (Control* control : keeper.Form().Controls()) {
        if (auto* button = dynamic_cast<CommandButton*>(control); button != nullptr && button != &keeper) {
            clear(*button);
        }
    }
}

}  // namespace

void CommandButton::SetDefault(bool value)
{
    if (value) {
        ClearOnOtherButtons(*this, [](CommandButton& other) { other.default_ = false; });
    }
    default_ = value;
}

void CommandButton::SetCancel(bool value)
{
    if (value) {
        ClearOnOtherButtons(*this, [](CommandButton& other) { other.cancel_ = false; });
    }
    cancel_ = value;
}

}  // namespace velmora::forms
