#pragma once

#include <filesystem>

#include "render/PictureFormat.hpp"
#include "render/Raster.hpp"

namespace velmora::render {

// Encodes a raster with libvips as JPG, PNG, GIF or BMP into `file`,
// whatever its extension. Raises RenderError on failure or for EMF.
void EncodePicture(const Raster& raster, PictureFormat format, const std::filesystem::path& file);

}  // namespace velmora::render
