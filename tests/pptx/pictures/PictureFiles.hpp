#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>

namespace velmora::testing {

// Width and height of a picture file, read by libvips.
std::pair<int, int> PictureSize(const std::filesystem::path& picture);

// The first bytes of a file, to check its format's signature.
std::string Head(const std::filesystem::path& file, std::size_t bytes);

}  // namespace velmora::testing
