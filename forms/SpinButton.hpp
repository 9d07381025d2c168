#pragma once

#include "forms/RangeControl.hpp"

namespace velmora::forms {

class SpinButton : public RangeControl {
public:
    SpinButton(Container& parent, std::string name) : RangeControl(parent, std::move(name), 100) {}
    std::string_view TypeName() const override { return "SpinButton"; }
};

}  // namespace velmora::forms
