#pragma once

#include "forms/Container.hpp"
#include "forms/Control.hpp"

namespace velmora::forms {

// A captioned box that holds controls; also used as a plain colour swatch.
class Frame : public Control, public Container {
public:
    Frame(Container& parent, std::string name);
    std::string_view TypeName() const override { return "Frame"; }
    using Control::Form;

    bool ContentOperable() const override { return Operable(); }
};

}  // namespace velmora::forms
