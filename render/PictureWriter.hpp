#pragma once

#include <filesystem>

#include "render/PictureFormat.hpp"
#include "render/Raster.hpp"

namespace velmora::render {

// Encodes a raster as JPG, PNG, GIF or BMP into `file`, whatever its
// extension, through the raster module (loaded on first use). Raises
// RenderError on failure or for EMF.
void WritePicture(const Raster& raster, PictureFormat format, const std::filesystem::path& file);

}  // namespace velmora::render
