#include "color/GradLabelClass.hpp"

#include "color/frm_myColor.hpp"

namespace velmora::color {

void GradLabelClass::Attach(frm_myColor& palette, forms::Label& label)
{
    palette_ = &palette;
    glab_ = &label;
    glab_->events.Click = [this] { glab_Click(); };
    glab_->events.MouseMove = [this](int button, int shift, float x, float y) {
        glab_MouseMove(button, shift, x, y);
    };
}

void GradLabelClass::glab_Click()
{
    const host::Color colour = glab_->BackColor();
    PaletteState& state = palette_->State();
    state.ColorSyncEnabled = false;
    palette_->SetDisplayColor(colour);
    palette_->SyncRGBBars();
    palette_->SyncHSBBars();
    state.ColorSyncEnabled = true;
    palette_->ApplyToSelection(colour);
}

void GradLabelClass::glab_MouseMove(int, int, float, float)
{
    palette_->HighlightSwatch(*glab_);
}

}  // namespace velmora::color
