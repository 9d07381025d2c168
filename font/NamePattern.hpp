#pragma once

#include <span>
#include <string_view>

namespace velmora::font {

// Whether the whole name matches the pattern: "*" stands for any run of
// characters, every other character must match exactly, case included.
bool MatchesPattern(std::string_view name, std::string_view pattern);
bool MatchesAnyPattern(std::string_view name, std::span<const std::string_view> patterns);

}  // namespace velmora::font
