#pragma once

#include <filesystem>
#include <optional>

namespace velmora::pptx::shapes {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Pixel size from the header of a PNG, JPEG, GIF or BMP file; nothing for
// other or damaged files. Raises the host error when the file cannot be read.
std::optional<PixelSize> ReadPixelSize(const std::filesystem::path& picture);

}  // namespace velmora::pptx::shapes
