#pragma once

#include <filesystem>
#include <string>

namespace velmora::testing {

// The smallest valid movie: an uncompressed SWF header (version 10, an
// empty stage, 24 frames a second, one frame) and the end tag. `padding`
// extra bytes before the end tag make movies that differ.
std::string MinimalSwf(std::size_t padding = 0);
// Writes it, making the folder when needed; returns the file.
std::filesystem::path WriteSwf(const std::filesystem::path& file, std::size_t padding = 0);

}  // namespace velmora::testing
