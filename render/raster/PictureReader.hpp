#pragma once

#include <filesystem>

#include "render/Raster.hpp"

namespace velmora::render {

// A picture file (any format libvips reads) as packed RGB, transparency
// laid over white. Raises RenderError when it cannot be read.
Raster ReadPicture(const std::filesystem::path& file);

}  // namespace velmora::render
