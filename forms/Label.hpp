#pragma once

#include "forms/Control.hpp"

namespace velmora::forms {

class Label : public Control {
public:
    using Control::Control;
    std::string_view TypeName() const override { return "Label"; }
};

}  // namespace velmora::forms
