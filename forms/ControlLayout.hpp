#pragma once

#include <string>
#include <string_view>

// Helpers for forms that lay out their controls in code.
namespace velmora::forms {

template <typename T>
T& Place(T& control, float left, float top, float width, float height)
{
    control.SetLeft(left);
    control.SetTop(top);
    control.SetWidth(width);
    control.SetHeight(height);
    return control;
}

template <typename T>
T& Captioned(T& control, std::string caption)
{
    control.SetCaption(std::move(caption));
    return control;
}

// "Label" and 3 give "Label3", as the designer names a form's controls.
inline std::string Numbered(std::string_view prefix, int number)
{
    return std::string(prefix) + std::to_string(number);
}

}  // namespace velmora::forms
