#pragma once

#include <chrono>
#include <string>

namespace velmora::platform {

// Formats a moment in local time with the runtime's tokens: "YYYY", "YY",
// "MM", "DD", "hh", "mm", "ss"; every other character is copied.
std::string FormatMoment(std::chrono::system_clock::time_point moment, const std::string& pattern);

}  // namespace velmora::platform
