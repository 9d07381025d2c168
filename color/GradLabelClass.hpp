#pragma once

#include "forms/Label.hpp"

namespace velmora::color {

class frm_myColor;

// One swatch of the variation grid or of the gradient: a click makes its
// colour the display colour and applies it, leaving the generated sets as
// they are so the user can keep choosing among them.
class GradLabelClass {
public:
    void Attach(frm_myColor& palette, forms::Label& label);

    void glab_Click();
    void glab_MouseMove(int button, int shift, float x, float y);

private:
    frm_myColor* palette_ = nullptr;
    forms::Label* glab_ = nullptr;
};

}  // namespace velmora::color
