#pragma once

#include <string>
#include <string_view>

namespace velmora::platform {

// Names the Windows runtime compares without regard to case (control names,
// registry keys) are ASCII; other bytes compare exactly.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);
std::string AsciiLower(std::string_view text);

}  // namespace velmora::platform
