#pragma once

#include "forms/ToggleControl.hpp"

namespace velmora::forms {

// A button that stays pressed (Value true) until pressed again.
class ToggleButton : public ToggleControl {
public:
    using ToggleControl::ToggleControl;
    std::string_view TypeName() const override { return "ToggleButton"; }
};

}  // namespace velmora::forms
