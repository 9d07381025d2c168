#pragma once

#include <cstdint>

// The screen picker's module state; one instance lives as long as the add-in.
namespace velmora::color {

struct md_ColorPicker {
    // HSB of the last sample, from which the picker's readout is written.
    std::int16_t PickedHue = 0;
    std::int16_t PickedSat = 0;
    std::int16_t PickedBri = 0;

    void PickerRGBtoHSB(std::int16_t R, std::int16_t G, std::int16_t B);
};

}  // namespace velmora::color
