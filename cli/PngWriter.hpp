#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmora::cli {

// A PNG file of 8-bit RGB pixels, rows top to bottom. The image data is kept
// in stored (uncompressed) deflate blocks: the demo's pictures are small.
std::string EncodePng(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> rgb);

}  // namespace velmora::cli
