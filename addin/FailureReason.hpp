#pragma once

#include <optional>
#include <string>

namespace velmora::addin {

// The host's and the tools' words for what went wrong (a damaged file, no
// X11 display ...) said in Chinese, as every host speaks to the user; none
// when the message holds none of the reasons known.
std::optional<std::string> ReasonInChinese(const std::string& hostMessage);

}  // namespace velmora::addin
