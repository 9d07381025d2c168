#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {

// The Windows virtual-key code of a key named as X key symbols name it ("A",
// "a", "comma", "F5", "space", "KP_7"); nothing for a name without one.
std::optional<int> VirtualKeyOfKeysym(std::string_view name);

// The X key symbol name of a virtual-key code ("" when there is none); letters
// come as upper case.
std::string KeysymOfVirtualKey(int virtualKey);

}  // namespace velmora::platform
