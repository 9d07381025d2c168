#include "forms/ToggleControl.hpp"

namespace velmora::forms {

bool ToggleControl::Store(bool value)
{
    if (value_ == value) {
        return false;
    }
    value_ = value;
    return true;
}

void ToggleControl::SetValue(bool value)
{
    if (Store(value)) {
        events.FireChange();
        events.FireClick();
    }
}

void ToggleControl::PerformClick()
{
    SetValue(!Value());
}

}  // namespace velmora::forms
