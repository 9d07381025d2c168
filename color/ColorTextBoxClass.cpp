#include "color/ColorTextBoxClass.hpp"

#include "color/ColorBoxEntry.hpp"
#include "forms/ScrollBar.hpp"
#include "forms/UserForm.hpp"

namespace velmora::color {

void ColorTextBoxClass::Attach(forms::TextBox& box)
{
    ctb_ = &box;
    ctb_->events.KeyPress = [this](int& keyAscii) { ctb_KeyPress(keyAscii); };
    ctb_->events.KeyUp = [this](int& keyCode, int shift) { ctb_KeyUp(keyCode, shift); };
}

void ColorTextBoxClass::ctb_KeyPress(int& keyAscii)
{
    if (!ColorBoxKeyPasses(keyAscii)) {
        keyAscii = 0;
    }
}

void ColorTextBoxClass::ctb_KeyUp(int&, int)
{
    auto& bar = ctb_->Form().Controls<forms::ScrollBar>(ScrollBarOfBox(ctb_->Name()));
    const ColorBoxEntry entry = ColorBoxKeyUp(ctb_->Text(), bar.Max());
    ctb_->SetText(entry.text);
    bar.SetValue(entry.barValue);
}

}  // namespace velmora::color
