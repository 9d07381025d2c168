#include "color/md_ColorPicker.hpp"

#include "color/md_SetColor.hpp"

namespace velmora::color {

void md_ColorPicker::PickerRGBtoHSB(std::int16_t R, std::int16_t G, std::int16_t B)
{
    const ColorHSB hsb = RGBtoHSB(ColorRGB{R, G, B});
    PickedHue = hsb.H;
    PickedSat = hsb.S;
    PickedBri = hsb.B;
}

}  // namespace velmora::color
