#pragma once

#include "forms/TextControl.hpp"

namespace velmora::forms {

class TextBox : public TextControl {
public:
    using TextControl::TextControl;
    std::string_view TypeName() const override { return "TextBox"; }
};

}  // namespace velmora::forms
