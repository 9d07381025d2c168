#pragma once

#include <cstdint>
#include <vector>

namespace velmora::render {

// A picture size in whole pixels.
struct PixelBox {
    int width = 0;
    int height = 0;
};

// A drawn page: packed 8-bit RGB rows, top row first, no padding.
struct Raster {
    PixelBox box;
    std::vector<std::uint8_t> rgb;
};

}  // namespace velmora::render
