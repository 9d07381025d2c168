#pragma once

#include <string>

namespace velmora::impress {

inline constexpr const char* kProtocol = "vnd.velmora:";

// A ribbon label without the trailing blanks that pad the large buttons.
std::string RibbonLabel(std::string label);

// The address a menu entry dispatches: the onAction name, then the pressed
// control's id and, for a gallery item, its index.
std::string CommandUrl(const std::string& onAction, const std::string& controlId, int index = -1);

}  // namespace velmora::impress
