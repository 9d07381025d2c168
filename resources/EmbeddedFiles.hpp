#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velmora::resources {

// The bytes of a file of resources/ compiled into the library; empty when
// there is no such file.
std::span<const std::uint8_t> EmbeddedFile(std::string_view name);

}  // namespace velmora::resources
