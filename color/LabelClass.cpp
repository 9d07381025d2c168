#include "color/LabelClass.hpp"

#include "color/frm_myColor.hpp"

namespace velmora::color {

void LabelClass::Attach(frm_myColor& palette, forms::Label& label)
{
    palette_ = &palette;
    lab_ = &label;
    lab_->events.Click = [this] { lab_Click(); };
    lab_->events.MouseMove = [this](int button, int shift, float x, float y) { lab_MouseMove(button, shift, x, y); };
}

// A base colour also restarts the generated sets around it.
void LabelClass::lab_Click()
{
    const host::Color colour = lab_->BackColor();
    PaletteState& state = palette_->State();
    state.ColorSyncEnabled = false;
    palette_->SetDisplayColor(colour);
    palette_->FollowDisplayColor();
    palette_->SyncRGBBars();
    palette_->SyncHSBBars();
    state.ColorSyncEnabled = true;
    palette_->ApplyToSelection(colour);
}

void LabelClass::lab_MouseMove(int, int, float, float)
{
    palette_->HighlightSwatch(*lab_);
}

}  // namespace velmora::color
