#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::pptx::package {

// Whether `data` starts as gzip data does.
bool LooksGzipped(std::string_view data);

// Unpacks gzip data, each of its members one after another (anything after
// the last member is ignored); nothing when it is damaged or would unpack to
// more than `most` bytes.
std::optional<std::string> Gunzip(std::string_view packed, std::size_t most);

// `content` as one gzip member.
std::string Gzip(std::string_view content);

}  // namespace velmora::pptx::package
