#pragma once

#include "render/Raster.hpp"

namespace velmora::render {

// `source` scaled to `box`: each pixel the mean of the source area it
// covers, weighted by how much of each source pixel lies in it. An area of
// one colour keeps exactly that colour, to its very edge.
Raster Resampled(const Raster& source, PixelBox box);

}  // namespace velmora::render
