#pragma once

#include "forms/TextBox.hpp"

namespace velmora::color {

// One of the palette's six channel boxes: only digits get in, and each key
// release moves the box's scroll bar to the typed value.
class ColorTextBoxClass {
public:
    void Attach(forms::TextBox& box);

    void ctb_KeyPress(int& keyAscii);
    void ctb_KeyUp(int& keyCode, int shift);

private:
    forms::TextBox* ctb_ = nullptr;
};

}  // namespace velmora::color
