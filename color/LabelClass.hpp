#pragma once

#include "forms/Label.hpp"

namespace velmora::color {

class frm_myColor;

// One of the palette's base colours: a click makes its colour the display
// colour and applies it; hovering raises it and shows its HSL view.
class LabelClass {
public:
    void Attach(frm_myColor& palette, forms::Label& label);

    void lab_Click();
    void lab_MouseMove(int button, int shift, float x, float y);

private:
    frm_myColor* palette_ = nullptr;
    forms::Label* lab_ = nullptr;
};

}  // namespace velmora::color
