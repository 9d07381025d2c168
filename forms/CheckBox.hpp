#pragma once

#include "forms/ToggleControl.hpp"

namespace velmora::forms {

class CheckBox : public ToggleControl {
public:
    using ToggleControl::ToggleControl;
    std::string_view TypeName() const override { return "CheckBox"; }
};

}  // namespace velmora::forms
