#pragma once

#include <string>

namespace velmora::platform {

// The runtime's "username" variable: $USER, else the account's name, else "".
std::string UserName();

}  // namespace velmora::platform
