#include "forms/RangeControl.hpp"

#include <algorithm>

namespace velmora::forms {

RangeControl::RangeControl(Container& parent, std::string name, int max) : Control(parent, std::move(name)), max_(max)
{
}

bool RangeControl::InRange(int value) const
{
    return value >= std::min(min_, max_) && value <= std::max(min_, max_);
}

void RangeControl::SetValue(int value)
{
    const int clamped = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (clamped != value_) {
        value_ = clamped;
        events.FireChange();
    }
}

void RangeControl::SetMin(int value)
{
    min_ = value;
    SetValue(value_);
}

void RangeControl::SetMax(int value)
{
    max_ = value;
    SetValue(value_);
}

}  // namespace velmora::forms
