#include "color/CLabelClass.hpp"

#include "color/frm_Colorpicker.hpp"
#include "forms/FormConstants.hpp"

namespace velmora::color {

void CLabelClass::Attach(frm_Colorpicker& picker, forms::Label& label)
{
    picker_ = &picker;
    clab_ = &label;
    clab_->events.Click = [this] { clab_Click(); };
    clab_->events.MouseMove = [this](int button, int shift, float x, float y) { clab_MouseMove(button, shift, x, y); };
}

void CLabelClass::clab_Click()
{
    picker_->Module().ApplyPickedColor(*picker_, clab_->BackColor());
}

void CLabelClass::clab_MouseMove(int, int, float, float)
{
    for (forms::Control* control : picker_->Controls()) {
        if (control->Name().starts_with("Lab_Color") && control != clab_) {
            control->SetSpecialEffect(forms::SpecialEffect::Bump);
        }
    }
    clab_->SetSpecialEffect(forms::SpecialEffect::Raised);
}

}  // namespace velmora::color
