#pragma once

#include "forms/Label.hpp"

namespace velmora::color {

class frm_Colorpicker;

// One of the picker's swatches (the sample or a favourite): a click applies
// its colour; hovering raises it and flattens the others.
class CLabelClass {
public:
    void Attach(frm_Colorpicker& picker, forms::Label& label);

    void clab_Click();
    void clab_MouseMove(int button, int shift, float x, float y);

private:
    frm_Colorpicker* picker_ = nullptr;
    forms::Label* clab_ = nullptr;
};

}  // namespace velmora::color
