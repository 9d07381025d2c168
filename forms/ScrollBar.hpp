#pragma once

#include "forms/RangeControl.hpp"

namespace velmora::forms {

class ScrollBar : public RangeControl {
public:
    ScrollBar(Container& parent, std::string name) : RangeControl(parent, std::move(name), 32767) {}
    std::string_view TypeName() const override { return "ScrollBar"; }
};

}  // namespace velmora::forms
